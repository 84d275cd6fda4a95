#pragma once
#include <windows.h>

#include <functional>

#include "platform/hotkeys.h"

namespace dwl::win32 {

// Hotkeys registered on a window that exists later than this object.
class Win32Hotkeys : public IHotkeys {
public:
    explicit Win32Hotkeys(std::function<HWND()> window) : window_(std::move(window)) {}
    bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
    void Unregister(int id) override;

private:
    std::function<HWND()> window_;
};

}  // namespace dwl::win32
