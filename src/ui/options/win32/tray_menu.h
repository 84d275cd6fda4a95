#pragma once
#include <windows.h>

#include <vector>

#include "platform/win32/handles.h"
#include "ui/options/options_form.h"

namespace dwl::win32 {

// The tray icon's popup menu mPopupSys, a view of the form's menu items: each
// shows its item's caption and enabled state, kept in step through the item's
// refresh. Choosing one sends WM_COMMAND with its MenuCommand to the window the
// menu is shown for.
class TrayMenu {
public:
    ~TrayMenu() { Clear(); }

    void Build(OptionsForm& form);
    // Lets go of the form's items; they may be gone before this object.
    void Clear();
    // Brings `owner` to the foreground and shows the menu at the mouse cursor;
    // returns when it closes.
    void TrackAtCursor(HWND owner);

private:
    void Append(HMENU menu, Button& item, int command);
    void Sync(const Button& item, int command);

    UniqueMenu menu_;
    std::vector<Button*> bound_;
};

}  // namespace dwl::win32
