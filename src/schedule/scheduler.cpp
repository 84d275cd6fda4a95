#include "schedule/scheduler.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "model/scope_guard.h"

namespace dwl {

bool CheckedMinutes::Contains(std::int64_t minute) const {
    return std::any_of(ranges_.begin(), ranges_.end(),
                       [minute](const Range& r) { return r.first <= minute && minute <= r.last; });
}

void CheckedMinutes::Add(std::int64_t minute) {
    auto next = std::find_if(ranges_.begin(), ranges_.end(), [minute](const Range& r) { return r.last >= minute; });
    if (next != ranges_.end() && next->first <= minute) return;
    const bool joinsPrevious = next != ranges_.begin() && std::prev(next)->last == minute - 1;
    const bool joinsNext = next != ranges_.end() && next->first == minute + 1;
    if (joinsPrevious && joinsNext) {
        std::prev(next)->last = next->last;
        ranges_.erase(next);
    } else if (joinsPrevious) {
        std::prev(next)->last = minute;
    } else if (joinsNext) {
        next->first = minute;
    } else {
        next = ranges_.insert(next, Range{minute, minute});
        if (ranges_.size() > kMaxRanges) {
            // Forget the range farthest from the one just begun.
            const bool dropFirst = minute - ranges_.front().last > ranges_.back().first - minute;
            ranges_.erase(dropFirst ? ranges_.begin() : std::prev(ranges_.end()));
        }
    }
}

Scheduler::Scheduler(Agenda& agenda, IClock& clock, IScenarioActions& actions)
    : agenda_(agenda), book_(agenda.Book()), clock_(clock), actions_(actions) {
    MarkCurrentMinuteChecked();
}

unsigned Scheduler::DelayToNextMinute(const LocalTime& now) {
    const int intoMinute = std::clamp(now.second, 0, 59) * 1000 + std::clamp(now.millisecond, 0, 999);
    return static_cast<unsigned>(60000 - intoMinute) + kPastTheMinuteMs;
}

void Scheduler::MarkCurrentMinuteChecked() {
    lastChecked_ = MinuteNumber(clock_.Now());
    lastUtc_ = clock_.UtcSeconds();
    checked_.Add(lastChecked_);
}

void Scheduler::GTimer_Timer() {
    if (ticking_) return;
    const std::int64_t current = MinuteNumber(clock_.Now());
    const std::int64_t utc = clock_.UtcSeconds();
    if (current == lastChecked_) return;
    const FlagScope running(ticking_);

    std::int64_t first = lastChecked_ + 1;
    if (current < lastChecked_) {
        first = current;
    } else if (current - lastChecked_ > kMaxCatchUpMinutes) {
        // A daylight-saving change moves the local clock while UTC goes on.
        const std::int64_t utcPassed = utc - lastUtc_;
        const bool clockShift = utcPassed >= 0 && utcPassed <= kMaxCatchUpMinutes * 60 &&
                                current - lastChecked_ - utcPassed / 60 <= kMaxClockShiftMinutes;
        if (!clockShift) first = current;
    }
    lastUtc_ = utc;

    for (std::int64_t minute = first; minute <= current; ++minute) {
        lastChecked_ = minute;
        if (checked_.Contains(minute)) {
            // A minute the clock repeats: what was moved or triggered into it
            // since still runs; the entries' own times do not again.
            for (const Occurrence& due : agenda_.DueIn(minute))
                if (due.Postponed() || !due.entry.AtTimeOfDay()) HandOver(due);
            agenda_.Passed(minute);
            continue;
        }
        checked_.Add(minute);
        CheckMinute(minute);
    }
    RunAfterTick();
    if (onTicked) onTicked(current);
}

void Scheduler::CheckMinute(std::int64_t minute) {
    const int minuteOfDay = MinuteOfDay(minute);
    if (onMinuteChecked) onMinuteChecked(minuteOfDay / 60, minuteOfDay % 60);

    // The occurrences due when the scan began; one that a hand-over's message
    // loop let the user delete, postpone or skip meanwhile is not handed over.
    for (const Occurrence& due : agenda_.DueIn(minute)) HandOver(due);
    agenda_.Passed(minute);
}

void Scheduler::HandOver(const Occurrence& due) {
    if (!agenda_.Holds(due)) return;
    const bool usedUp = due.entry.UsedUpWhenDue();
    const bool byPolicy = book_.IsPolicy(due.text);
    // Taken out of both lists by its text: an edit waiting for Apply may
    // have moved the selector's places, and the entries added there and
    // never applied stay as they are.
    if (usedUp ? !book_.Consume(due.text) : !book_.IsActive(due.text)) return;
    if (due.entry.IsApplicationAction())
        actions_.ShowRunCloseAction(due.entry.ActionField(), usedUp, byPolicy);
    else
        actions_.ShowAction(due.entry.ActionCode(), byPolicy);
}

void Scheduler::RunNow(const Occurrence& due) {
    runAfterTick_.push_back(due);
    // Inside a tick's hand-over (its message loop): after the tick.
    if (ticking_) return;
    const FlagScope running(ticking_);
    RunAfterTick();
}

void Scheduler::RunAfterTick() {
    while (!runAfterTick_.empty()) {
        const Occurrence due = runAfterTick_.front();
        runAfterTick_.erase(runAfterTick_.begin());
        HandOver(due);
        agenda_.Ran(due);
    }
}

}  // namespace dwl
