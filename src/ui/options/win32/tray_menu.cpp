#include "ui/options/win32/tray_menu.h"

#include "platform/win32/trace.h"
#include "ui/options/options_window.h"

namespace dwl::win32 {

void TrayMenu::Clear() {
    for (Button* item : bound_) item->onRefresh = nullptr;
    bound_.clear();
    menu_.reset();
}

void TrayMenu::Build(OptionsForm& form) {
    Clear();
    menu_.reset(CreatePopupMenu());
    if (!Check(static_cast<bool>(menu_), "CreatePopupMenu")) return;
    HMENU menu = menu_.get();
    Append(menu, form.mSettings, MenuSettings);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    // From here on the submenu belongs to the menu; without one its items go
    // into the menu itself.
    HMENU actions = CreatePopupMenu();
    if (actions &&
        !Check(AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(actions), "A&ctions"), "AppendMenuA")) {
        DestroyMenu(actions);
        actions = nullptr;
    }
    if (!actions) actions = menu;
    Append(actions, form.mLogOff, MenuLogOff);
    Append(actions, form.mReboot, MenuReboot);
    Append(actions, form.mShutdown, MenuShutdown);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    Append(menu, form.mHelp, MenuHelp);
    Append(menu, form.mAbout, MenuAbout);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    Append(menu, form.mExit, MenuExit);
}

void TrayMenu::Append(HMENU menu, Button& item, int command) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(command), item.Caption().c_str());
    bound_.push_back(&item);
    item.onRefresh = [this, &item, command] { Sync(item, command); };
    Sync(item, command);
}

void TrayMenu::Sync(const Button& item, int command) {
    if (!menu_) return;
    // By command: the items of submenus are found too.
    ModifyMenuA(menu_.get(), static_cast<UINT>(command), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(command),
                item.Caption().c_str());
    EnableMenuItem(menu_.get(), static_cast<UINT>(command), MF_BYCOMMAND | (item.Enabled() ? MF_ENABLED : MF_GRAYED));
}

void TrayMenu::TrackAtCursor(HWND owner) {
    if (!menu_ || !owner) return;
    // The menu closes on a click outside it only when its owner is in the foreground.
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    // Lets the menu loop end properly when the next click goes elsewhere.
    PostMessageA(owner, WM_NULL, 0, 0);
}

}  // namespace dwl::win32
