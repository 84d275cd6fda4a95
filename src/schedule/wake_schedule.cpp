#include "schedule/wake_schedule.h"

#include <algorithm>

#include "schedule/calendar.h"

namespace dwl {

bool WakeSchedule::Update(std::int64_t now, bool on, int leadMinutes, std::string& reason) {
    if (heldTo_ && (!on || now > *heldTo_)) {
        timer_.HoldAwake(false);
        heldTo_.reset();
    }
    std::optional<std::int64_t> due;
    if (const auto next = on ? agenda_.Next(now) : std::nullopt) {
        // Converted at the occurrence's own date: a daylight-saving change
        // may lie between now and then.
        const std::int64_t at = clock_.UtcSecondsOf(LocalTimeOfMinute(next->minute));
        const std::int64_t early = at - 60 * std::max(leadMinutes, 1);
        due = early > clock_.UtcSeconds() ? early : at;
        dueFor_ = next->minute;
    }
    if (known_ && due == set_) return true;
    known_ = true;
    set_ = due;
    if (!due) {
        timer_.Cancel();
        return true;
    }
    return timer_.SetAt(*due, reason);
}

void WakeSchedule::Resumed() {
    if (set_ && !heldTo_ && timer_.CameDue()) {
        timer_.HoldAwake(true);
        heldTo_ = dueFor_;
    }
    Forget();
}

}  // namespace dwl
