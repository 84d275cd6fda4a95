#pragma once
#include <windows.h>

#include "ui/kit/win32/control_views.h"

namespace dwl::win32 {

// Registers a window class of the program, once a run; true when it is there.
bool RegisterWindowClass(HINSTANCE instance, const char* name, WNDPROC procedure, HICON icon = nullptr,
                         HICON smallIcon = nullptr);

// A top-level window of the program and the object that answers for it: the
// object is kept in GWLP_USERDATA and gets the window's messages through
// OnMessage, up to WM_DESTROY. No exception leaves the procedure: nothing may
// unwind through the system's message dispatch.
class ViewWindow {
public:
    ViewWindow(const ViewWindow&) = delete;
    ViewWindow& operator=(const ViewWindow&) = delete;
    HWND Handle() const { return window_; }
    void DestroyFrame() {
        if (window_) DestroyWindow(window_);
    }
    // Destroys a window that RunModal runs, from a message sent by another
    // thread or program too: the loop, which waits for a posted message
    // while such a one is handled, is woken to see that it is gone.
    void EndModal() {
        DestroyFrame();
        PostMessageA(nullptr, WM_NULL, 0, 0);
    }

protected:
    explicit ViewWindow(HINSTANCE instance) : instance_(instance) {}
    // The window outlives nothing of its object; a derived view destroys it
    // itself when it has to see its WM_DESTROY.
    virtual ~ViewWindow();
    // Registers the class and creates the window, hidden, with a client area of
    // the given size in twips.
    bool CreateFrame(const char* className, const char* caption, DWORD style, DWORD exStyle, int clientWidth,
                     int clientHeight, HICON icon = nullptr, HICON smallIcon = nullptr);
    // Centres the window on the primary screen's work area.
    void Centre(UINT flags);
    // Shows the window with `owner` disabled and runs the messages (with the
    // dialog keys) until the window is destroyed. A quit request met on the
    // way is posted again for the main loop.
    void RunModal(HWND owner);
    virtual LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;

    HINSTANCE instance_;
    HWND window_ = nullptr;
    Dpi dpi_;

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

}  // namespace dwl::win32
