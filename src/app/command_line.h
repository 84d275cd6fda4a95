#pragma once
// The command line: what scripts and the Task Scheduler ask of Duskwell.
//
//   dwl.exe ACTION                  the action, announced by the countdown
//   dwl.exe ACTION /in MINUTES      a one-time scenario MINUTES from now
//   dwl.exe ACTION /at TIME         a one-time scenario at TIME
//   dwl.exe ACTION /at TIME /daily  a daily scenario at TIME
//   dwl.exe ACTION /after-exit NAME  once the last copy of the program NAME.exe has ended
//   dwl.exe ACTION /after-idle MINUTES  whenever no one has used the machine for MINUTES
//   dwl.exe /cancel                 cancels a running countdown
//   dwl.exe /next                   prints the next scheduled action
//   dwl.exe /postpone MINUTES       moves it MINUTES later, this time only
//   dwl.exe /skip                   drops it, this time only
//   dwl.exe /?                      the usage
//
// ACTION is /shutdown, /reboot, /logoff, /suspend, /hibernate or /lock.
// Switches may start with "/" or "-" and are read in any letter case.
#include <string>
#include <vector>

namespace dwl {

struct Command {
    enum class Kind { None, Usage, Cancel, Action, Next, Postpone, Skip };
    enum class When { Now, In, At, AfterExit, AfterIdle };
    Kind kind = Kind::None;
    int action = -1;  // the PowerAction code of Kind::Action
    When when = When::Now;
    int minutes = 0;           // When::In and Kind::Postpone: 1 to 1439; When::AfterIdle: 1 to 1440
    std::string program{};     // When::AfterExit: a program's file name
    int hour = 0, minute = 0;  // When::At: 0..23, 0..59
    bool daily = false;        // When::At only
};

struct ParsedCommandLine {
    Command command;
    std::string error;  // empty when the arguments were understood
};

// Reads the arguments after the program's name. No arguments give Kind::None.
ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args);

// The usage, with `error` (when not empty) in front of it.
std::string UsageText(const std::string& error);

// The process's exit codes for a command.
enum CommandExitCode : int { ExitAccepted = 0, ExitRefused = 1, ExitBadArguments = 2 };

// What the running copy answers to a command handed to it. 0 is what a
// window that does not know commands answers, so it never means accepted.
enum class CommandReply : int {
    NotTaken = 0,
    Accepted = 1,
    ScenariosLocked,  // /in, /at and /daily while the configuration lock is in force
    CancelLocked,     // /cancel while the countdown offers no Cancel
    NoCountdown,      // /cancel with nothing counting down
    LockUnsupported,  // /lock where the system offers no locking
    NotUnderstood,
    NotReady,  // starting or ending
    Busy,      // an action is being carried out (the clean-up before a shutdown)
    NothingDue,      // /next, /postpone and /skip with no scenario to come
    MovesLocked,     // /postpone and /skip while the configuration lock is in force
    PastNextTime,    // /postpone as far as the scenario's next own time
    PolicyHolds,     // /cancel, /postpone, /skip or an action against an administrator's scenario
    PolicyLocked,    // /in, /at and the others while the administrator locks the settings
};

// Why a command was refused, for the user; empty for Accepted.
std::string ReplyText(CommandReply reply);

// The arguments as handed to the running copy, and back.
std::string JoinArguments(const std::vector<std::string>& args);
std::vector<std::string> SplitArguments(const std::string& text);

}  // namespace dwl
