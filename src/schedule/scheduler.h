#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "schedule/calendar.h"
#include "schedule/agenda.h"

namespace dwl {

// Receives the scenarios that fall due: the countdown window in the program.
class IScenarioActions {
public:
    virtual ~IScenarioActions() = default;
    // A PowerAction code other than power off; `byPolicy` when an
    // administrator's scenario falls due.
    virtual void ShowAction(int actionCode, bool byPolicy) = 0;
    // The action field of an application scenario, e.g. "Run Application app;".
    virtual void ShowRunCloseAction(const std::string& actionField, bool oneTime, bool byPolicy) = 0;
};

// The local minutes a scheduler has checked, as ranges of minute numbers.
// Only the ranges nearest the present are kept.
class CheckedMinutes {
public:
    static constexpr size_t kMaxRanges = 16;
    bool Contains(std::int64_t minute) const;
    void Add(std::int64_t minute);

private:
    struct Range {
        std::int64_t first, last;
    };
    std::vector<Range> ranges_;  // in order, apart and not adjacent
};

// The scheduler tick over the active scenarios.
//
// The window timer drifts, so a tick does not just look at the current minute:
// it checks every minute after the last one it checked up to the current one,
// so no minute the program lives through is skipped and none is checked twice.
//
// Local time can jump. Forward by more than kMaxCatchUpMinutes: when UTC went
// on as usual, the clock moved to daylight saving time, and the minutes it
// skipped are checked at once (a shift of at most kMaxClockShiftMinutes; a
// larger one is a change of time zone); when UTC jumped as well (resume from
// sleep, the clock set forward) only the current minute is checked. Back (the
// end of daylight saving time, the clock set back): the count goes on from the
// current minute, passing over the minutes already checked, so nothing the
// wall clock repeats runs again: a daily or weekly scenario is handed over at
// most once per local date. The memory of checked minutes lives in the running
// program only. The minute the scheduler is created in counts as checked.
class Scheduler {
public:
    static constexpr std::int64_t kMaxCatchUpMinutes = 5;
    static constexpr std::int64_t kMaxClockShiftMinutes = 120;

    // A one-time entry that falls due is consumed from the book before it is
    // handed over: the book's observers (the scenario file) see it gone
    // before an action that ends the session. What falls due comes from the
    // agenda, with the user's postponements and skips.
    Scheduler(Agenda& agenda, IClock& clock, IScenarioActions& actions);

    // Told after each tick that checked a minute, and with the current minute
    // number: the warnings and the tray icon's "next" follow it.
    std::function<void(std::int64_t minute)> onTicked;

    // Told each minute of the day the tick checks (a trace of its catching up).
    std::function<void(int hour, int minute)> onMinuteChecked;

    // The handler of GTimer. A tick that arrives while one runs (from a modal
    // message loop inside the hand-over) is dropped; the minutes it would have
    // checked are caught up by the next one.
    void GTimer_Timer();

    // How long from `now` until just after the next minute begins: GTimer is
    // set again after every tick so that each check comes at a minute's start.
    static unsigned DelayToNextMinute(const LocalTime& now);
    static constexpr unsigned kPastTheMinuteMs = 50;

    // Hands over an occurrence of a minute already checked (a program that
    // ended with no warning time to wait): as its minute's check would.
    void RunNow(const Occurrence& due);

    // Makes the current minute the last checked one.
    void MarkCurrentMinuteChecked();
    std::int64_t LastCheckedMinute() const { return lastChecked_; }
    // The current local minute number.
    std::int64_t CurrentMinute() const { return MinuteNumber(clock_.Now()); }
    // While a tick runs (and hands scenarios over).
    bool Ticking() const { return ticking_; }

private:
    // Scans the active entries for one minute.
    void CheckMinute(std::int64_t minute);
    void HandOver(const Occurrence& due);
    void RunAfterTick();

    Agenda& agenda_;
    ScenarioBook& book_;
    IClock& clock_;
    IScenarioActions& actions_;
    std::int64_t lastChecked_ = 0;
    std::int64_t lastUtc_ = 0;  // UTC seconds at the tick that checked lastChecked_
    CheckedMinutes checked_;
    std::vector<Occurrence> runAfterTick_;
    bool ticking_ = false;
};

}  // namespace dwl
