#include "platform/win32/dialogs_win32.h"

namespace dwl::win32 {

int Win32Dialogs::Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner which) {
    HWND window = owner && which != DialogOwner::None ? owner(which) : nullptr;
    if (window && !IsWindow(window)) window = nullptr;
    return ::MessageBoxA(window, text.c_str(), caption.c_str(), style | MB_SETFOREGROUND);
}

}  // namespace dwl::win32
