#include <gtest/gtest.h>

#include "app/command_line.h"

namespace dwl {
namespace {

// The parse in short: "usage", "cancel", "none", "<code> now|in N|at H:M [daily]", or the error.
std::string Read(const std::vector<std::string>& args) {
    const ParsedCommandLine p = ParseCommandLine(args);
    const Command& c = p.command;
    if (!p.error.empty()) return c.kind == Command::Kind::None ? p.error : "kind set with an error";
    switch (c.kind) {
    case Command::Kind::Usage: return "usage";
    case Command::Kind::Cancel: return "cancel";
    case Command::Kind::None: return "none";
    case Command::Kind::Action: break;
    }
    std::string text = std::to_string(c.action);
    if (c.when == Command::When::Now) return text + " now";
    if (c.when == Command::When::In) return text + " in " + std::to_string(c.minutes);
    return text + " at " + std::to_string(c.hour) + ":" + std::to_string(c.minute) + (c.daily ? " daily" : "");
}

TEST(CommandLine, ReadsEveryFormAndNamesEachKindOfMistake) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "none"},
        {{"/?"}, "usage"},
        {{"/bogus", "-?"}, "usage"},
        {{"/CANCEL"}, "cancel"},
        {{"/shutdown"}, "1 now"},
        {{"-Reboot"}, "2 now"},
        {{"/HIBERNATE"}, "11 now"},
        {{"/in", "1439", "/reboot"}, "2 in 1439"},
        {{"/reboot", "/in", "01"}, "2 in 1"},
        {{"/shutdown", "/at", "21:30"}, "1 at 21:30"},
        {{"/shutdown", "/at", "9:30 PM"}, "1 at 21:30"},
        {{"/daily", "/shutdown", "/at", "12:05", "am"}, "1 at 0:5 daily"},
        {{"/bogus"}, "Unknown argument: /bogus"},
        {{"shutdown"}, "Unknown argument: shutdown"},
        {{"/shutdown", "/reboot"}, "Two actions: /shutdown and /reboot. Give one."},
        {{"/reboot", "/in"}, "/in needs a number of minutes, from 1 to 1439."},
        {{"/reboot", "/in", "1440"}, "/in needs a number of minutes from 1 to 1439, not \"1440\"."},
        {{"/reboot", "/at"}, "/at needs a time, such as 21:30 or 9:30 PM."},
        {{"/reboot", "/at", "24:00"}, "/at needs a time such as 21:30 or 9:30 PM, not \"24:00\"."},
        {{"/reboot", "/at", "9:30", "/in", "5"}, "Give one time only: /in MINUTES or /at TIME."},
        {{"/reboot", "/in", "5", "/daily"}, "/daily goes with /at TIME."},
        {{"/in", "5"}, "A time needs an action, such as /shutdown."},
        {{"/cancel", "/shutdown"}, "/cancel takes no other arguments."},
    };
    for (const auto& [args, want] : cases) EXPECT_EQ(Read(args), want) << JoinArguments(args);

    const std::vector<std::string> handed{"/shutdown", "/at", "9:30 PM", ""};
    EXPECT_EQ(SplitArguments(JoinArguments(handed)), handed);
}

}  // namespace
}  // namespace dwl
