#include <gtest/gtest.h>

#include "app/command_handler.h"
#include "app/command_line.h"
#include "fakes/fake_platform.h"
#include "schedule/agenda.h"

namespace dwl {
namespace {

using Texts = std::vector<std::string>;

// The parse in short: "usage", "cancel", "none", "<code> now|in N|at H:M [daily]", or the error.
std::string Read(const std::vector<std::string>& args) {
    const ParsedCommandLine p = ParseCommandLine(args);
    const Command& c = p.command;
    if (!p.error.empty()) return c.kind == Command::Kind::None ? p.error : "kind set with an error";
    switch (c.kind) {
    case Command::Kind::Usage: return "usage";
    case Command::Kind::Cancel: return "cancel";
    case Command::Kind::None: return "none";
    case Command::Kind::Next: return "next";
    case Command::Kind::Postpone: return "postpone " + std::to_string(c.minutes);
    case Command::Kind::Skip: return "skip";
    case Command::Kind::Action: break;
    }
    std::string text = std::to_string(c.action);
    if (c.when == Command::When::Now) return text + " now";
    if (c.when == Command::When::In) return text + " in " + std::to_string(c.minutes);
    if (c.when == Command::When::AfterExit) return text + " after exit " + c.program;
    if (c.when == Command::When::AfterIdle) return text + " after idle " + std::to_string(c.minutes);
    return text + " at " + std::to_string(c.hour) + ":" + std::to_string(c.minute) + (c.daily ? " daily" : "");
}

TEST(CommandLine, ReadsEveryFormAndNamesEachKindOfMistake) {
    const std::pair<std::vector<std::string>, std::string> cases[] = {
        {{}, "none"},
        {{"/?"}, "usage"},
        {{"/bogus", "-?"}, "usage"},
        {{"/CANCEL"}, "cancel"},
        {{"-Reboot"}, "2 now"},
        {{"/HIBERNATE"}, "11 now"},
        {{"/in", "1439", "/reboot"}, "2 in 1439"},
        {{"/reboot", "/in", "01"}, "2 in 1"},
        {{"/shutdown", "/at", "9:30 PM"}, "1 at 21:30"},
        {{"/daily", "/shutdown", "/at", "12:05", "am"}, "1 at 0:5 daily"},
        {{"shutdown"}, "Unknown argument: shutdown"},
        {{"/shutdown", "/reboot"}, "Two actions: /shutdown and /reboot. Give one."},
        {{"/reboot", "/in"}, "/in needs a number of minutes, from 1 to 1439."},
        {{"/reboot", "/in", "1440"}, "/in needs a number of minutes from 1 to 1439, not \"1440\"."},
        {{"/reboot", "/at"}, "/at needs a time, such as 21:30 or 9:30 PM."},
        {{"/reboot", "/at", "24:00"}, "/at needs a time such as 21:30 or 9:30 PM, not \"24:00\"."},
        {{"/reboot", "/at", "9:30", "/in", "5"}, "Give one time only: /in MINUTES, /at TIME, /after-exit NAME or /after-idle MINUTES."},
        {{"/shutdown", "/after-exit", "My Setup.exe"}, "1 after exit My Setup.exe"},
        {{"/suspend", "-AFTER-IDLE", "1440"}, "10 after idle 1440"},
        {{"/suspend", "/after-exit", "setup"},
         "/after-exit needs a program's file name ending in .exe, such as setup.exe, not \"setup\"."},
        {{"/reboot", "/in", "5", "/daily"}, "/daily goes with /at TIME."},
        {{"/in", "5"}, "A time needs an action, such as /shutdown."},
        {{"/cancel", "/shutdown"}, "/cancel takes no other arguments."},
        {{"/Next"}, "next"},
        {{"-postpone", "1439"}, "postpone 1439"},
        {{"/postpone"}, "/postpone needs a number of minutes, from 1 to 1439."},
        {{"/postpone", "0"}, "/postpone needs a number of minutes from 1 to 1439, not \"0\"."},
        {{"/skip", "/next"}, "/skip and /next: give one."},
        {{"/next", "/shutdown"}, "/next takes no other arguments."},
    };
    for (const auto& [args, want] : cases) EXPECT_EQ(Read(args), want) << JoinArguments(args);

    const std::vector<std::string> handed{"/shutdown", "/at", "9:30 PM", ""};
    EXPECT_EQ(SplitArguments(JoinArguments(handed)), handed);
}

// The handler's replies in turn, without and with the configuration lock in
// force, what the countdown says after each ("" while none runs) and what the
// later start prints; the scenarios it adds go into the book, and what comes
// next is told, postponed and skipped.
TEST(CommandHandler, TheLockRefusesScenariosAndCancelButNotAnActionNow) {
    using R = CommandReply;
    const std::string shutdown = "Your computer will be shutted down in 5 second(s).";
    // clang-format off
    struct Row { bool locked; std::vector<std::string> args; R reply; std::string counting, answer = {}; };
    const Row rows[] = {
        {false, {"/logoff"}, R::Accepted, ", you will be logged off in 5 second(s)."},
        {false, {"/cancel"}, R::Accepted, ""},
        {false, {"/lock"}, R::LockUnsupported, ""},
        {false, {"/next"}, R::NothingDue, ""},
        {false, {"/reboot", "/in", "25"}, R::Accepted, ""},
        // Past midnight, in the program's time form.
        {false, {"/next"}, R::Accepted, "", "Reboot Computer at 12:06 AM on Tue"},
        {false, {"/postpone", "10"}, R::Accepted, "",
         "Postponed: Reboot Computer at 12:16 AM on Tue (postponed from 12:06 AM)"},
        {false, {"/skip"}, R::Accepted, "", "Skipped: Reboot Computer at 12:16 AM on Tue (postponed from 12:06 AM)"},
        {false, {"/suspend", "/after-idle", "30"}, R::Accepted, ""},
        {true, {"/reboot", "/in", "5"}, R::ScenariosLocked, ""},
        {true, {"/reboot", "/after-exit", "a.exe"}, R::ScenariosLocked, ""},
        {true, {"/shutdown"}, R::Accepted, shutdown},
        {true, {"/cancel"}, R::CancelLocked, shutdown},
        {true, {"/logoff"}, R::CancelLocked, shutdown},  // in its place, it would cancel it
        {true, {"/postpone", "5"}, R::MovesLocked, shutdown},
        {true, {"/skip"}, R::MovesLocked, shutdown},
        {true, {"/next"}, R::Accepted, shutdown, "Shutdown Windows at 11:50 PM"},
    };
    // clang-format on
    for (bool locked : {false, true}) {
        fakes::FakeCountdownWindow window;
        Countdown countdown(window, {[&] { return locked; }, nullptr, nullptr, nullptr, nullptr});
        ScenarioBook book;
        Agenda agenda(book);
        if (locked) book.AddActive("Shutdown Windows; Daily; 11:50 PM");
        fakes::FakeClock clock{LocalTime{2026, 12, 7, 1, 23, 41, 10}};
        CommandHandler handler(
            {countdown, agenda, clock, [&] { return locked; }, [] { return false; },
             [](const std::vector<Occurrence>&) { return false; }, [] { return false; }, [] { return true; }});
        for (const Row& r : rows) {
            if (r.locked != locked) continue;
            SCOPED_TRACE(JoinArguments(r.args));
            std::string answer;
            EXPECT_EQ(handler.Run(ParseCommandLine(r.args).command, answer), r.reply);
            EXPECT_EQ(countdown.TimerRunning() ? countdown.lblAction.Caption() : "", r.counting);
            EXPECT_EQ(answer, r.answer);
        }
        // The skipped one-time entry is used up; the locked one stays.
        EXPECT_EQ(book.ActiveTexts(),
                  locked ? Texts{"Shutdown Windows; Daily; 11:50 PM"} : Texts{"Suspend; After idle; 30 min"});
    }
}

}  // namespace
}  // namespace dwl
