#include "model/controls.h"

#include <gtest/gtest.h>

#include <string>

namespace dwl {
namespace {

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
