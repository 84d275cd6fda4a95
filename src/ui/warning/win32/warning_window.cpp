#include "ui/warning/win32/warning_window.h"

#include <algorithm>

#include "platform/win32/trace.h"
#include "ui/kit/win32/view_window.h"

namespace dwl::win32 {
namespace {

// In twips: the client area is kWidth wide, a line of text kLine high.
constexpr int kWidth = 4800;
constexpr int kMargin = 120;
constexpr int kLine = 240;
constexpr int kButtonHeight = 345;

struct Button {
    int id;
    const char* caption;
    int left;
    int width;
};
constexpr Button kButtons[] = {{IdWarningPostpone, "&Postpone 10 minutes", kMargin, 1860},
                               {IdWarningSkip, "&Skip this time", 2040, 1500},
                               {IdWarningOK, "OK", 3600, 1080}};

int ClientHeight(int lines) { return 3 * kMargin + lines * kLine + kButtonHeight; }

}  // namespace

WarningWindows::~WarningWindows() {
    // The windows go while the object that answers their messages is whole.
    shown_.clear();
}

HWND WarningWindows::Create() {
    if (!RegisterWindowClass(instance_, kWarningWindowClass, &Procedure)) return nullptr;
    // Made larger than its frame, which Place measures on it.
    HWND window = CreateWindowExA(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, kWarningWindowClass,
                                  caption_.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, dpi_.X(kWidth),
                                  dpi_.Y(ClientHeight(1)), nullptr, nullptr, instance_, this);
    if (!Check(window != nullptr, "CreateWindowExA of a warning")) return nullptr;
    const auto child = [&](const char* className, const char* text, DWORD style, int id) {
        HWND control = CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, window,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    };
    // The text may name a program: an & in it is no mnemonic.
    child("STATIC", "", SS_LEFT | SS_NOPREFIX, IdWarningText);
    for (const Button& button : kButtons) child("BUTTON", button.caption, WS_TABSTOP | BS_PUSHBUTTON, button.id);
    return window;
}

void WarningWindows::ShowWarning(int id, const std::string& text, bool answerable) {
    auto shown = std::find_if(shown_.begin(), shown_.end(), [id](const Shown& s) { return s.id == id; });
    const bool made = shown == shown_.end();
    if (made) {
        HWND window = Create();
        if (!window) return;
        shown_.push_back({id, UniqueWindow(window), 0});
        shown = shown_.end() - 1;
    }
    HWND window = shown->window.get();
    shown->lines = 1 + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
    SetDlgItemTextA(window, IdWarningText, text.c_str());
    EnableWindow(GetDlgItem(window, IdWarningPostpone), answerable);
    EnableWindow(GetDlgItem(window, IdWarningSkip), answerable);
    Place();
    if (made) ShowWindow(window, SW_SHOWNOACTIVATE);
}

void WarningWindows::CloseWarning(int id) {
    const auto shown = std::find_if(shown_.begin(), shown_.end(), [id](const Shown& s) { return s.id == id; });
    if (shown == shown_.end()) return;
    // Out of the list before it goes: its destruction sends messages.
    UniqueWindow window = std::move(shown->window);
    shown_.erase(shown);
    window.reset();
    Place();
}

void WarningWindows::Place() {
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    int bottom = work.bottom - dpi_.Y(kMargin);
    for (const Shown& shown : shown_) {
        HWND window = shown.window.get();
        // The frame is measured on the window: caption heights differ between systems and themes.
        RECT frame{};
        RECT client{};
        GetWindowRect(window, &frame);
        GetClientRect(window, &client);
        const int width = dpi_.X(kWidth) + (frame.right - frame.left) - client.right;
        const int height = dpi_.Y(ClientHeight(shown.lines)) + (frame.bottom - frame.top) - client.bottom;
        SetWindowPos(window, nullptr, work.right - dpi_.X(kMargin) - width, bottom - height, width, height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        bottom -= height + dpi_.Y(kMargin);
        const int textHeight = shown.lines * kLine;
        MoveWindow(GetDlgItem(window, IdWarningText), dpi_.X(kMargin), dpi_.Y(kMargin), dpi_.X(kWidth - 2 * kMargin),
                   dpi_.Y(textHeight), TRUE);
        for (const Button& button : kButtons)
            MoveWindow(GetDlgItem(window, button.id), dpi_.X(button.left), dpi_.Y(2 * kMargin + textHeight),
                       dpi_.X(button.width), dpi_.Y(kButtonHeight), TRUE);
    }
}

void WarningWindows::Report(HWND window, WarningAnswer answer) {
    const auto shown =
        std::find_if(shown_.begin(), shown_.end(), [window](const Shown& s) { return s.window.get() == window; });
    if (shown == shown_.end()) return;
    const int id = shown->id;
    // A copy: the callback may close this window and even set another callback.
    if (const Answered answered = answered_)
        answered(id, answer);
    else
        CloseWarning(id);
}

LRESULT WarningWindows::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) != BN_CLICKED) return 0;
        if (LOWORD(wParam) == IdWarningPostpone) Report(window, WarningAnswer::Postpone);
        if (LOWORD(wParam) == IdWarningSkip) Report(window, WarningAnswer::Skip);
        if (LOWORD(wParam) == IdWarningOK) Report(window, WarningAnswer::Ok);
        return 0;  // the window may be gone
    case WM_CLOSE: Report(window, WarningAnswer::Ok); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK WarningWindows::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<WarningWindows*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->OnMessage(window, message, wParam, lParam);
    } catch (...) {
        TraceException("a warning window's procedure");
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace dwl::win32
