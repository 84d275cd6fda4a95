#include "ui/kit/win32/modal_form.h"

namespace dwl::win32 {

bool ModalForm::CreateForm(HWND owner, const char* className, const char* caption, DWORD style, DWORD exStyle,
                           int clientWidth, int clientHeight) {
    if (!CreateFrame(className, caption, style, exStyle, clientWidth, clientHeight)) return false;
    if (owner) SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    Centre(0);
    views_ = std::make_unique<ControlViews>(window_, dpi_);
    return true;
}

void ModalForm::RunForm(HWND owner) {
    RunModal(owner);
    views_.reset();
}

bool ModalForm::OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_COMMAND:
        if (views_) views_->OnDialogCommand(wParam, lParam);
        result = 0;
        return true;
    case DM_GETDEFID: result = MAKELRESULT(defaultId_, DC_HASDEFID); return true;
    default: return false;
    }
}

}  // namespace dwl::win32
