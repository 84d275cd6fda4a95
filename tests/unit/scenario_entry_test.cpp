#include <gtest/gtest.h>

#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"

namespace dwl {
namespace {

TEST(ScenarioEntry, OneReadingRule) {
    // clang-format off
    struct Row { const char* text; const char* read; };  // duration|time as 24-hour|application
    const Row rows[] = {
        {"Shutdown Windows; Onetime; 7:00", "Onetime|7:00|"},
        {"Log Off Current User; Weekly (Mon, Fri); 6:05 PM", "Weekly (Mon, Fri)|18:05|"},
        {"Reboot Computer; Weekly (Fri, Mon, Fri); 12:00 AM", "Weekly (Mon, Fri)|0:00|"},
        {"Run Application Weekly (Sat); Daily; 9:00", "Daily|9:00|Weekly (Sat)"},
        {"Close Application  two words ; Onetime; 23:59", "Onetime|23:59| two words "},
        {"Lock Computer; Daily; 12:30 PM", "Daily|12:30|"},  // read wherever locking is offered or not
    };
    // clang-format on
    for (const Row& r : rows) {
        const auto entry = ParseScenarioEntry(r.text);
        ASSERT_TRUE(entry.has_value()) << r.text;
        EXPECT_EQ(entry->DurationText() + "|" + TimeText(entry->hour, entry->minute, false) + "|" + entry->application,
                  r.read)
            << r.text;
        for (bool use12Hour : {false, true})
            EXPECT_EQ(ParseScenarioEntry(FormatScenarioEntry(*entry, use12Hour)), entry) << r.text;
    }
    for (const char* text :
         {"Shutdown Windows; Weekly (Mon) Onetime; 8:00", "Shutdown Windows; Weekly (Mon);x; 8:00",
          "Shutdown Windows; Weekly (Mon); x; 8:00", "Shutdown Windows; Weekly (); 8:00",
          "Shutdown Windows; Weekly (mon); 8:00", "Shutdown Windows; Weekly (Mon,Fri); 8:00",
          "Shutdown Windows; Daily; 00:30", "Shutdown Windows; Daily; 8:00 pm", "Shutdown Windows; Daily; 13:00 PM",
          "Shutdown Windows; Daily; 8:00 ", "shutdown windows; Daily; 8:00", "Run Application; Daily; 8:00",
          "Run Application  ; Daily; 8:00", "Run Application a;b; Daily; 8:00", "; Weekly (Mon); 07:00", ""})
        EXPECT_FALSE(ParseScenarioEntry(text).has_value()) << text;
    EXPECT_EQ(ApplicationNameIn("Run Application  my app ;", kRunAppText), "my app");
    EXPECT_EQ(ApplicationNameIn("Close Application Run Application x; Daily; 9:00", kRunAppText), "");
    EXPECT_EQ(ParseScenarioEntry("Close Application x; Weekly (Sat); 9:00")->ActionField(), "Close Application x;");
}

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
