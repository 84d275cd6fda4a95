// The input controls whose behaviour is the system's own: the hotkey box that
// takes keys only, and the password boxes that take no more than the registry
// gives back whole. How the other controls carry their models' values both
// ways, the e2e tests read in the real program's windows.
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

// A box that takes keys only (a hotkey box) keeps its text against paste,
// cut, Delete and Shift+Delete.
TEST(KeyOnlyBoxWin, RefusesPasteCutAndDelete) {
    UniqueWindow parent(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 600, 400, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    Dpi dpi;
    TextBox keys{"txtKey"};  // the model outlives its view
    ControlViews views{parent.get(), dpi};
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
