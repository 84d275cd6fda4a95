#include "platform/win32/hotkeys_win32.h"

namespace dwl::win32 {

bool Win32Hotkeys::Register(int id, unsigned modifiers, unsigned virtualKey) {
    return RegisterHotKey(window_(), id, modifiers, virtualKey) != 0;
}

void Win32Hotkeys::Unregister(int id) { UnregisterHotKey(window_(), id); }

}  // namespace dwl::win32
