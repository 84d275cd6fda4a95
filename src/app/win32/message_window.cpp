#include "app/win32/message_window.h"

#include <cstring>
#include <string>

#include "app/version.h"
#include "platform/command_channel.h"
#include "platform/win32/command_channel_win32.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

constexpr UINT_PTR kSchedulerTimerId = 1;  // GTimer
constexpr UINT kSchedulerInterval = 60000;
constexpr UINT kReplyTimeoutMs = 5000;

// Gives a later start its text to print, in the window it named as the
// command's sender; a window of any other class gets nothing.
void SendReply(HWND from, HWND to, std::string& text) {
    char className[32]{};
    if (!to || !GetClassNameA(to, className, sizeof className) || std::strcmp(className, kReplyWindowClass) != 0)
        return;
    if (text.size() > kMaxCommandBytes) text.resize(kMaxCommandBytes);
    COPYDATASTRUCT data{kReplyDataTag, static_cast<DWORD>(text.size()), text.data()};
    DWORD_PTR taken = 0;
    SendMessageTimeoutA(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, kReplyTimeoutMs, &taken);
}

}  // namespace

void MessageWindow::Create(IProgramEvents& events) {
    events_ = &events;
    // Hidden, out of the taskbar and of Alt+Tab even if something showed it.
    if (!CreateFrame(kMessageWindowClass, DWL_APP_TITLE, WS_POPUP, WS_EX_TOOLWINDOW, 0, 0)) return;
    trayIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                  GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    tray_.Attach(window_, trayIcon_.get());
    trayMenu_.Build(events.Form());
    Check(SetTimer(window_, kSchedulerTimerId, kSchedulerInterval, nullptr) != 0, "SetTimer");
}

void MessageWindow::HookHotkeyProc() {
    if (window_) hotkeys_.Install(window_);
}

void MessageWindow::SetSchedulerTimer(unsigned delayMs) {
    if (window_) Check(SetTimer(window_, kSchedulerTimerId, delayMs, nullptr) != 0, "SetTimer");
}

void MessageWindow::PostEndRequest() {
    if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
}

LRESULT MessageWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    hotkeys_.OnMessage(window_, message, wParam, lParam);
    if (tray_.OnMessage(message)) return 0;  // a new taskbar
    if (!events_) return DefWindowProcA(window_, message, wParam, lParam);
    switch (message) {
    case TrayIcon::kCallbackMessage: events_->OnTrayNotify(LOWORD(lParam)); return 0;
    case WM_TIMER:
        if (wParam == kSchedulerTimerId) events_->OnSchedulerTick();
        return 0;
    case WM_COMMAND:
        // An item of the tray menu.
        if (lParam == 0) events_->OnMenuCommand(LOWORD(wParam));
        return 0;
    case WM_CLOSE:
        // Another program asks this one to end.
        events_->OnEndRequest();
        return 0;
    case WM_COPYDATA: {
        // A later start's command line. The system's filter stays as it is: a
        // process of lower rights (a sandboxed browser's, or any unelevated
        // one while this copy runs elevated) must not command what it could
        // not do itself.
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        if (!data || data->dwData != kCommandDataTag || data->cbData > kMaxCommandBytes ||
            (data->cbData > 0 && !data->lpData))
            return 0;
        std::string answer;
        const int result =
            events_->OnCommand(std::string(static_cast<const char*>(data->lpData), data->cbData), answer);
        if (!answer.empty()) SendReply(window_, reinterpret_cast<HWND>(wParam), answer);
        return result;
    }
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION:
        if (wParam) events_->OnEndSession();
        return 0;
    case WM_POWERBROADCAST:
        if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) events_->OnResume();
        return TRUE;
    case WM_TIMECHANGE: events_->OnTimeChange(); return 0;
    case WM_SETTINGCHANGE:
        if (lParam && lstrcmpiA(reinterpret_cast<const char*>(lParam), "Policy") == 0) events_->OnPolicyChange();
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kSchedulerTimerId);
        tray_.Remove();
        trayMenu_.Clear();
        hotkeys_.Remove();
        PostQuitMessage(0);
        return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace dwl::win32
