#include "ui/kit/win32/view_window.h"

#include "platform/win32/trace.h"

namespace dwl::win32 {

bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon, HICON smallIcon) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = icon;
    windowClass.hIconSm = smallIcon;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = name;
    return Check(RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS,
                 "RegisterClassExA");
}

ViewWindow::~ViewWindow() {
    if (!window_) return;
    SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
}

bool ViewWindow::CreateFrame(const char* className, const char* caption, DWORD style, DWORD exStyle, int clientWidth,
                             int clientHeight, HICON icon, HICON smallIcon) {
    if (!RegisterWindowClass(instance_, className, &Procedure, icon, smallIcon)) return false;
    RECT frame{0, 0, dpi_.X(clientWidth), dpi_.Y(clientHeight)};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    // The procedure learns the handle at WM_NCCREATE already.
    window_ = CreateWindowExA(exStyle, className, caption, style, CW_USEDEFAULT, CW_USEDEFAULT,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_, this);
    return Check(window_ != nullptr, "CreateWindowExA of a window");
}

void ViewWindow::Centre(UINT flags) {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
                 work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | flags);
}

void ViewWindow::RunModal(HWND owner) {
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    MSG message;
    while (window_) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got < 0) break;
        if (window_ && IsDialogMessageA(window_, &message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // The owner first, so that it takes the activation back.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (window_) DestroyWindow(window_);
}

LRESULT CALLBACK ViewWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* view = static_cast<ViewWindow*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(view));
        view->window_ = window;
    }
    auto* self = reinterpret_cast<ViewWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    try {
        result = self->OnMessage(message, wParam, lParam);
    } catch (...) {
        TraceException("a window's procedure");
        result = DefWindowProcA(window, message, wParam, lParam);
    }
    if (message == WM_DESTROY) {
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        self->window_ = nullptr;
    }
    return result;
}

}  // namespace dwl::win32
