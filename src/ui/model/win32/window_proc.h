#pragma once
#include <windows.h>

namespace dwl::win32 {

// The window procedure of a view object: the object comes as the creation
// parameter, is kept in GWLP_USERDATA, learns its handle in `window_` and
// answers through `OnMessage`. No exception leaves the procedure: nothing may
// unwind through the system's message dispatch.
template <typename View>
LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<View*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        view->window_ = window;
    }
    auto* self = reinterpret_cast<View*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace dwl::win32
