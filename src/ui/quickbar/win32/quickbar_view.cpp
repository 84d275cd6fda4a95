#include "ui/quickbar/win32/quickbar_view.h"

#include <algorithm>
#include <utility>

#include "platform/win32/trace.h"
#include "ui/kit/win32/picture_button_view.h"
#include "ui/quickbar/quickbar_pictures.h"

namespace dwl::win32 {
namespace {

constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
// A tool window has no taskbar entry.
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW;

}  // namespace

bool QuickbarView::EnsureWindow() {
    if (window_) return true;
    if (!model_ || !CreateFrame(kQuickbarWindowClass, model_->frmQBar.Caption().c_str(), kStyle, kExStyle,
                                Quickbar::kSmallPitch, Quickbar::kSmallPitch))
        return false;
    placed_ = false;
    views_ = std::make_unique<ControlViews>(window_, dpi_);
    for (int i = 0; i < Quickbar::kButtonCount; ++i) {
        const auto index = static_cast<size_t>(i);
        const auto picture = [i](int size) { return DrawQuickbarPicture(i, size); };
        views_->Add<PictureButtonView>(model_->small[index], kQuickbarSmallId + i,
                                       TwipsRect{0, 0, Quickbar::kSmallPitch, Quickbar::kSmallPitch}, picture, 16);
        views_->Add<PictureButtonView>(model_->large[index], kQuickbarLargeId + i,
                                       TwipsRect{0, 0, Quickbar::kLargePitch, Quickbar::kLargePitch}, picture, 32);
    }
    MoveTo(dpi_.X(model_->Left), dpi_.Y(model_->Top));
    placed_ = true;
    ApplyLayout();
    if (topmost_) SetAlwaysOnTop();
    return true;
}

void QuickbarView::MoveTo(int x, int y) {
    SetWindowPos(window_, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void QuickbarView::Place(int left, int top) {
    // Until it is first shown, the bar is only the model's: built then, at the model's place.
    if (window_) MoveTo(dpi_.X(left), dpi_.Y(top));
}

void QuickbarView::Layout() {
    if (window_) ApplyLayout();
}

void QuickbarView::ApplyLayout() {
    const Dpi& dpi = dpi_;
    // The buttons, and a client area that holds the shown ones whatever the
    // frame of this system is.
    int right = model_->Width - Quickbar::kFrameWidth;
    int bottom = model_->Height - Quickbar::kFrameHeight;
    for (int i = 0; i < Quickbar::kButtonCount; ++i) {
        const auto index = static_cast<size_t>(i);
        for (bool isLarge : {false, true}) {
            const Button& button = isLarge ? model_->large[index] : model_->small[index];
            const Quickbar::Place& place = isLarge ? model_->largePlace[index] : model_->smallPlace[index];
            const int size = isLarge ? Quickbar::kLargePitch : Quickbar::kSmallPitch;
            SetWindowPos(views_->WindowOf(&button), nullptr, dpi.X(place.left), dpi.Y(place.top), 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            if (button.Visible()) {
                right = std::max(right, place.left + size);
                bottom = std::max(bottom, place.top + size);
            }
        }
    }
    // The frame is measured on the window itself, as the system draws it.
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    SetWindowPos(window_, nullptr, 0, 0, dpi.X(right) + (frame.right - frame.left) - client.right,
                 dpi.Y(bottom) + (frame.bottom - frame.top) - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    BringOnScreen();
}

// A position stored on a screen that is gone (a monitor removed, a lower
// resolution), or a bar grown past the screen's edge, would leave buttons out
// of reach: the bar is kept inside the nearest screen's work area.
void QuickbarView::BringOnScreen() {
    RECT frame{};
    GetWindowRect(window_, &frame);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    if (!Check(GetMonitorInfoA(MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor) != 0, "GetMonitorInfoA"))
        return;
    const RECT& work = monitor.rcWork;
    const auto clamp = [](LONG value, LONG low, LONG high) {
        return static_cast<int>(std::max(low, std::min(value, high)));
    };
    const int left = clamp(frame.left, work.left, work.right - (frame.right - frame.left));
    const int top = clamp(frame.top, work.top, work.bottom - (frame.bottom - frame.top));
    if (left != frame.left || top != frame.top) MoveTo(left, top);
}

void QuickbarView::ReportPosition() {
    if (!placed_ || !model_ || !window_) return;
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int dpi = dpi_.X(1440);
    model_->OnMoved(MulDiv(frame.left, 1440, dpi), MulDiv(frame.top, 1440, dpi_.Y(1440)));
}

std::uint32_t QuickbarView::InputTime() { return static_cast<std::uint32_t>(GetMessageTime()); }

std::uint32_t QuickbarView::Now() { return GetTickCount(); }

void QuickbarView::Show() {
    if (EnsureWindow()) ShowWindow(window_, SW_SHOWNA);
}

void QuickbarView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void QuickbarView::SetAlwaysOnTop() {
    topmost_ = true;
    if (window_) SetWindowPos(window_, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

void QuickbarView::ClearAlwaysOnTop() {
    topmost_ = false;
    if (window_) SetWindowPos(window_, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE);
}

LRESULT QuickbarView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (views_ && lParam != 0) views_->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_DRAWITEM:
        if (views_ && views_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case WM_GETMINMAXINFO:
        // As small as its buttons: the system's minimum is a normal window's.
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = POINT{1, 1};
        return 0;
    case WM_MOVE: ReportPosition(); return 0;
    case WM_EXITSIZEMOVE:
        // A drag ended: the place is kept for the next start.
        if (model_) model_->OnDragEnded();
        return 0;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) userClose_ = true;
        break;
    case WM_CLOSE: {
        const bool byUser = std::exchange(userClose_, false);
        if (!model_ || model_->OnClose(byUser)) DestroyWindow(window_);
        return 0;
    }
    case WM_DESTROY: views_.reset(); return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace dwl::win32
