#include "ui/options/win32/password_dialog.h"

#include "settings/settings.h"

namespace dwl::win32 {
namespace {

constexpr int kWidth = 4440;
constexpr int kRow = 480;  // a label with its box

}  // namespace

std::optional<std::string> PasswordDialog::AskPassword(HWND owner, const std::string& caption) {
    lblPassword.SetCaption("&Password:");
    const bool confirmed = Run(owner, caption, false);
    const std::string typed = TakeText(txtPassword);
    if (!confirmed) return std::nullopt;
    return typed;
}

std::optional<std::pair<std::string, std::string>> PasswordDialog::AskNewPassword(HWND owner,
                                                                                  const std::string& caption) {
    lblPassword.SetCaption("&New password:");
    const bool confirmed = Run(owner, caption, true);
    std::pair typed(TakeText(txtPassword), TakeText(txtAgain));
    if (!confirmed) return std::nullopt;
    return typed;
}

std::string PasswordDialog::TakeText(TextBox& box) {
    // The boxes keep no password once the dialog is gone.
    std::string text = box.Text();
    box.SetText("");
    return text;
}

bool PasswordDialog::Run(HWND owner, const std::string& caption, bool twice) {
    if (window_) return false;  // one at a time
    confirmed_ = false;
    txtPassword.SetText("");
    txtAgain.SetText("");
    const int rows = twice ? 2 : 1;
    const int buttonTop = 120 + rows * (kRow + 120);
    if (!CreateForm(owner, kPasswordDialogClass, caption.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                    WS_EX_DLGMODALFRAME, kWidth, buttonTop + 345 + 120))
        return false;
    views_->Add<LabelView>(lblPassword, IdLblPassword, {120, 120, kWidth - 240, 210});
    // No more than the registry gives back whole.
    SendMessageA(views_->Add<TextBoxView>(txtPassword, IdTxtPassword, {120, 345, kWidth - 240, 315}, TextInput::Hidden),
                 EM_LIMITTEXT, kMaxPasswordLength, 0);
    if (twice) {
        views_->Add<LabelView>(lblAgain, IdLblAgain, {120, 120 + kRow + 120, kWidth - 240, 210}, 'a');
        SendMessageA(views_->Add<TextBoxView>(txtAgain, IdTxtAgain, {120, 345 + kRow + 120, kWidth - 240, 315},
                                              TextInput::Hidden),
                     EM_LIMITTEXT, kMaxPasswordLength, 0);
    }
    views_->Add<ButtonView>(cmdOK, IdPasswordOK, {kWidth - 2 * 1125 - 210, buttonTop, 1125, 345}, true);
    views_->Add<ButtonView>(cmdCancel, IdPasswordCancel, {kWidth - 1125 - 120, buttonTop, 1125, 345});
    cmdOK.onClick = [this] {
        confirmed_ = true;
        DestroyWindow(window_);
    };
    cmdCancel.onClick = [this] { DestroyWindow(window_); };
    ShowWindow(window_, SW_SHOW);
    SetFocus(views_->WindowOf(&txtPassword));
    RunForm(owner);
    return confirmed_;
}

LRESULT PasswordDialog::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (LRESULT result = 0; OnFormMessage(message, wParam, lParam, result)) return result;
    switch (message) {
    case WM_CLOSE: DestroyWindow(window_); return 0;
    case WM_ACTIVATE:
        // The keyboard goes to the first box, unless it is in the window already.
        if (LOWORD(wParam) != WA_INACTIVE && views_ && !IsChild(window_, GetFocus()))
            SetFocus(views_->WindowOf(&txtPassword));
        return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace dwl::win32
