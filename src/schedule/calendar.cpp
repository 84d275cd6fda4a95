#include "schedule/calendar.h"

namespace dwl {

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
    std::int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
    return q;
}

}  // namespace

std::int64_t CivilDayNumber(int year, int month, int day) {
    // Years counted from March, so the leap day falls at the end of a year.
    const std::int64_t y = static_cast<std::int64_t>(year) - (month <= 2 ? 1 : 0);
    const std::int64_t era = FloorDiv(y, 400);
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t shiftedMonth = month > 2 ? month - 3 : month + 9;
    const std::int64_t dayOfYear = (153 * shiftedMonth + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

int WeekdayOfDayNumber(std::int64_t dayNumber) {
    // Day 0, 1970-01-01, was a Thursday.
    return static_cast<int>(((dayNumber + 4) % 7 + 7) % 7);
}

std::int64_t MinuteNumber(const LocalTime& time) {
    return CivilDayNumber(time.year, time.month, time.day) * kMinutesPerDay + time.hour * 60 + time.minute;
}

std::int64_t DayOfMinuteNumber(std::int64_t minute) { return FloorDiv(minute, kMinutesPerDay); }

int MinuteOfDay(std::int64_t minute) { return static_cast<int>(minute - DayOfMinuteNumber(minute) * kMinutesPerDay); }

LocalTime LocalTimeOfMinute(std::int64_t minute) {
    // CivilDayNumber backwards: eras of 400 years, years counted from March.
    const std::int64_t dayNumber = DayOfMinuteNumber(minute);
    const std::int64_t shifted = dayNumber + 719468;
    const std::int64_t era = FloorDiv(shifted, 146097);
    const std::int64_t dayOfEra = shifted - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t shiftedMonth = (5 * dayOfYear + 2) / 153;
    LocalTime time;
    time.day = static_cast<int>(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    time.month = static_cast<int>(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    time.year = static_cast<int>(yearOfEra + era * 400 + (time.month <= 2 ? 1 : 0));
    time.dayOfWeek = WeekdayOfDayNumber(dayNumber);
    time.hour = MinuteOfDay(minute) / 60;
    time.minute = MinuteOfDay(minute) % 60;
    return time;
}

}  // namespace dwl
