#pragma once
#include <windows.h>

namespace dwl::win32 {

// The pages of a tab control in the system's visual styles, where the system
// has them (looked up at run time: Windows 2000 has none, and without the
// manifest the program is not themed): the tab body's texture behind the page
// and its controls instead of the plain dialog colour.
void EnableTabPageTexture(HWND page);
// Paints the tab body behind `page` on `dc`; false when the program is not themed.
bool PaintTabPageBackground(HWND page, HDC dc);
// WM_CTLCOLORSTATIC of a page: labels, check boxes and frames drawn over the
// texture. Zero when the program is not themed or the control is a text box
// or a drop-down list, which keep their own background.
LRESULT TabPageControlColour(HWND control, HDC dc);

}  // namespace dwl::win32
