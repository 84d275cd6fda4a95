#include "app/command_line.h"

#include "model/power_action.h"
#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"

namespace dwl {
namespace {

constexpr int kMaxMinutes = 1439;

struct ActionSwitch {
    const char* name;
    PowerAction code;
};
constexpr ActionSwitch kActionSwitches[] = {{"shutdown", Shutdown}, {"reboot", Reboot},       {"logoff", LogOff},
                                            {"suspend", Suspend},   {"hibernate", Hibernate}, {"lock", Lock}};

// "/Name" or "-Name" gives "name"; anything else gives the empty text.
std::string SwitchName(const std::string& arg) {
    if (arg.size() < 2 || (arg[0] != '/' && arg[0] != '-')) return {};
    return AsciiLowered(arg.substr(1));
}

// 1 to `most` in decimal digits, or -1.
int ReadMinutes(const std::string& text, int most = kMaxMinutes) { return ReadMinuteCount(text, most).value_or(-1); }

ParsedCommandLine Refuse(const std::string& error) { return {Command{}, error}; }

// The refusal of a switch's value: `ifEmpty` when there is none (with null,
// `needs` and a full stop), else `needs` and the value given.
ParsedCommandLine RefuseValue(const char* needs, const char* ifEmpty, const std::string& value) {
    if (value.empty()) return Refuse(ifEmpty ? std::string(ifEmpty) : needs + std::string("."));
    return Refuse(needs + (", not \"" + value + "\"."));
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::string>& args) {
    for (const std::string& arg : args)
        if (SwitchName(arg) == "?") return {Command{Command::Kind::Usage}, {}};

    Command c;
    bool cancel = false;
    Command::Kind alone = Command::Kind::None;  // a switch that takes no other
    std::string aloneArg;
    std::string actionArg;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string name = SwitchName(arg);
        bool isAction = false;
        for (const ActionSwitch& action : kActionSwitches) {
            if (name != action.name) continue;
            if (c.action >= 0) return Refuse("Two actions: " + actionArg + " and " + arg + ". Give one.");
            c.action = action.code;
            actionArg = arg;
            isAction = true;
        }
        if (isAction) continue;
        if (name == "next" || name == "skip" || name == "postpone") {
            if (alone != Command::Kind::None) return Refuse(aloneArg + " and " + arg + ": give one.");
            aloneArg = arg;
            alone = name == "next"   ? Command::Kind::Next
                    : name == "skip" ? Command::Kind::Skip
                                     : Command::Kind::Postpone;
            if (alone == Command::Kind::Postpone) {
                const std::string value = i + 1 < args.size() ? args[++i] : std::string();
                c.minutes = ReadMinutes(value);
                if (c.minutes < 0)
                    return RefuseValue("/postpone needs a number of minutes from 1 to 1439",
                                       "/postpone needs a number of minutes, from 1 to 1439.", value);
            }
        } else if (name == "cancel") {
            cancel = true;
        } else if (name == "daily") {
            c.daily = true;
        } else if (name == "in" || name == "at" || name == "after-exit" || name == "after-idle") {
            if (c.when != Command::When::Now)
                return Refuse("Give one time only: /in MINUTES, /at TIME, /after-exit NAME or /after-idle MINUTES.");
            const std::string value = i + 1 < args.size() ? args[++i] : std::string();
            if (name == "after-exit") {
                if (!IsProgramFileName(value))
                    return RefuseValue("/after-exit needs a program's file name ending in .exe, such as setup.exe",
                                       nullptr, value);
                c.program = value;
                c.when = Command::When::AfterExit;
            } else if (name == "after-idle") {
                c.minutes = ReadMinutes(value, ScenarioEntry::kMaxIdleMinutes);
                if (c.minutes < 0)
                    return RefuseValue("/after-idle needs a number of minutes from 1 to 1440", nullptr, value);
                c.when = Command::When::AfterIdle;
            } else if (name == "in") {
                c.minutes = ReadMinutes(value);
                if (c.minutes < 0)
                    return RefuseValue("/in needs a number of minutes from 1 to 1439",
                                       "/in needs a number of minutes, from 1 to 1439.", value);
                c.when = Command::When::In;
            } else {
                std::string time = value;
                // "/at 9:30 PM" arrives as two arguments unless it was quoted.
                if (i + 1 < args.size() && (AsciiLowered(args[i + 1]) == "am" || AsciiLowered(args[i + 1]) == "pm"))
                    time += " " + args[++i];
                const auto read = time.empty() ? std::nullopt : ReadTimeOfDay(time);
                if (!read)
                    return RefuseValue("/at needs a time such as 21:30 or 9:30 PM",
                                       "/at needs a time, such as 21:30 or 9:30 PM.", time);
                c.hour = read->first;
                c.minute = read->second;
                c.when = Command::When::At;
            }
        } else {
            return Refuse("Unknown argument: " + arg);
        }
    }

