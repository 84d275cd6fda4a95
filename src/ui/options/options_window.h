#pragma once
#include <cstdint>
#include <string>

namespace dwl {

class HotkeyCapture;
class OptionsForm;
class TimeBox;

// What the options window's view tells the program.
class IOptionsEvents {
public:
    virtual ~IOptionsEvents() = default;
    virtual OptionsForm& Form() = 0;                                 // the model the window shows
    virtual TimeBox* TimeBoxModel() { return nullptr; }              // the Scenarios page's time box
    virtual HotkeyCapture* HotkeyCaptureModel() { return nullptr; }  // the Hotkeys page's boxes
    // The user asked to close the window (close box, system menu, Alt+F4).
    virtual void OnCloseRequest() {}
    // Another program asked the window to close (a task manager's "End
    // task"): the program is to end, as on IProgramEvents::OnEndRequest.
    virtual void OnEndRequest() {}
    // The window was minimised.
    virtual void OnMinimized() {}
    // Ctrl+Tab pressed anywhere in the window.
    virtual void OnCtrlTab() {}
};

// What the program's message window tells the program: the messages of
// Windows, of the tray icon and of other programs, whether or not the options
// window was ever shown.
class IProgramEvents {
public:
    virtual ~IProgramEvents() = default;
    virtual OptionsForm& Form() = 0;                               // the menu items the tray menu shows
    virtual void OnHotkey(uintptr_t wParam, intptr_t lParam) = 0;  // WM_HOTKEY, seen by the hotkey procedure
    virtual void OnSchedulerTick() = 0;                            // GTimer
    virtual void OnMenuCommand(int command) = 0;                   // an item of mPopupSys
    virtual void OnEndSession() = 0;                               // Windows is ending the session
    // Someone else asked the program to end (a task manager, an uninstaller,
    // the system's restart of running programs).
    virtual void OnEndRequest() {}
    // A mouse message (WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_RBUTTONUP, ...) on the tray icon.
    virtual void OnTrayNotify(unsigned /*mouseMessage*/) {}
    // A command line handed over by a later start; gives a CommandReply, and
    // in `answer` what the later start prints (empty for nothing).
    virtual int OnCommand(const std::string& /*text*/, std::string& /*answer*/) { return 0; }
    // The machine woke from sleep or hibernation; the system's clock was set.
    // The local time may have jumped past minutes the timer has not seen yet.
    virtual void OnResume() {}
    virtual void OnTimeChange() {}
    // Windows says that policy changed (after a Group Policy refresh).
    virtual void OnPolicyChange() {}
};

// Commands of the tray popup menu mPopupSys, one per item.
enum MenuCommand : int {
    MenuExit = 40001,
    MenuSettings = 40002,
    MenuLogOff = 40003,
    MenuReboot = 40004,
    MenuShutdown = 40005,
    MenuHelp = 40006,
    MenuAbout = 40007,
};

// The options window frmOptions as the program drives it.
class IOptionsWindow {
public:
    virtual ~IOptionsWindow() = default;
    // Creates the window hidden; its controls wait for its first showing.
    virtual void Create(IOptionsEvents& events) = 0;
    virtual void ShowCentred() = 0;
    virtual void Hide() = 0;
    virtual void Destroy() = 0;
    // Restores the window to its normal state, brings it to the foreground and shows it.
    virtual void ShowNormal() {}
    // Gives the keyboard focus to a control of the model.
    virtual void FocusControl(const void* /*control*/) {}
};

// The program's hidden message window: it owns the scheduler timer, the tray
// icon and its menu, the hotkeys and what other programs and Windows send.
class IMessageWindow {
public:
    virtual ~IMessageWindow() = default;
    // Creates the window hidden, before anything registers with it, and starts
    // the scheduler timer GTimer (60000 ms).
    virtual void Create(IProgramEvents& events) = 0;
    // The next tick of GTimer comes `delayMs` from now (and then every as
    // many, unless set again).
    virtual void SetSchedulerTimer(unsigned /*delayMs*/) {}
    virtual void Destroy() = 0;
    // Puts the hotkey window procedure in front of the window's own; takes it out again.
    virtual void HookHotkeyProc() = 0;
    virtual void UnhookHotkeyProc() = 0;
    // Brings the window to the foreground and shows the tray menu at the cursor.
    virtual void ShowTrayMenu() {}
    // The tray icon with the program's icon and `tip`; adding it again keeps one icon.
    virtual void AddTrayIcon(const char* /*tip*/) {}
    virtual void RemoveTrayIcon() {}
    // Asks the window, through its message queue, for the end that another
    // program's close request asks for (IProgramEvents::OnEndRequest).
    virtual void PostEndRequest() {}
};

}  // namespace dwl
