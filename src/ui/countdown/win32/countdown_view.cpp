#include "ui/countdown/win32/countdown_view.h"

namespace dwl::win32 {
namespace {

constexpr UINT_PTR kCountdownTimerId = 1;  // ATimer

}  // namespace

bool CountdownView::EnsureWindow() {
    if (window_) return true;
    // No system menu: the window has no close box; Cancel is the way out, and
    // with the configuration locked there is none.
    if (!model_ || !CreateFrame(kCountdownWindowClass, model_->frmAction.Caption().c_str(),
                                WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN, WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT,
                                CountdownLayout::clientWidth, CountdownLayout::clientHeight))
        return false;
    views_ = std::make_unique<ControlViews>(window_, dpi_);
    views_->Add<LabelView>(model_->lblAction, IdCountdownLabel, CountdownLayout::lblAction);
    views_->Add<ProgressView>(model_->prgAction, IdCountdownBar, CountdownLayout::prgAction);
    views_->Add<ButtonView>(model_->cmdAction, IdCountdownAct, CountdownLayout::cmdAction);
    views_->Add<ButtonView>(model_->cmdCancel, IdCountdownCancel, CountdownLayout::cmdCancel);
    model_->frmAction.onRefresh = [this] { SetWindowTextA(window_, model_->frmAction.Caption().c_str()); };
    return true;
}

void CountdownView::StartTimer(int intervalMs) {
    if (EnsureWindow()) SetTimer(window_, kCountdownTimerId, static_cast<UINT>(intervalMs), nullptr);
}

void CountdownView::StopTimer() {
    if (window_) KillTimer(window_, kCountdownTimerId);
}

void CountdownView::Show() {
    if (!EnsureWindow()) return;
    if (!placed_) Centre(SWP_NOACTIVATE);
    placed_ = true;
    // Shown without taking the keyboard: a key the user was about to press in
    // another program must not land on "Shutdown now".
    ShowWindow(window_, SW_SHOWNA);
}

void CountdownView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

// The frame is measured on the window itself: caption and borders differ
// between systems, themes and Wine, and the system's own figures for them
// do not always match what it draws.
void CountdownView::SetClientHeightTwips(int height) {
    if (!EnsureWindow()) return;
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    SetWindowPos(
        window_, nullptr, 0, 0, dpi_.X(CountdownLayout::clientWidth) + (frame.right - frame.left) - client.right,
        dpi_.Y(height) + (frame.bottom - frame.top) - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CountdownView::SetAlwaysOnTop() {
    if (window_) SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void CountdownView::ClearAlwaysOnTop() {
    if (!window_) return;
    RECT frame{};
    GetWindowRect(window_, &frame);
    SetWindowPos(window_, HWND_NOTOPMOST, frame.left, frame.top, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOACTIVATE);
}

LRESULT CountdownView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kCountdownTimerId && model_) model_->ATimer_Timer();
        return 0;
    case WM_COMMAND:
        if (views_ && lParam != 0) views_->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE: return 0;  // only Cancel ends a countdown
    case WM_DESTROY:
        KillTimer(window_, kCountdownTimerId);
        views_.reset();
        if (model_) model_->frmAction.onRefresh = nullptr;
        return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace dwl::win32
