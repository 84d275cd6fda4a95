#pragma once
// The watches of the scenarios that fall due on an event.
//
// "After exit": armed when the entry becomes active; each copy of the program
// (its file name as the close compares it, in the user's own session) is
// opened at the minute checks and waited for. When the last one seen has
// ended and no other copy runs, the entry falls due the warning time later
// (at once without a warning time) and is then used up.
//
// "After idle": at each minute's start the time since the last input is read,
// counted from when no program kept the display or system awake any more.
// Once it reaches the entry's minutes less the warning time, the entry falls
// due in the minute its minutes are reached; input, or a program keeping the
// machine awake, before then takes that back. After it ran, or was skipped,
// it waits for input (not merely for the machine to be let sleep) before it
// counts again.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/processes.h"
#include "platform/user.h"
#include "schedule/agenda.h"

namespace dwl {

class Triggers {
public:
    struct Services {
        IProcesses& processes;
        IActivity& activity;
        std::function<std::int64_t()> currentMinute;
        std::function<std::int64_t()> lastCheckedMinute;
        std::function<int()> warnMinutes;
        // Hands over an occurrence due in a minute already checked.
        std::function<void(const Occurrence&)> runNow;
    };
    Triggers(Agenda& agenda, Services services);

    // At each minute's start, before its check.
    void Update();
    // When the active entries change: the watches follow, and the copies of
    // a newly watched program that run now are waited for at once.
    void Arm();
    // At the program's end: no watch any more, and none made.
    void Stop();

private:
    struct ProgramWatch {
        std::string text, program;
        std::vector<std::pair<std::uint32_t, std::unique_ptr<IProcess>>> running;  // by process id
        bool seen = false;
    };
    struct IdleWatch {
        std::string text;
        int minutes;
        std::uint32_t lastInput = 0;  // as read at the last check
    };
    // Follows the active entries: a watch for each, none for others.
    void Follow();
    // Opens the copies of the program that run now and are not held yet.
    void OpenCopies(ProgramWatch& watch);
    void Ended(const std::string& text);
    // The entry's occurrence in `minute`; one in a minute already checked is handed over at once.
    void FallDue(std::string text, std::int64_t minute);

    Agenda& agenda_;
    Services services_;
    std::vector<std::unique_ptr<ProgramWatch>> programs_;
    std::vector<IdleWatch> idle_;
    std::uint32_t keptAwakeAt_ = 0;  // the millisecond count when a program last kept the machine awake
    bool keptAwakeSeen_ = false;
    bool stopped_ = false;
};

}  // namespace dwl
