#include "ui/options/win32/hotkey_box_view.h"

#include <algorithm>

namespace dwl::win32 {

bool HotkeyBoxesView::Holds(HWND window) const {
    return window && std::find(boxes_.begin(), boxes_.end(), window) != boxes_.end();
}

void HotkeyBoxesView::Wire(HotkeyCapture* capture, const std::array<Binder*, 3>& boxes) {
    capture_ = capture;
    for (int box = HotkeyShutdown; box <= HotkeyLogOff; ++box) {
        Binder* binder = boxes[static_cast<size_t>(box)];
        if (!capture || !binder || boxes_[static_cast<size_t>(box)]) continue;
        boxes_[static_cast<size_t>(box)] = binder->Window();
        binder->Hook([this, binder, box](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
            switch (message) {
            case WM_SETFOCUS:
            case WM_KILLFOCUS:
                result = binder->CallOriginal(message, wParam, lParam);
                if (message == WM_SETFOCUS)
                    capture_->GotFocus(box);
                else
                    capture_->LostFocus(box);
                return true;
            case WM_KEYUP:
            case WM_SYSKEYUP: {
                // With Alt down the keys come as system keys.
                const int shift = (GetKeyState(VK_SHIFT) < 0 ? ShiftMask : 0) |
                                  (GetKeyState(VK_CONTROL) < 0 ? CtrlMask : 0) |
                                  (GetKeyState(VK_MENU) < 0 ? AltMask : 0);
                capture_->KeyUp(box, static_cast<int>(wParam), shift);
                result = binder->CallOriginal(message, wParam, lParam);
                return true;
            }
            default: return false;
            }
        });
    }
}

}  // namespace dwl::win32
