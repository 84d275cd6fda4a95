#include <gtest/gtest.h>

#include "hotkeys/hotkey_settings.h"
#include "model/controls.h"

namespace dwl {
namespace {

TEST(HotkeyDecoding, EachStoredCombinationActsOnlyUnderItsOwnId) {
    HotkeyValues values{"6", "83", "6", "82", "3", "76", "", "", ""};
    auto l = [](int mod, int vk) { return static_cast<intptr_t>((vk << 16) | mod); };
    EXPECT_EQ(DecodeHotkey(values, 0, l(6, 83)), std::vector<HotkeyCommand>{HotkeyCommand::Shutdown});
    EXPECT_EQ(DecodeHotkey(values, 1, l(6, 82)), std::vector<HotkeyCommand>{HotkeyCommand::Reboot});
    EXPECT_EQ(DecodeHotkey(values, 2, l(3, 76)), std::vector<HotkeyCommand>{HotkeyCommand::LogOff});
    EXPECT_EQ(DecodeHotkey(values, 3, l(7, 0x50)), std::vector<HotkeyCommand>{HotkeyCommand::ShowOptions});
    EXPECT_TRUE(DecodeHotkey(values, 1, l(6, 83)).empty());  // another id's combination
    // Unset or damaged values never match.
    EXPECT_TRUE(DecodeHotkey(HotkeyValues{}, 0, l(0, 0)).empty());
    EXPECT_TRUE(DecodeHotkey(HotkeyValues{"6x", "83", "", "", "", "", "", "", ""}, 0, l(6, 83)).empty());
}

TEST(CheckedList, EachItemKeepsItsCheckWhenItemsAreRemoved) {
    CheckedList days{"lstDays"};
    for (const char* d : {"Mon", "Tue", "Wed", "Thu"}) days.AddItem(d);
    auto marks = [&days] {
        std::string s;
        for (int i = 0; i < days.Count(); ++i) s += days.Checked(i) ? 'x' : '-';
        return s;
    };
    days.SetChecked(1, true);
    days.SetChecked(3, true);
    days.RemoveItem(0);  // Tue, Wed, Thu
    days.RemoveItem(9);  // no such item
    EXPECT_EQ(marks(), "x-x");
    days.RemoveItem(2);
    days.AddItem("Fri");
    EXPECT_EQ(marks(), "x--");
}

}  // namespace
}  // namespace dwl
