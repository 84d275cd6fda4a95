#pragma once
#include <windows.h>

#include <functional>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/instance.h"
#include "platform/user.h"
#include "platform/win32/handles.h"

namespace dwl::win32 {

// Message boxes owned by the program's windows, which exist later than this
// object: `owner` gives the window of each kind (null when it has none yet).
class Win32Dialogs : public IDialogs {
public:
    std::function<HWND(DialogOwner)> owner;

protected:
    int Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner which) override;
};

// A named mutex per program and logged-on user, held for the life of the process.
class Win32InstanceGuard : public IInstanceGuard {
public:
    bool Acquire() override;

private:
    UniqueHandle mutex_;
};

class Win32FileSystem : public IFileSystem {
public:
    std::string ExePath() override;
    std::string ExeFolder() override;
    std::string UserFolderPath(UserFolder which) override;
    bool CreateFolder(const std::string& path) override;
    FileContent ReadFile(const std::string& path) override;
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override;
    bool Exists(const std::string& path) override;
    bool CanOpenForReading(const std::string& path) override;
    bool CreateNewFile(const std::string& path, const std::string& bytes, unsigned attributes) override;
    bool Rename(const std::string& from, const std::string& to) override;
    std::string AnsiPath(const std::string& path) override;
};

// Hotkeys registered on a window that exists later than this object.
class Win32Hotkeys : public IHotkeys {
public:
    explicit Win32Hotkeys(std::function<HWND()> window) : window_(std::move(window)) {}
    bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
    void Unregister(int id) override;

private:
    std::function<HWND()> window_;
};

// The logged-on user's name, empty when it cannot be read.
std::string CurrentUserName();

class Win32UserInfo : public IUserInfo {
public:
    std::string LogonName() override { return CurrentUserName(); }
};

}  // namespace dwl::win32
