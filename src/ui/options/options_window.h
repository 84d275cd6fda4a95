#pragma once
#include <cstdint>

namespace dwl {

class OptionsForm;

// What the options window's view tells the program.
class IOptionsEvents {
public:
    virtual ~IOptionsEvents() = default;
    virtual OptionsForm& Form() = 0;                               // the model the window shows
    virtual void OnHotkey(uintptr_t wParam, intptr_t lParam) = 0;  // WM_HOTKEY, seen by the hotkey procedure
    virtual void OnSchedulerTick() = 0;                            // GTimer
    virtual void OnMenuCommand(int command) = 0;                   // an item of mPopupSys
    virtual void OnEndSession() = 0;                               // Windows is ending the session
};

// Commands of the tray popup menu mPopupSys.
enum MenuCommand : int { MenuExit = 40001 };

// The options window frmOptions as the program drives it.
class IOptionsWindow {
public:
    virtual ~IOptionsWindow() = default;
    // Creates the window hidden and starts its scheduler timer GTimer (60000 ms).
    virtual void Create(IOptionsEvents& events) = 0;
    virtual void ShowCentred() = 0;
    virtual void Hide() = 0;
    // Puts the hotkey window procedure in front of the window's own; takes it out again.
    virtual void HookHotkeyProc() = 0;
    virtual void UnhookHotkeyProc() = 0;
    virtual void Destroy() = 0;
};

} // namespace dwl
