#pragma once
#include <windows.h>

#include "ui/options/options_window.h"

namespace dwl::win32 {

// Puts HotkeyWindowProc in front of the window's own procedure; it hands
// WM_HOTKEY to `events` and every message on to the previous procedure.
void InstallHotkeyProc(HWND window, IOptionsEvents& events);
// Gives the window its previous procedure back.
void RemoveHotkeyProc(HWND window);

LRESULT CALLBACK HotkeyWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

} // namespace dwl::win32
