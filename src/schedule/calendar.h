#pragma once
// Calendar arithmetic on local dates and minutes, independent of the clock.
#include <cstdint>

#include "platform/clock.h"

namespace dwl {

// Days since 1970-01-01 of a proleptic Gregorian date (negative before).
std::int64_t CivilDayNumber(int year, int month, int day);
// Weekday of a day number, 0 Sunday .. 6 Saturday.
int WeekdayOfDayNumber(std::int64_t dayNumber);

// A local minute as one number: day number * 1440 + hour * 60 + minute.
std::int64_t MinuteNumber(const LocalTime& time);
// The day number of a minute number, and the minute of that day (0 .. 1439).
std::int64_t DayOfMinuteNumber(std::int64_t minute);
int MinuteOfDay(std::int64_t minute);
// The local date and time of a minute number (second 0).
LocalTime LocalTimeOfMinute(std::int64_t minute);

}  // namespace dwl
