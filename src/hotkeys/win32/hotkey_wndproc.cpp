#include "hotkeys/win32/hotkey_wndproc.h"

namespace dwl::win32 {

void HotkeyProc::Install(HWND window) {
    subclass_.Install(window, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
        if (message == WM_HOTKEY && onHotkey_) onHotkey_(wParam, lParam);
        return false;
    });
}

}  // namespace dwl::win32
