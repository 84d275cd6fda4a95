#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

TEST(ScenarioFile, ReadsOnlyACompleteFileAndSkipsLinesOfUnknownKinds) {
    const std::string good = FormatScenarioFile({{"Reboot Computer; Daily; 7:00", "Suspend; Onetime; 1:00"}, {}});
    ASSERT_TRUE(ParseScenarioFile(good));
    EXPECT_FALSE(ParseScenarioFile(std::string("\0\0\xff garbage", 12)));
    // Cut off at every length short of the whole file.
    for (size_t n = 0; n < good.size() - 1; ++n) EXPECT_FALSE(ParseScenarioFile(good.substr(0, n))) << n;
    // An end line whose count does not match, or lines after it.
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tx\r\nend\t2\r\n"));
    EXPECT_FALSE(ParseScenarioFile(good + "scenario\tlate\r\n"));
    EXPECT_FALSE(ParseScenarioFile("Duskwell scenarios 1\r\nscenario\tbad \\q escape\r\nend\t1\r\n"));
    // Lines of unknown kinds are skipped, bare line feeds accepted.
    const auto data =
        ParseScenarioFile("Duskwell scenarios 1\nnote\tfrom a later version\nscenario\tSuspend; Daily; 1:00\nend\t2\n");
    ASSERT_TRUE(data);
    EXPECT_EQ(data->scenarios, std::vector<std::string>{"Suspend; Daily; 1:00"});
}

// Portable use and the carry-over from beside the program are the program's tests.
TEST(ScenarioFile, LivesInTheUsersFolderAndIsCarriedFromTheVirtualStoreFirstThenFromBesideTheProgram) {
    fakes::Journal journal;
    fakes::FakeFileSystem files{journal};
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn";
    const ScenarioFilePlace virtualised = LocateScenarioFile(files, true);
    EXPECT_EQ(virtualised.path, "C:\\Users\\ann\\AppData\\Roaming\\Duskwell\\dwl.scn");
    EXPECT_EQ(
        virtualised.earlier,
        (std::vector<std::string>{"C:\\Users\\ann\\AppData\\Local\\VirtualStore\\Apps\\Duskwell\\dwl.scn", beside}));
    EXPECT_EQ(LocateScenarioFile(files, false).earlier, std::vector<std::string>{beside});
    files.roaming.clear();  // a system without the folder
    EXPECT_EQ(LocateScenarioFile(files, true).path, beside);
}

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
        {"Shutdown Windows; After exit; My Setup.EXE", "After exit|0:00||My Setup.EXE"},
        {"Run Application app; After idle; 1440 min", "After idle|0:00|app|1440"},
    };
    // clang-format on
    for (const Row& r : rows) {
        const auto entry = ParseScenarioEntry(r.text);
        ASSERT_TRUE(entry.has_value()) << r.text;
        const std::string event = entry->AtTimeOfDay() ? ""
                                  : "|" + (entry->idleMinutes ? std::to_string(entry->idleMinutes) : entry->program);
        EXPECT_EQ(entry->DurationText() + "|" + TimeText(entry->hour, entry->minute, false) + "|" +
                      entry->application + event,
                  r.read)
            << r.text;
    }
    for (const char* text :
         {"Shutdown Windows; Weekly (Mon) Onetime; 8:00", "Shutdown Windows; Weekly (Mon);x; 8:00",
          "Shutdown Windows; Weekly (Mon); x; 8:00", "Shutdown Windows; Weekly (); 8:00",
          "Shutdown Windows; Weekly (mon); 8:00", "Shutdown Windows; Weekly (Mon,Fri); 8:00",
          "Shutdown Windows; Daily; 00:30", "Shutdown Windows; Daily; 8:00 pm", "Shutdown Windows; Daily; 13:00 PM",
          "Shutdown Windows; Daily; 8:00 ", "shutdown windows; Daily; 8:00", "Run Application; Daily; 8:00",
          "Run Application  ; Daily; 8:00", "Run Application a;b; Daily; 8:00", "; Weekly (Mon); 07:00", "",
          "Suspend; After exit; setup", "Suspend; After exit;  setup.exe", "Suspend; After exit; C:\\setup.exe",
          "Suspend; After exit; .exe", "Suspend; After idle; 0 min", "Suspend; After idle; 1441 min",
          "Suspend; After idle; 05 min", "Suspend; After idle; 5min", "Suspend; After idle; 21:00"})
        EXPECT_FALSE(ParseScenarioEntry(text).has_value()) << text;
    EXPECT_EQ(ApplicationNameIn("Run Application  my app ;", kRunAppText), "my app");
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
