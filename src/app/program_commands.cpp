// The program's start with the command line's arguments, and the commands
// that later starts hand to the running program.
#include "app/program.h"

#include "app/version.h"
#include "app/windows_version.h"
#include "app/xp_manifest.h"
#include "model/power_action.h"
#include "model/scope_guard.h"
#include "platform/command_channel.h"
#include "platform/dialogs.h"
#include "platform/instance.h"
#include "schedule/scenario_entry.h"
#include "settings/settings.h"

namespace dwl {
namespace {

constexpr const char* kAlreadyRunning = "Duskwell already running.";
constexpr const char* kRunsElevated = "Duskwell runs as administrator: start this command as administrator too.";
constexpr const char* kStartAgain = "Windows XP necessary changes has been installed.\r\nPlease, start Duskwell again.";

}  // namespace

bool Program::Main() {
    if (!platform_.instance.Acquire()) {
        // Started by both the machine's and the user's startup entry at
        // logon: the second start ends quietly, and the doubling with it.
        if (RemoveDoubledStartupEntry(Registry())) return false;
        platform_.dialogs.ShowMessage(kAlreadyRunning, DWL_APP_TITLE, MbOk, DialogOwner::None);
        return false;
    }
    if (IsXPOrDotNet(platform_.osVersion) && InstallManifest(platform_.files, initCommonControls)) {
        platform_.dialogs.ShowMessage(kStartAgain, DWL_APP_TITLE, MbOk, DialogOwner::None);
        return false;
    }
    StartUp(true);
    return true;
}

std::optional<int> Program::Start(const std::vector<std::string>& args) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    const Command& command = parsed.command;
    if (!parsed.error.empty() || command.kind == Command::Kind::Usage) {
        Tell(UsageText(parsed.error), parsed.error.empty() ? MbIconInformation : MbIconExclamation);
        return ExitBadArguments;
    }
    if (command.kind == Command::Kind::None) return Main() ? std::nullopt : std::optional<int>(ExitAccepted);
    if (!platform_.instance.Acquire()) return HandOver(args);
    // Nothing of this program runs, so nothing counts down and nothing is
    // scheduled: no need to start it.
    if (command.kind == Command::Kind::Cancel) {
        Tell(ReplyText(CommandReply::NoCountdown));
        return ExitRefused;
    }
    if (command.kind != Command::Kind::Action) {
        Tell(ReplyText(CommandReply::NothingDue));
        return ExitRefused;
    }
    if (IsXPOrDotNet(platform_.osVersion) && InstallManifest(platform_.files, initCommonControls)) {
        Tell(kStartAgain);
        return ExitRefused;
    }
    StartUp(false);
    std::string answer;
    const CommandReply reply = RunCommand(command, answer);
    if (reply != CommandReply::Accepted) Tell(ReplyText(reply));
    return std::nullopt;
}

std::optional<int> Program::HandOver(const std::vector<std::string>& args) {
    const HandOverResult handed = platform_.commands.SendToRunningCopy(JoinArguments(args));
    if (handed.outcome != HandOverResult::Outcome::Answered) {
        Tell(handed.outcome == HandOverResult::Outcome::RunsElevated ? kRunsElevated
                                                                     : "Duskwell is running but does not answer.");
        return ExitRefused;
    }
    const auto reply = static_cast<CommandReply>(handed.answer);
    if (!handed.text.empty()) Tell(handed.text, MbIconInformation);
    if (reply == CommandReply::Accepted) return ExitAccepted;
    Tell(ReplyText(reply));
    return ExitRefused;
}

void Program::Tell(const std::string& text, unsigned icon) {
    if (!platform_.commands.WriteToConsole(text))
        platform_.dialogs.ShowMessage(text, DWL_APP_TITLE, MbOk | icon, DialogOwner::None);
}

int Program::OnCommand(const std::string& text, std::string& answer) {
    if (!ticking_ || exited_) return static_cast<int>(CommandReply::NotReady);
    // The clean-up before a shutdown lets sent messages in: no second action meanwhile.
    if (inExitWindows_) return static_cast<int>(CommandReply::Busy);
    const ParsedCommandLine parsed = ParseCommandLine(SplitArguments(text));
    if (!parsed.error.empty() || parsed.command.kind == Command::Kind::None ||
        parsed.command.kind == Command::Kind::Usage)
        return static_cast<int>(CommandReply::NotUnderstood);
    const FlagScope inCommand(inCommand_);
    return static_cast<int>(RunCommand(parsed.command, answer));
}

CommandReply Program::RunCommand(const Command& command, std::string& answer) {
    return commands_.Run(command, answer);
}

}  // namespace dwl
