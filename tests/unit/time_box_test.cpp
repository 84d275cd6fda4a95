#include <gtest/gtest.h>

#include <vector>

#include "fakes/fake_clock.h"
#include "ui/options/time_box.h"

namespace dwl {
namespace {

using fakes::FakeClock;
using Focus = std::vector<TimeBoxFocus>;

struct TimeBoxTest : ::testing::Test {
    TextBox txtTime{"txtTime"};
    Button cmdPlus{"cmdPlus", "+"};
    Button cmdMin{"cmdMin", "-"};
    ListControl lstTime{"lstTime"};
    TimeBox box{txtTime, cmdPlus, cmdMin, lstTime};
    Focus focus;

    TimeBoxTest() {
        box.onFocusRequest = [this](TimeBoxFocus target) { focus.push_back(target); };
    }

    // The box shows `text` with `part` selected.
    void Show(bool use12Hour, const std::string& text, const std::string& part) {
        box.Use12Hour = use12Hour;
        txtTime.SetText(text);
        box.LastValidTime = text;
        box.TimePart = part;
        txtTime.SetSelection(0, 0);
        box.SelectTimePart();
        focus.clear();
    }
};

TEST_F(TimeBoxTest, InitChoosesTheFormFromTheSystemText) {
    for (const auto& [system, use12Hour, text] :
         {std::tuple{"9:05:12 PM", true, "9:05 PM"}, std::tuple{"21:05:12", false, "21:05"},
          std::tuple{"9:05:12 p.m.", true, "9:05 PM"}}) {
        TimeBox fresh{txtTime, cmdPlus, cmdMin, lstTime};
        FakeClock clock(21, 5, system);
        fresh.InitTimeBox(clock);
        EXPECT_EQ(fresh.Use12Hour, use12Hour) << system;
        EXPECT_EQ(txtTime.Text(), text);
        EXPECT_EQ(fresh.LastValidTime, text);
    }
}

// '+' and '-' stand for the buttons; the arrow key (38) steps the part at the caret.
TEST_F(TimeBoxTest, StepsByButtonsAndKeys) {
    // clang-format off
    struct Row { bool use12Hour; const char* text; const char* part; int key; const char* result; const char* selected; };
    const Row rows[] = {
        {true, "12:30 AM", "h", '+', "1:30 AM", "1"},   {true, "11:30 PM", "h", '+', "12:30 PM", "12"},
        {false, "23:15", "h", '+', "0:15", "0"},        {false, "0:15", "h", '-', "23:15", "23"},
        {false, "9:00", "n", '-', "9:59", "59"},        {true, "9:05 PM", "t", '-', "9:05 AM", "AM"},
        {true, "9:05 PM", "", '+', "9:05 PM", ""},      {false, "10:05", "n", 38, "10:06", "06"},
        {true, "10:05 AM", "t", 'P', "10:05 PM", "PM"}, {true, "10:05 PM", "t", 'A', "10:05 AM", "AM"},
        {true, "10:05 AM", "n", 'P', "10:05 AM", "05"},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + row.part + " " + std::to_string(row.key));
        Show(row.use12Hour, row.text, row.part);
        const bool button = row.key == '+' || row.key == '-';
        if (row.key == 38) txtTime.SetSelection(txtTime.SelStart(), 0);  // caret only
        if (button)
            (row.key == '+' ? cmdPlus : cmdMin).Click();
        else
            box.KeyUp(row.key);
        EXPECT_EQ(txtTime.Text(), row.result);
        EXPECT_EQ(txtTime.SelText(), row.selected);
        EXPECT_TRUE(!button || focus == Focus{TimeBoxFocus::Box});
        box.GotFocus();  // the focus coming back keeps the part
        EXPECT_EQ(box.TimePart, *row.part ? row.part : "h");
    }
}

TEST_F(TimeBoxTest, TextsThatAreNotTimesRevertToTheLastValidOne) {
    Show(false, "9:05", "n");
    for (const char* bad : {"Daily", "25:61"}) {
        txtTime.SetText(bad);
        box.LostFocus();
        EXPECT_EQ(txtTime.Text(), "9:05");
        txtTime.SetText(bad);
        box.GotFocus();
        EXPECT_EQ(txtTime.Text(), "9:05");
    }
    txtTime.SetText("10:30");
    txtTime.SetSelection(0, 0);
    box.GotFocus();
    EXPECT_EQ(box.LastValidTime, "10:30");
    EXPECT_EQ(txtTime.SelText(), "10");
}

}  // namespace
}  // namespace dwl
