#pragma once
// Waking the computer for the scenarios: while it is on, the one wake timer
// is due shortly before the next occurrence, early enough for its warning.
#include <cstdint>
#include <optional>
#include <string>

#include "platform/clock.h"
#include "platform/wake_timer.h"
#include "schedule/agenda.h"

namespace dwl {

class WakeSchedule {
public:
    WakeSchedule(Agenda& agenda, IClock& clock, IWakeTimer& timer) : agenda_(agenda), clock_(clock), timer_(timer) {}

    // Brings the timer up to date at `now` (a local minute number that has
    // been checked): due `leadMinutes` (at least one) before the next
    // occurrence, or at its minute once that time has passed; cancelled when
    // off or with nothing to come. The system is called only when the due
    // time changes. False when it refused the timer; `reason` says why.
    bool Update(std::int64_t now, bool on, int leadMinutes, std::string& reason);
    // After a resume: the timer is set again at the next Update. When it
    // woke the computer, the computer is held awake until the minute it woke
    // for has passed.
    void Resumed();
    // After a change of the clock or its zone: the timer is set again.
    void Forget() { known_ = !set_; }
    // The UTC second the timer is due at, as set last.
    std::optional<std::int64_t> Due() const { return set_; }

private:
    Agenda& agenda_;
    IClock& clock_;
    IWakeTimer& timer_;
    std::optional<std::int64_t> set_;     // the due time given to the system
    bool known_ = true;                   // false: the system's timer is to be set again
    std::int64_t dueFor_ = 0;             // the local minute of the occurrence it is due for
    std::optional<std::int64_t> heldTo_;  // held awake up to this local minute
};

}  // namespace dwl
