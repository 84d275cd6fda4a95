#include "ui/cleanup/win32/cleanup_progress_view.h"

namespace dwl::win32 {
namespace {

constexpr DWORD kShowAfterMs = 1000;
constexpr DWORD kUpdateEveryMs = 100;
constexpr int kClientWidth = 5400;
constexpr int kClientHeight = 900;

}  // namespace

void CleanUpProgressView::Report(const std::string& what, size_t filesDeleted) {
    const DWORD now = GetTickCount();
    if (!running_) {
        running_ = true;
        started_ = now;
        shown_ = now - kUpdateEveryMs;
    }
    if (now - started_ < kShowAfterMs || now - shown_ < kUpdateEveryMs) return;
    shown_ = now;
    if (!window_) {
        if (!CreateFrame(kCleanUpWindowClass, caption_.c_str(), WS_POPUP | WS_CAPTION, WS_EX_TOOLWINDOW | WS_EX_TOPMOST,
                         kClientWidth, kClientHeight))
            return;
        views_ = std::make_unique<ControlViews>(window_, dpi_);
        views_->Add<LabelView>(lblCleanUp, IdCleanUpLabel,
                               TwipsRect{180, 180, kClientWidth - 360, kClientHeight - 360});
        Centre(SWP_NOACTIVATE);
    }
    lblCleanUp.SetCaption(what + "\r\n" + std::to_string(filesDeleted) + " file(s) deleted.");
    // Shown without the keyboard: the user's typing stays where it was.
    ShowWindow(window_, SW_SHOWNA);
    Repaint();
}

void CleanUpProgressView::Finished() {
    running_ = false;
    if (window_) ShowWindow(window_, SW_HIDE);
}

// Only painting: input, timers and hotkeys wait for the clean-up's end.
void CleanUpProgressView::Repaint() {
    MSG message;
    // Bounded: a window that never validates itself must not hold the clean-up.
    for (int i = 0; i < 64 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_QS_PAINT); ++i)
        DispatchMessageA(&message);
}

LRESULT CleanUpProgressView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) views_.reset();
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace dwl::win32
