#pragma once
#include <string>

#include "platform/clock.h"

namespace dwl::fakes {

// A clock that stands still at the time set by the test; the system's text
// is set separately, so tests can give it any locale's format.
struct FakeClock : IClock {
    FakeClock(int hour, int minute, std::string text) : systemText(std::move(text)) {
        now.hour = hour;
        now.minute = minute;
    }
    explicit FakeClock(LocalTime start) : now(start) {}
    LocalTime Now() override { return now; }
    std::string SystemTimeText() override { return systemText; }

    LocalTime now;
    std::string systemText;
};

}  // namespace dwl::fakes
