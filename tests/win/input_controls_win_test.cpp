// The input controls whose behaviour is the system's own: the weekly days'
// list ticked by mouse and key, the hotkey box that takes keys only, and the
// password boxes that take no more than the registry gives back whole. How
// the other controls carry their models' values both ways, the e2e tests read
// in the real program's windows.
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

// A parent window for the control under test; its model outlives its view.
struct InputControlWin : ::testing::Test {
    UniqueWindow parent{CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr)};
    Dpi dpi;
    CheckedList days{"lstDays"};
    TextBox keys{"txtKey"};
    ControlViews views{parent.get(), dpi};
};

// The weekly days' list: a click on an item's box ticks it, a click on its
// text only selects, a double click anywhere and Space tick it too.
TEST_F(InputControlWin, DaysAreTickedByClickDoubleClickAndSpace) {
    HWND list = views.Add<CheckedListView>(days, 9, {3200, 0, 1500, 900});
    for (const char* d : {"Mon", "Tue", "Wed"}) days.AddItem(d);
    int changes = 0;
    days.onChange = [&changes] { ++changes; };
    auto click = [&](UINT message, int item, bool onBox) {
        RECT r{};
        SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&r));
        const LPARAM at = MAKELPARAM(onBox ? r.left + 2 : r.right - 2, (r.top + r.bottom) / 2);
        SendMessageA(list, message, MK_LBUTTON, at);
        SendMessageA(list, WM_LBUTTONUP, 0, at);
        std::string marks;
        for (int i = 0; i < days.Count(); ++i) marks += days.Checked(i) ? 'x' : '-';
        return marks;
    };
    EXPECT_EQ(click(WM_LBUTTONDOWN, 0, true), "x--");
    EXPECT_EQ(click(WM_LBUTTONDOWN, 1, false), "x--") << "a click on the text";
    EXPECT_EQ(click(WM_LBUTTONDBLCLK, 1, false), "xx-");
    SendMessageA(list, LB_SETCARETINDEX, 2, 0);
    SendMessageA(list, WM_CHAR, VK_SPACE, 0);
    EXPECT_TRUE(days.Checked(2));
    EXPECT_GT(changes, 0);
}

// A box that takes keys only (a hotkey box) keeps its text against paste,
// cut, Delete and Shift+Delete.
TEST_F(InputControlWin, KeyOnlyBoxRefusesPasteCutAndDelete) {
    HWND box = views.Add<TextBoxView>(keys, 10, {3200, 1000, 1500, 300}, TextInput::KeysOnly);
    keys.SetText("Ctrl + K");
    int changes = 0;
    keys.onChange = [&changes] { ++changes; };
    HGLOBAL pasted = GlobalAlloc(GMEM_MOVEABLE, 2);
    std::memcpy(GlobalLock(pasted), "x", 2);
    GlobalUnlock(pasted);
    ASSERT_TRUE(OpenClipboard(parent.get()) && EmptyClipboard() && SetClipboardData(CF_TEXT, pasted));
    CloseClipboard();
    for (UINT message : {WM_PASTE, WM_CUT, WM_CLEAR, WM_KEYDOWN}) {
        SendMessageA(box, EM_SETSEL, 0, -1);
        SendMessageA(box, message, message == WM_KEYDOWN ? VK_DELETE : 0, 0);
        char text[64] = {};
        GetWindowTextA(box, text, sizeof text);
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
