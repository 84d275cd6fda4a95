#include <gtest/gtest.h>

#include "schedule/mtime.h"

namespace dwl {
namespace {

TEST(ReadTimeOfDay, AcceptedAndRejectedTextsAndEveryMinuteInBothForms) {
    // clang-format off
    struct Row { const char* text; int hour, minute; };
    const Row accepted[] = {
        {"09:05", 9, 5},       {"  23:59\t", 23, 59}, {"21:05:12", 21, 5},   {"12:05 AM", 0, 5},
        {"12:05 PM", 12, 5},   {"9:30 pm", 21, 30},   {"9:05:12 PM", 21, 5}, {"1:00  am", 1, 0},
    };
    // clang-format on
    for (const Row& row : accepted)
        EXPECT_EQ(ReadTimeOfDay(row.text), std::make_pair(row.hour, row.minute)) << row.text;
    for (const char* text : {"", "9", "9:5", "9:005", "24:00", "123:00", "9:60", "+9:05", "9.05", "9:05:", "9:05:60",
                             "9:05:12:13", "0:30 AM", "13:00 PM", "9:05PM", "9:05 a.m.", "AM 9:05"})
        EXPECT_FALSE(ReadTimeOfDay(text).has_value()) << text;
    // Every minute's text reads back, in both forms.
    for (int hour = 0; hour < 24; ++hour)
        for (int minute = 0; minute < 60; ++minute)
            for (bool use12Hour : {false, true})
                EXPECT_EQ(ReadTimeOfDay(TimeText(hour, minute, use12Hour)), std::make_pair(hour, minute));
}

}  // namespace
}  // namespace dwl
