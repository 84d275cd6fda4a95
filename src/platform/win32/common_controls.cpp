#include "platform/win32/common_controls.h"

#include <commctrl.h>

#include "platform/win32/system_library.h"

namespace dwl::win32 {

void EnsureCommonControls(DWORD classes) {
    static DWORD registered = 0;
    if ((registered & classes) == classes) return;
    // Stays loaded for the rest of the run: windows of its classes may exist.
    HMODULE library = LoadSystemLibrary("comctl32.dll");
    if (!library) return;
    using InitEx = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    using Init = void(WINAPI*)();
    if (auto initEx =
            reinterpret_cast<InitEx>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")))) {
        INITCOMMONCONTROLSEX init{sizeof init, classes};
        if (initEx(&init)) registered |= classes;
    } else if (auto init =
                   reinterpret_cast<Init>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControls")))) {
        init();
        registered |= classes;
    }
}

}  // namespace dwl::win32
