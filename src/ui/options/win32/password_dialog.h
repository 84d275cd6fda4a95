#pragma once
#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "model/controls.h"
#include "ui/kit/win32/modal_form.h"

namespace dwl::win32 {

inline constexpr const char* kPasswordDialogClass = "DuskwellPassword";

enum PasswordControlId : int {
    IdPasswordOK = IDOK,
    IdPasswordCancel = IDCANCEL,
    IdLblPassword = 3001,
    IdTxtPassword = 3002,
    IdLblAgain = 3003,
    IdTxtAgain = 3004,
};

// The small modal windows of the password lock: one asks for the password
// that unlocks the options window, the other for a new password, twice. The
// characters typed are shown as bullets.
class PasswordDialog : public ModalForm {
public:
    explicit PasswordDialog(HINSTANCE instance) : ModalForm(instance, IdPasswordOK) {}

    std::optional<std::string> AskPassword(HWND owner, const std::string& caption);
    std::optional<std::pair<std::string, std::string>> AskNewPassword(HWND owner, const std::string& caption);
    // Close() closes the open dialog as Cancel does.

private:
    bool Run(HWND owner, const std::string& caption, bool twice);
    static std::string TakeText(TextBox& box);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Label lblPassword{"lblPassword"};
    TextBox txtPassword{"txtPassword"};
    Label lblAgain{"lblAgain", "Type it &again:"};
    TextBox txtAgain{"txtAgain"};
    Button cmdOK{"cmdOK", "OK"};
    Button cmdCancel{"cmdCancel", "Cancel"};
    bool confirmed_ = false;
};

}  // namespace dwl::win32
