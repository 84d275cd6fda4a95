#include "ui/options/win32/options_view.h"

namespace dwl::win32 {

// The three hotkey boxes of the Hotkeys page, hooked so that the capture
// model sees their focus and the keys released in them.

void OptionsView::WireHotkeyBoxes() {
    const TextBox* boxes[] = {&form_->txtShutdownKey, &form_->txtRebootKey, &form_->txtLogOffKey};
    for (int box = HotkeyShutdown; box <= HotkeyLogOff; ++box) {
        Binder* binder = views_ && hotkeyCapture_ ? views_->BinderOf(boxes[box]) : nullptr;
        if (!binder || hotkeyBoxes_[static_cast<size_t>(box)]) continue;
        hotkeyBoxes_[static_cast<size_t>(box)] = binder->Window();
        binder->Hook([this, binder, box](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            switch (message) {
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                result = binder->CallOriginal(message, wParam, lParam);
                if (message == WM_SETFOCUS)
                    hotkeyCapture_->GotFocus(box);
                else
                    hotkeyCapture_->LostFocus(box);
                return true;
            case WM_KEYUP:
            case WM_SYSKEYUP: {
                // With Alt down the keys come as system keys.
                const int shift = (GetKeyState(VK_SHIFT) < 0 ? ShiftMask : 0) |
                                  (GetKeyState(VK_CONTROL) < 0 ? CtrlMask : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? AltMask : 0);
                hotkeyCapture_->KeyUp(box, static_cast<int>(wParam), shift);
                result = binder->CallOriginal(message, wParam, lParam);
                return true;
            }
            default: return false;
            }
        });
    }
}

}  // namespace dwl::win32
