#pragma once
#include <windows.h>

#include <functional>

namespace dwl::win32 {

// The hotkey procedure: while it is installed on a window, the window's
// procedure hands it every message first, and it hands WM_HOTKEY to its
// callback; the message then goes on as before. Kept in the program's own
// procedure rather than chained in front of it: a chained procedure would
// look itself up in the window's properties on every message, a call into
// the system each time the one-minute timer wakes the program.
class HotkeyProc {
public:
    using Callback = std::function<void(WPARAM id, LPARAM keys)>;
    explicit HotkeyProc(Callback onHotkey) : onHotkey_(std::move(onHotkey)) {}

    // Installing it twice is a no-op.
    void Install(HWND window) { window_ = window; }
    void Remove() { window_ = nullptr; }
    // Called by the window's procedure for each of its messages.
    void OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) const {
        if (window && window == window_ && message == WM_HOTKEY && onHotkey_) onHotkey_(wParam, lParam);
    }

private:
    Callback onHotkey_;
    HWND window_ = nullptr;
};

}  // namespace dwl::win32
