#include <gtest/gtest.h>

#include "schedule/calendar.h"

namespace dwl {
namespace {

TEST(Calendar, DayAndMinuteNumbers) {
    EXPECT_EQ(CivilDayNumber(2000, 2, 29), 11016);
    EXPECT_EQ(WeekdayOfDayNumber(CivilDayNumber(2100, 3, 1)), 1);      // a Monday, though 2100 has no leap day
    EXPECT_EQ(WeekdayOfDayNumber(CivilDayNumber(2023, 1, 1) - 1), 6);  // the last day of 2022, a Saturday
    // A minute before 1970 belongs to the day before day 0.
    EXPECT_EQ(DayOfMinuteNumber(-1), -1);
    EXPECT_EQ(MinuteOfDay(-1), 1439);
    EXPECT_EQ(MinuteOfDay(MinuteNumber({2026, 12, 7, 1, 21, 30, 0})), 21 * 60 + 30);
}

}  // namespace
}  // namespace dwl
