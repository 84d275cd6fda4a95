#pragma once
#include <windows.h>

#include <functional>

#include "platform/win32/subclass.h"

namespace dwl::win32 {

// The hotkey procedure: in front of a window's own, it hands WM_HOTKEY to its
// callback and every message on to the window's procedure.
class HotkeyProc {
public:
    using Callback = std::function<void(WPARAM id, LPARAM keys)>;
    explicit HotkeyProc(Callback onHotkey) : onHotkey_(std::move(onHotkey)) {}

    // Installing it twice is a no-op.
    void Install(HWND window);
    // Gives the window its previous procedure back.
    void Remove() { subclass_.Remove(); }

private:
    Callback onHotkey_;
    // Chained by hand: the program's own window, hooked from the start, need
    // not load the common controls for it.
    Subclass subclass_{false};
};

}  // namespace dwl::win32
