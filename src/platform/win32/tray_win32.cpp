#include "platform/win32/tray_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

namespace dwl::win32 {

void TrayIcon::Attach(HWND window, HICON icon) {
    window_ = window;
    icon_ = icon;
    if (!taskbarCreated_) taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
}

NOTIFYICONDATAA TrayIcon::Data() const {
    NOTIFYICONDATAA data{};
    // The first version's size: 88 bytes in the 32-bit build. Newer shells
    // accept it, older ones know nothing else.
    data.cbSize = NOTIFYICONDATAA_V1_SIZE;
    data.hWnd = window_;
    data.uID = kIconId;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = kCallbackMessage;
    data.hIcon = icon_;
    const size_t length = std::min(tip_.size(), sizeof data.szTip - 1);
    std::memcpy(data.szTip, tip_.data(), length);
    data.szTip[length] = '\0';
    return data;
}

void TrayIcon::Add(const char* tip) {
    if (!window_) return;
    tip_ = tip ? tip : "";
    NOTIFYICONDATAA data = Data();
    // The shell may hold the icon from an earlier add (ours or from before
    // the shell's restart): update it then instead of adding a second.
    if (added_) {
        if (!Shell_NotifyIconA(NIM_MODIFY, &data)) Shell_NotifyIconA(NIM_ADD, &data);
    } else if (!Shell_NotifyIconA(NIM_ADD, &data)) {
        Shell_NotifyIconA(NIM_MODIFY, &data);
    }
    // Failures are not reported: the program works without the icon. It is
    // taken as there, so that a new taskbar gets it.
    added_ = true;
}

void TrayIcon::Remove() {
    if (!added_ || !window_) return;
    NOTIFYICONDATAA data = Data();
    Shell_NotifyIconA(NIM_DELETE, &data);
    added_ = false;
}

bool TrayIcon::OnMessage(UINT message) {
    if (!taskbarCreated_ || message != taskbarCreated_) return false;
    if (added_) {
        NOTIFYICONDATAA data = Data();
        Shell_NotifyIconA(NIM_ADD, &data);
    }
    return true;
}

PopupMenu::~PopupMenu() { Clear(); }

void PopupMenu::Clear() {
    for (Button* item : bound_) item->onRefresh = nullptr;
    bound_.clear();
    menu_.reset();
}

void PopupMenu::Build(const std::vector<Entry>& entries) {
    for (Button* item : bound_) item->onRefresh = nullptr;
    bound_.clear();
    menu_.reset(CreatePopupMenu());
    if (!menu_) return;
    std::vector<HMENU> open{menu_.get()};
    for (const Entry& entry : entries) {
        HMENU menu = open.back();
        switch (entry.row) {
        case Row::Item:
            if (!entry.item) break;
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(entry.command), entry.item->Caption().c_str());
            bound_.push_back(entry.item);
            entry.item->onRefresh = [this, item = entry.item, command = entry.command] { Sync(*item, command); };
            Sync(*entry.item, entry.command);
            break;
        case Row::Separator:
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            break;
        case Row::SubmenuBegin:
            if (HMENU submenu = CreatePopupMenu()) {
                // From here on the submenu belongs to its parent menu.
                if (AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(submenu), entry.caption)) {
                    open.push_back(submenu);
                } else {
                    DestroyMenu(submenu);
                    open.push_back(menu);  // its items go into the parent instead
                }
            }
            break;
        case Row::SubmenuEnd:
            if (open.size() > 1) open.pop_back();
            break;
        }
    }
}

void PopupMenu::Sync(const Button& item, int command) {
    if (!menu_) return;
    // By command: the items of submenus are found too.
    ModifyMenuA(menu_.get(), static_cast<UINT>(command), MF_BYCOMMAND | MF_STRING, static_cast<UINT_PTR>(command),
                item.Caption().c_str());
    EnableMenuItem(menu_.get(), static_cast<UINT>(command), MF_BYCOMMAND | (item.Enabled() ? MF_ENABLED : MF_GRAYED));
}

void PopupMenu::TrackAtCursor(HWND owner) {
    if (!menu_ || !owner) return;
    // The menu closes on a click outside it only when its owner is in the foreground.
    SetForegroundWindow(owner);
    POINT cursor{};
    GetCursorPos(&cursor);
    TrackPopupMenu(menu_.get(), TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner, nullptr);
    // Lets the menu loop end properly when the next click goes elsewhere.
    PostMessageA(owner, WM_NULL, 0, 0);
}

} // namespace dwl::win32
