#pragma once
#include <cstdint>
#include <string>

namespace dwl {

// A local date and time of day, as the system clock gives it.
struct LocalTime {
    int year = 2000;
    int month = 1;      // 1..12
    int day = 1;        // 1..31
    int dayOfWeek = 6;  // 0 Sunday .. 6 Saturday
    int hour = 0;       // 0..23
    int minute = 0;
    int second = 0;
    int millisecond = 0;
};

class IClock {
public:
    virtual ~IClock() = default;
    virtual LocalTime Now() = 0;
    // The current time in UTC, in seconds since 1601-01-01 (the system's file
    // time). Unlike the local time it neither repeats nor skips an hour when
    // daylight saving time begins or ends.
    virtual std::int64_t UtcSeconds() = 0;
    // The UTC second (as UtcSeconds counts) at which the local clock shows
    // `local`, by the time zone's rules for that date: daylight saving time
    // or not as it will be then, not as it is now.
    virtual std::int64_t UtcSecondsOf(const LocalTime& local) = 0;
    // The current time written in the system's own time format (e.g. "9:05:12 PM" or "21:05:12").
    virtual std::string SystemTimeText() = 0;
};

}  // namespace dwl
