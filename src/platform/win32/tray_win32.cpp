#include "platform/win32/tray_win32.h"

#include <shellapi.h>

#include <algorithm>
#include <cstring>

#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

// The shell's library is loaded with the first icon: without one, never.
BOOL Notify(DWORD message, NOTIFYICONDATAA* data) {
    static const auto notify =
        SystemFunction<BOOL(WINAPI*)(DWORD, NOTIFYICONDATAA*)>("shell32.dll", "Shell_NotifyIconA");
    return notify && notify(message, data);
}

}  // namespace

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
        if (!Notify(NIM_MODIFY, &data)) Notify(NIM_ADD, &data);
    } else if (!Notify(NIM_ADD, &data)) {
        Notify(NIM_MODIFY, &data);
    }
    // Failures are not reported: the program works without the icon. It is
    // taken as there, so that a new taskbar gets it.
    added_ = true;
}

void TrayIcon::Remove() {
    if (!added_ || !window_) return;
    NOTIFYICONDATAA data = Data();
    Notify(NIM_DELETE, &data);
    added_ = false;
}

bool TrayIcon::OnMessage(UINT message) {
    if (!taskbarCreated_ || message != taskbarCreated_) return false;
    if (added_) {
        NOTIFYICONDATAA data = Data();
        Notify(NIM_ADD, &data);
    }
    return true;
}

}  // namespace dwl::win32
