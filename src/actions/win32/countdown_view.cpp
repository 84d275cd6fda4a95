#include "actions/win32/countdown_view.h"

namespace dwl::win32 {
namespace {

constexpr UINT_PTR kCountdownTimerId = 1;  // ATimer
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT;

TwipsRect Rect(const CountdownLayout::Box& box) { return {box.left, box.top, box.width, box.height}; }

} // namespace

CountdownView::~CountdownView() { Destroy(); }

void CountdownView::Destroy() {
    if (window_) DestroyWindow(window_);
}

bool CountdownView::EnsureWindow() {
    if (window_) return true;
    if (!model_) return false;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ViewWindowProc<CountdownView>;
    windowClass.hInstance = instance_;
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kCountdownWindowClass;
    RegisterClassExA(&windowClass);

    // No system menu: the window has no close box; Cancel is the way out, and
    // with the configuration locked there is none.
    RECT frame{0, 0, dpi_.X(CountdownLayout::clientWidth), dpi_.Y(CountdownLayout::clientHeight)};
    AdjustWindowRectEx(&frame, kStyle, FALSE, kExStyle);
    window_ = CreateWindowExA(kExStyle, kCountdownWindowClass, model_->frmAction.Caption().c_str(), kStyle, 0, 0,
                              frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance_,
                              this);
    if (!window_) return false;
    views_ = std::make_unique<ControlViews>(window_, dpi_);
    views_->AddLabel(model_->lblAction, IdCountdownLabel, Rect(CountdownLayout::lblAction));
    views_->AddProgressBar(model_->prgAction, IdCountdownBar, Rect(CountdownLayout::prgAction));
    views_->AddButton(model_->cmdAction, IdCountdownAct, Rect(CountdownLayout::cmdAction));
    views_->AddButton(model_->cmdCancel, IdCountdownCancel, Rect(CountdownLayout::cmdCancel));
    model_->frmAction.onRefresh = [this] { SetWindowTextA(window_, model_->frmAction.Caption().c_str()); };
    return true;
}

void CountdownView::StartTimer(int intervalMs) {
    if (!EnsureWindow()) return;
    SetTimer(window_, kCountdownTimerId, static_cast<UINT>(intervalMs), nullptr);
    timerRunning_ = true;
}

void CountdownView::StopTimer() {
    if (window_) KillTimer(window_, kCountdownTimerId);
    timerRunning_ = false;
}

void CountdownView::Show() {
    if (!EnsureWindow()) return;
    if (!placed_) {
        // Centred on the primary screen's work area.
        RECT work{};
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
        RECT frame{};
        GetWindowRect(window_, &frame);
        SetWindowPos(window_, nullptr, work.left + (work.right - work.left - (frame.right - frame.left)) / 2,
                     work.top + (work.bottom - work.top - (frame.bottom - frame.top)) / 2, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        placed_ = true;
    }
    // Shown without taking the keyboard: a key the user was about to press in
    // another program must not land on "Shutdown now".
    ShowWindow(window_, SW_SHOWNA);
}

void CountdownView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void CountdownView::SetClientHeightTwips(int height) {
    if (!EnsureWindow()) return;
    SizeClient(dpi_.X(CountdownLayout::clientWidth), dpi_.Y(height));
}

// The frame is measured on the window itself: caption and borders differ
// between systems, themes and Wine, and the system's own figures for them
// do not always match what it draws.
void CountdownView::SizeClient(int width, int height) {
    RECT frame{};
    RECT client{};
    GetWindowRect(window_, &frame);
    GetClientRect(window_, &client);
    const int frameWidth = (frame.right - frame.left) - (client.right - client.left);
    const int frameHeight = (frame.bottom - frame.top) - (client.bottom - client.top);
    SetWindowPos(window_, nullptr, 0, 0, width + frameWidth, height + frameHeight,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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
    case WM_CLOSE:
        return 0;  // only Cancel ends a countdown
    case WM_DESTROY:
        KillTimer(window_, kCountdownTimerId);
        views_.reset();
        if (model_) model_->frmAction.onRefresh = nullptr;
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace dwl::win32
