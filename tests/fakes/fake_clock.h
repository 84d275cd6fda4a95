#pragma once
#include <climits>
#include <cstdint>
#include <string>

#include "platform/clock.h"
#include "schedule/calendar.h"

namespace dwl::fakes {

// A clock that stands still at the time set by the test; the system's text
// is set separately, so tests can give it any locale's format. UTC is the
// local time less utcOffset seconds: setting `now` alone moves both, as
// setting the clock by hand does; a daylight-saving change sets both fields.
struct FakeClock : IClock {
    FakeClock(int hour, int minute, std::string text) : systemText(std::move(text)) {
        now.hour = hour;
        now.minute = minute;
    }
    explicit FakeClock(LocalTime start) : now(start) {}
    LocalTime Now() override { return now; }
    std::int64_t UtcSeconds() override {
        return CivilDayNumber(now.year, now.month, now.day) * 86400 + now.hour * 3600 + now.minute * 60 + now.second -
               utcOffset;
    }
    // By the offset of then: `laterOffset` from the local minute `changeAt` on.
    std::int64_t UtcSecondsOf(const LocalTime& local) override {
        const std::int64_t minute = MinuteNumber(local);
        return minute * 60 + local.second - (minute >= changeAt ? laterOffset : utcOffset);
    }
    std::string SystemTimeText() override { return systemText; }

    LocalTime now;
    std::int64_t utcOffset = 0;
    std::int64_t changeAt = INT64_MAX, laterOffset = 0;
    std::string systemText;
};

}  // namespace dwl::fakes
