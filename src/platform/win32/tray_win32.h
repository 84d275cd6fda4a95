#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/model/controls.h"

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

// A popup menu built from model buttons: each item shows its button's caption
// and enabled state, kept in step through the button's refresh. Choosing an
// item sends WM_COMMAND with its command id to the window the menu is shown for.
class PopupMenu {
public:
    enum class Row { Item, Separator, SubmenuBegin, SubmenuEnd };
    struct Entry {
        Row row;
        Button* item = nullptr;       // Item: its model
        int command = 0;              // Item: its command id
        const char* caption = nullptr;  // SubmenuBegin: the submenu's caption
    };

    PopupMenu() = default;
    PopupMenu(const PopupMenu&) = delete;
    PopupMenu& operator=(const PopupMenu&) = delete;
    ~PopupMenu();

    // Lets go of the model's items; they may be gone before this object.
    void Clear();
    void Build(const std::vector<Entry>& entries);
    // Brings `owner` to the foreground and shows the menu at the mouse cursor;
    // returns when it closes.
    void TrackAtCursor(HWND owner);
    HMENU Handle() const { return menu_.get(); }

private:
    void Sync(const Button& item, int command);

    UniqueMenu menu_;
    std::vector<Button*> bound_;
};

} // namespace dwl::win32
