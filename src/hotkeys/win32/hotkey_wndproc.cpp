#include "hotkeys/win32/hotkey_wndproc.h"

namespace dwl::win32 {
namespace {

// There is one options window, so one previous procedure to keep.
WNDPROC OldWindowProc = nullptr;
IOptionsEvents* HotkeyEvents = nullptr;

} // namespace

void InstallHotkeyProc(HWND window, IOptionsEvents& events) {
    HotkeyEvents = &events;
    const LONG_PTR previous =
        SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HotkeyWindowProc));
    OldWindowProc = reinterpret_cast<WNDPROC>(previous);
}

void RemoveHotkeyProc(HWND window) {
    if (!OldWindowProc) return;
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(OldWindowProc));
}

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_HOTKEY && HotkeyEvents) {
        try {
            HotkeyEvents->OnHotkey(wParam, lParam);
        } catch (...) {
        }
    }
    if (!OldWindowProc) return DefWindowProcA(window, message, wParam, lParam);
    return CallWindowProcA(OldWindowProc, window, message, wParam, lParam);
}

} // namespace dwl::win32
