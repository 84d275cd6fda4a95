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

}  // namespace
}  // namespace dwl
