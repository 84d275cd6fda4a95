#include "ui/options/win32/options_view.h"

#include "hotkeys/win32/hotkey_wndproc.h"

namespace dwl::win32 {
namespace {

constexpr UINT_PTR kSchedulerTimerId = 1;  // GTimer
constexpr UINT kSchedulerInterval = 60000;
constexpr int kWidth = 7200;  // twips
constexpr int kHeight = 5400;

} // namespace

OptionsView::OptionsView(HINSTANCE instance) : instance_(instance) {}

OptionsView::~OptionsView() {
    if (window_) DestroyWindow(window_);
}

void OptionsView::Create(IOptionsEvents& events) {
    events_ = &events;
    form_ = &events.Form();
    icon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));

    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &OptionsView::WindowProc;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon_.get();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOptionsWindowClass;
    RegisterClassExA(&windowClass);

    RECT frame{0, 0, dpi_.X(kWidth), dpi_.Y(kHeight)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kOptionsWindowClass, form_->frmOptions.Caption().c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance_, this);
    if (!window_) return;

    views_ = std::make_unique<ControlViews>(window_, dpi_);
    views_->AddLabel(activeLabel_, IdLblActive, {240, 240, 6600, 255});
    views_->AddListBox(form_->lstScen, IdLstScen, {240, 520, 6600, 2200});
    views_->AddDropDown(form_->cmdScen, IdCmdScen, {240, 2900, 6600, 315});
    views_->AddDropDown(form_->cmdAction, IdCmdAction, {240, 3400, 3200, 315});
    views_->AddDropDown(form_->cmdDuration, IdCmdDuration, {3640, 3400, 3200, 315});
    views_->AddDropDown(form_->cmdAct, IdCmdAct, {240, 3900, 3200, 315});
    form_->frmOptions.onRefresh = [this] { SetWindowTextA(window_, form_->frmOptions.Caption().c_str()); };

    popupMenu_.reset(CreatePopupMenu());
    AppendMenuA(popupMenu_.get(), MF_STRING, MenuExit, "&Exit");

    SetTimer(window_, kSchedulerTimerId, kSchedulerInterval, nullptr);
}

void OptionsView::ShowCentred() {
    if (!window_) return;
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void OptionsView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void OptionsView::HookHotkeyProc() {
    if (window_ && events_) InstallHotkeyProc(window_, *events_);
}

void OptionsView::UnhookHotkeyProc() {
    if (window_) RemoveHotkeyProc(window_);
}

void OptionsView::Destroy() {
    if (!window_) return;
    HWND window = window_;
    DestroyWindow(window);
}

LRESULT CALLBACK OptionsView::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        static_cast<OptionsView*>(create->lpCreateParams)->window_ = window;
    }
    auto* self = reinterpret_cast<OptionsView*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!self) return DefWindowProcA(window, message, wParam, lParam);
    try {
        return self->OnMessage(message, wParam, lParam);
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT OptionsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_TIMER:
        if (wParam == kSchedulerTimerId && events_) events_->OnSchedulerTick();
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (lParam == 0) {
            if (events_) events_->OnMenuCommand(id);
            return 0;
        }
        if (views_) views_->OnCommand(id, HIWORD(wParam));
        return 0;
    }
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            Hide();
            return 0;
        }
        break;
    case WM_CLOSE:
        Hide();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && events_) events_->OnEndSession();
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kSchedulerTimerId);
        views_.reset();
        form_->frmOptions.onRefresh = nullptr;
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace dwl::win32
