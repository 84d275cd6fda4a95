#pragma once
#include <windows.h>

#include "hotkeys/win32/hotkey_wndproc.h"
#include "platform/win32/handles.h"
#include "platform/win32/tray_win32.h"
#include "ui/kit/win32/view_window.h"
#include "ui/options/options_window.h"
#include "ui/options/win32/tray_menu.h"

namespace dwl::win32 {

// Later starts and other programs (setup ends the program by it) find the
// running copy by this class.
inline constexpr const char* kMessageWindowClass = "DuskwellMessages";

// The program's hidden message window. It is made at start-up, before the
// hotkeys and the tray icon are registered with it, and is never shown. A
// top-level window, not a message-only one: those get no broadcasts, so
// neither the new taskbar's "TaskbarCreated" nor the session's end would
// reach it, and FindWindow would not find it. It owns the scheduler timer,
// the tray icon and its menu and the hotkeys, and hands what other programs
// (WM_COPYDATA commands, WM_CLOSE) and Windows (session end, resume, clock
// changes) send to the program.
class MessageWindow : public IMessageWindow, public ViewWindow {
public:
    explicit MessageWindow(HINSTANCE instance) : ViewWindow(instance) {}
    ~MessageWindow() override { DestroyFrame(); }

    void Create(IProgramEvents& events) override;
    void Destroy() override { DestroyFrame(); }
    void HookHotkeyProc() override;
    void UnhookHotkeyProc() override { hotkeys_.Remove(); }
    void ShowTrayMenu() override { trayMenu_.TrackAtCursor(window_); }
    void AddTrayIcon(const char* tip) override { tray_.Add(tip); }
    void RemoveTrayIcon() override { tray_.Remove(); }
    void PostEndRequest() override;
    void SetSchedulerTimer(unsigned delayMs) override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    IProgramEvents* events_ = nullptr;
    HotkeyProc hotkeys_{[this](WPARAM id, LPARAM keys) {
        if (events_) events_->OnHotkey(id, keys);
    }};
    TrayIcon tray_;
    TrayMenu trayMenu_;  // mPopupSys
    UniqueIcon trayIcon_;
};

}  // namespace dwl::win32
