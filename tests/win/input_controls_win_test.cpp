// The input controls whose behaviour is the system's own: the weekly days'
// list ticked by mouse and key, the hotkey box that takes keys only, and the
// password boxes that take no more than the registry gives back whole. How the
// other controls carry their models' values both ways, the e2e tests read in
// the real program's windows.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "settings/settings.h"
#include "ui/kit/win32/control_views.h"
#include "ui/options/win32/password_dialog.h"

namespace dwl::win32 {
namespace {

struct ControlViewsTest : ::testing::Test {
    LRESULT Send(int id, UINT message, WPARAM w = 0, LPARAM l = 0) {
        return SendMessageA(GetDlgItem(parent.get(), id), message, w, l);
    }

    UniqueWindow parent{CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr)};
    Dpi dpi;
    int changes = 0;
    CheckedList days{"lstDays"};  // the models outlive their views
    TextBox keys{"txtKey"};
    ControlViews views{parent.get(), dpi};
};

// The weekly days' list: a click on an item's box ticks it, a click on its
// text only selects, a double click anywhere and Space tick it too.
TEST_F(ControlViewsTest, DaysAreTickedByClickDoubleClickAndSpace) {
    days.onChange = [this] { ++changes; };
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
    EXPECT_GT(changes, 0);
}

// A box that takes keys only (a hotkey box) keeps its text against paste,
// cut, Delete and Shift+Delete.
TEST_F(ControlViewsTest, KeyOnlyBoxRefusesPasteCutAndDelete) {
    keys.onChange = [this] { ++changes; };
    views.Add<TextBoxView>(keys, 10, {3200, 1000, 1500, 300}, TextInput::KeysOnly);
    keys.SetText("Ctrl + K");
    changes = 0;
    HGLOBAL pasted = GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(GlobalLock(pasted), "x", 2);
    GlobalUnlock(pasted);
    ASSERT_TRUE(OpenClipboard(parent.get()) && EmptyClipboard() && SetClipboardData(CF_TEXT, pasted));
    CloseClipboard();
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_KEYDOWN}) {
        Send(10, EM_SETSEL, 0, -1);
        Send(10, message, message == WM_KEYDOWN ? VK_DELETE : 0, 0);
        char text[64] = {};
        GetWindowTextA(GetDlgItem(parent.get(), 10), text, sizeof text);
        EXPECT_STREQ(text, "Ctrl + K") << "message " << message;
    }
    EXPECT_EQ(keys.Text(), "Ctrl + K");
    EXPECT_EQ(changes, 0);
}

std::vector<LRESULT> g_limits;

// Runs inside the dialog's modal loop: reads the boxes' limits, types a
// password twice and presses OK.
void CALLBACK TypeAndConfirm(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND dialog = FindWindowA(kPasswordDialogClass, nullptr);
    if (!dialog) return;
    KillTimer(nullptr, timer);
    for (int id : {IdTxtPassword, IdTxtAgain}) {
        g_limits.push_back(SendDlgItemMessageA(dialog, id, EM_GETLIMITTEXT, 0, 0));
        SetDlgItemTextA(dialog, id, "s3cret");
    }
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(IdPasswordOK, BN_CLICKED), 0);
}

TEST(PasswordDialogWin, BoxesTakeNoMoreThanTheRegistryGivesBack) {
    PasswordDialog dialog(GetModuleHandleA(nullptr));
    SetTimer(nullptr, 0, 20, TypeAndConfirm);
    const auto typed = dialog.AskNewPassword(nullptr, "Set password");
    ASSERT_TRUE(typed.has_value());
    EXPECT_EQ(typed->first + "|" + typed->second, "s3cret|s3cret");
    EXPECT_EQ(g_limits, std::vector<LRESULT>(2, kMaxPasswordLength));
}

}  // namespace
}  // namespace dwl::win32
