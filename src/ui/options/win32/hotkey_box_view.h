#pragma once
#include <windows.h>

#include <array>

#include "ui/kit/win32/control_views.h"
#include "ui/options/hotkey_capture.h"

namespace dwl::win32 {

// The three hotkey boxes of the Hotkeys page (shutdown, reboot, log off),
// hooked so that the capture model sees their focus and the keys released
// in them.
class HotkeyBoxesView {
public:
    // Hooks each box that exists and is not hooked yet (null: not made yet).
    void Wire(HotkeyCapture* capture, const std::array<Binder*, 3>& boxes);
    bool Holds(HWND window) const;
    // The windows are gone.
    void Reset() { boxes_.fill(nullptr); }

private:
    HotkeyCapture* capture_ = nullptr;
    std::array<HWND, 3> boxes_{};
};

}  // namespace dwl::win32
