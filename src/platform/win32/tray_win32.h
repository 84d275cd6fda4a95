#pragma once
#include <windows.h>

#include <string>

namespace dwl::win32 {

// The program's icon in the notification area. The shell reports mouse
// messages on it to the window as kCallbackMessage, the mouse message in the
// low word of lParam. Uses the first shell version's record, which every
// shell understands.
class TrayIcon {
public:
    static constexpr UINT kCallbackMessage = WM_APP + 1;
    static constexpr UINT kIconId = 1;

    TrayIcon() = default;
    TrayIcon(const TrayIcon&) = delete;
    TrayIcon& operator=(const TrayIcon&) = delete;
    // The icon goes with its window.
    ~TrayIcon() { Remove(); }

    // The window that gets the notifications and the icon to show; the icon
    // stays owned by the caller.
    void Attach(HWND window, HICON icon);
    // Shows the icon with `tip`; when it is already there it is updated, so
    // there is never more than one.
    void Add(const char* tip);
    void Remove();
    bool Added() const { return added_; }
    // A message of the window: true when it was the shell's announcement that
    // the taskbar was made anew (Explorer restarted); the icon is then put back
    // if it was there.
    bool OnMessage(UINT message);

private:
    NOTIFYICONDATAA Data() const;

    HWND window_ = nullptr;
    HICON icon_ = nullptr;
    std::string tip_;
    bool added_ = false;
    UINT taskbarCreated_ = 0;
};

}  // namespace dwl::win32
