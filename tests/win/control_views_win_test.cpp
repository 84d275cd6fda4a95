// The Win32 controls of the views against their models, both ways: a value
// set on the model shows in the control; the control's notification, after a
// change made in the control, lands in the model and runs its change handling.
// Check boxes, lists, captions, greying and hiding the e2e tests read in the
// real program.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "ui/kit/win32/control_views.h"

namespace dwl::win32 {
namespace {

class ControlViewsTest : public ::testing::Test {
public:
    ControlViewsTest() {
        optA.Group({&optB});
        optB.Group({&optA});
        for (Control* c : std::initializer_list<Control*>{&optA, &optB, &text, &list, &days, &keys})
            c->onChange = [this, c] { changes += c->Name() + " "; };
    }
    LRESULT Send(int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
        return SendMessageA(GetDlgItem(parent.get(), id), message, w, l);
    }
    std::string TextOf(int id) {
        char buf[256] = {};
        GetWindowTextA(GetDlgItem(parent.get(), id), buf, sizeof buf);
        return buf;
    }
    // The control's notification: the change handling that ran.
    std::string Notify(int id, int code) {
        changes.clear();
        views.OnCommand(id, code);
        return changes;
    }

    UniqueWindow parent{CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr)};
    Dpi dpi;
    OptionButton optA{"optA", "A"}, optB{"optB", "B"};
    TextBox text{"txt"}, keys{"txtKey"};
    ListControl list{"lst"}, drop{"cbo"};
    ProgressBar bar{"bar"};
    CheckedList days{"lstDays"};
    std::string changes;
    ControlViews views{parent.get(), dpi};
};

// The option buttons of one group, a drop-down with nothing chosen, the
// progress bar, a text box's edit and notifications of no change.
TEST_F(ControlViewsTest, ValuesGoBothWays) {
    views.Add<OptionView>(optA, 2, {0, 300, 1500, 300}, true);
    views.Add<OptionView>(optB, 3, {0, 600, 1500, 300}, false);
    views.Add<TextBoxView>(text, 5, {0, 1200, 1500, 300});
    views.Add<ListBoxView>(list, 6, {1600, 0, 1500, 900});
    views.Add<DropDownView>(drop, 7, {1600, 1000, 1500, 1500});
    views.Add<ProgressView>(bar, 8, {1600, 2600, 1500, 300});
    for (const char* item : {"Daily", "Weekly"}) list.AddItem(item), drop.AddItem(item);
    optA.SetValue(true);
    optB.SetValue(true);
    EXPECT_EQ(Send(3, BM_GETCHECK), BST_CHECKED);
    EXPECT_EQ(Send(2, BM_GETCHECK), BST_UNCHECKED) << "the other option is let go";
    drop.SetListIndex(1);
    drop.SetListIndex(-1);
    EXPECT_EQ(Send(7, CB_GETCURSEL), CB_ERR);
    bar.SetRange(0, 5);
    bar.SetValue(3);
    EXPECT_EQ(Send(8, PBM_GETPOS), 3);

    Send(2, BM_SETCHECK, BST_CHECKED);
    EXPECT_NE(Notify(2, BN_CLICKED).find("optA "), std::string::npos) << changes;
    EXPECT_EQ(std::to_string(optA.Value()) + std::to_string(optB.Value()), "10");
    SetWindowTextA(GetDlgItem(parent.get(), 5), "10:30");
    EXPECT_EQ(Notify(5, EN_CHANGE), "txt ");
    EXPECT_EQ(text.Text(), "10:30");
    EXPECT_FALSE(views.OnCommand(99, BN_CLICKED));
    EXPECT_EQ(Notify(6, LBN_DBLCLK), "");
}

// The weekly days' list: a click on an item's box ticks it, a click on its
// text only selects, a double click anywhere and Space tick it too.
TEST_F(ControlViewsTest, DaysAreTickedByClickDoubleClickAndSpace) {
    views.Add<CheckedListView>(days, 9, {3200, 0, 1500, 900});
    for (const char* d : {"Mon", "Tue", "Wed"}) days.AddItem(d);
    auto marks = [this] {
        std::string s;
        for (int i = 0; i < days.Count(); ++i) s += days.Checked(i) ? 'x' : '-';
        return s;
    };
    auto click = [&](UINT message, int item, bool onBox) {
        RECT r{};
        Send(9, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(onBox ? r.left + 2 : r.right - 2, (r.top + r.bottom) / 2);
        Send(9, message, MK_LBUTTON, at);
        Send(9, WM_LBUTTONUP, 0, at);
        return marks();
    };
    EXPECT_EQ(click(WM_LBUTTONDOWN, 0, true), "x--");
    EXPECT_EQ(click(WM_LBUTTONDOWN, 1, false), "x--") << "a click on the text";
    EXPECT_EQ(click(WM_LBUTTONDBLCLK, 1, false), "xx-");
    Send(9, LB_SETCARETINDEX, 2);
    Send(9, WM_CHAR, VK_SPACE, 0);
    EXPECT_EQ(marks(), "xxx");
    EXPECT_NE(changes.find("lstDays"), std::string::npos);
}

// A box that takes keys only (a hotkey box) keeps its text against paste,
// cut, Delete and Shift+Delete.
TEST_F(ControlViewsTest, KeyOnlyBoxRefusesPasteCutAndDelete) {
    views.Add<TextBoxView>(keys, 10, {3200, 1000, 1500, 300}, TextInput::KeysOnly);
    keys.SetText("Ctrl + K");
    changes.clear();
    HGLOBAL pasted = GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(GlobalLock(pasted), "x", 2);
    GlobalUnlock(pasted);
    ASSERT_TRUE(OpenClipboard(parent.get()) && EmptyClipboard() && SetClipboardData(CF_TEXT, pasted));
    CloseClipboard();
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_KEYDOWN}) {
        Send(10, EM_SETSEL, 0, -1);
        Send(10, message, message == WM_KEYDOWN ? VK_DELETE : 0, 0);
        EXPECT_EQ(TextOf(10), "Ctrl + K") << "message " << message;
    }
    EXPECT_EQ(keys.Text(), "Ctrl + K");
    EXPECT_EQ(changes, "");
}

}  // namespace
}  // namespace dwl::win32
