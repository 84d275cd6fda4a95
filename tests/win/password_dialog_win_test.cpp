// The password dialog under Wine: its boxes take no more than the registry
// gives back whole.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "settings/settings.h"
#include "ui/options/win32/password_dialog.h"

namespace dwl::win32 {
namespace {

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