    if (alone != Command::Kind::None) {
        if (cancel || c.action >= 0 || c.when != Command::When::Now || c.daily)
            return Refuse(aloneArg + " takes no other arguments.");
        Command command{alone};
        command.minutes = c.minutes;
        return {command, {}};
    }
    if (cancel) {
        if (c.action >= 0 || c.when != Command::When::Now || c.daily)
            return Refuse("/cancel takes no other arguments.");
        return {Command{Command::Kind::Cancel}, {}};
    }
    if (c.daily && c.when != Command::When::At) return Refuse("/daily goes with /at TIME.");
    if (c.action < 0) {
        if (c.when != Command::When::Now) return Refuse("A time needs an action, such as /shutdown.");
        return {};
    }
    c.kind = Command::Kind::Action;
    return {c, {}};
}

std::string UsageText(const std::string& error) {
    std::string text = error.empty() ? std::string() : error + "\r\n\r\n";
    return text +
           "Usage: dwl.exe ACTION [/in MINUTES | /at TIME [/daily] | /after-exit NAME | /after-idle MINUTES]\r\n"
           "       dwl.exe /cancel | /next | /postpone MINUTES | /skip\r\n"
           "\r\n"
           "ACTION is one of /shutdown /reboot /logoff /suspend /hibernate /lock.\r\n"
           "  ACTION alone      the action, after the 5-second countdown\r\n"
           "  /in MINUTES       a one-time scenario MINUTES (1 to 1439) from now\r\n"
           "  /at TIME          a one-time scenario at TIME (21:30 or 9:30 PM)\r\n"
           "  /daily            with /at: a daily scenario\r\n"
           "  /after-exit NAME  a scenario once the last copy of NAME (setup.exe) has ended\r\n"
           "  /after-idle MINUTES  a scenario whenever no one used the machine for MINUTES (1 to 1440)\r\n"
           "  /cancel           cancels a running countdown\r\n"
           "  /next             prints the next scheduled action\r\n"
           "  /postpone MINUTES moves the next scheduled action MINUTES later, once\r\n"
           "  /skip             drops the next scheduled action, once\r\n"
           "  /?                this text\r\n"
           "\r\n"
           "A running Duskwell carries the command out; otherwise Duskwell starts.\r\n"
           "Exit code: 0 done, 1 refused, 2 bad arguments.";
}

std::string ReplyText(CommandReply reply) {
    switch (reply) {
    case CommandReply::Accepted: return {};
    case CommandReply::NotTaken: return "The running Duskwell did not take the command.";
    case CommandReply::ScenariosLocked:
        return "The configuration is locked with a password: no scenario can be added from the command line.";
    case CommandReply::CancelLocked:
        return "The configuration is locked with a password: the countdown cannot be cancelled.";
    case CommandReply::NoCountdown: return "No countdown is running.";
    case CommandReply::LockUnsupported: return "This system does not offer locking.";
    case CommandReply::NotUnderstood: return "The running Duskwell did not understand the command.";
    case CommandReply::NotReady: return "Duskwell is starting or ending; try again.";
    case CommandReply::Busy: return "Duskwell is carrying out an action.";
    case CommandReply::NothingDue: return "No scheduled action is coming.";
    case CommandReply::MovesLocked:
        return "The configuration is locked with a password: the scheduled action cannot be postponed or skipped.";
    case CommandReply::PolicyHolds:
        return "The administrator's scenario cannot be cancelled, postponed or skipped.";
    case CommandReply::PolicyLocked:
        return "The administrator has locked the configuration: no scenario can be added from the command line.";
    case CommandReply::PastNextTime:
        return "The scheduled action cannot be postponed that far: its scenario falls due again before then.";
    }
    return "The running Duskwell refused the command.";
}

std::string JoinArguments(const std::vector<std::string>& args) {
    std::string text;
    for (size_t i = 0; i < args.size(); ++i) text += (i ? "\n" : "") + args[i];
    return text;
}

std::vector<std::string> SplitArguments(const std::string& text) {
    return text.empty() ? std::vector<std::string>{} : Split(text, "\n");
}

}  // namespace dwl
