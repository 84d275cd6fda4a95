#pragma once
// In-memory stand-ins for the operating-system services. Each records the
// calls that matter into a shared journal, so tests can check their order.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "actions/countdown.h"
#include "fakes/fake_clock.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/instance.h"
#include "platform/os_version.h"
#include "platform/power.h"
#include "platform/shell.h"
#include "platform/user.h"
#include "platform/registry.h"
#include "ui/options/options_window.h"

namespace dwl::fakes {

using Journal = std::vector<std::string>;

struct FakeInstanceGuard : IInstanceGuard {
    explicit FakeInstanceGuard(Journal& j) : journal(j) {}
    bool Acquire() override { journal.push_back("instance"); return true; }
    Journal& journal;
};

class FakeDialogs : public IDialogs {
public:
    explicit FakeDialogs(Journal& j) : journal(j) {}
    int Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner owner) override {
        journal.push_back("message " + text);
        shown.push_back({text, caption, style, owner});
        // What the box's message loop delivers while it is up.
        if (whileShown) whileShown();
        return answer;
    }
    struct Shown { std::string text, caption; unsigned style; DialogOwner owner; };
    std::vector<Shown> shown;
    std::function<void()> whileShown;
    int answer = IdOk;
    Journal& journal;
};

class FakeRegistry : public IRegistry {
public:
    using Key = std::tuple<Hive, std::string, std::string>;
    std::optional<std::string> ReadString(Hive hive, const std::string& key, const std::string& value) override {
        auto it = values.find({hive, key, value});
        return it == values.end() ? std::nullopt : std::optional(it->second);
    }
    WriteResult WriteString(Hive hive, const std::string& key, const std::string& value,
                            const std::string& data) override {
        if (Denied(hive, key)) return WriteResult::KeyFailed;
        if (failValueWrites) return WriteResult::ValueFailed;
        values[{hive, key, value}] = data;
        return WriteResult::Written;
    }
    bool DeleteValue(Hive hive, const std::string& key, const std::string& value) override {
        return !Denied(hive, key) && values.erase({hive, key, value}) > 0;
    }
    // Removes the key's values; like the system, refuses a key that still has subkeys.
    bool DeleteKey(Hive hive, const std::string& key) override {
        if (Denied(hive, key)) return false;
        for (const auto& [k, data] : values)
            if (std::get<0>(k) == hive && std::get<1>(k).rfind(key + "\\", 0) == 0) return false;
        std::erase_if(values, [&](const auto& entry) {
            return std::get<0>(entry.first) == hive && std::get<1>(entry.first) == key;
        });
        return true;
    }
    std::map<Key, std::string> values;
    std::set<std::pair<Hive, std::string>> denied;  // keys (and all below) that cannot be opened
    bool failValueWrites = false;                   // the keys open, but every value write fails

private:
    bool Denied(Hive hive, const std::string& key) const {
        for (const auto& [h, prefix] : denied)
            if (h == hive && (key == prefix || key.rfind(prefix + "\\", 0) == 0)) return true;
        return false;
    }
};

class FakeFileSystem : public IFileSystem {
public:
    explicit FakeFileSystem(Journal& j) : journal(j) {}
    std::string ExePath() override { return folder + "\\dwl.exe"; }
    std::string ExeFolder() override { return folder; }
    FileContent ReadFile(const std::string& path) override {
        auto it = files.find(path);
        if (unreadable.count(path) || it == files.end())
            return {unreadable.count(path) ? ReadStatus::Failed : ReadStatus::Missing, {}};
        return {ReadStatus::Ok, it->second};
    }
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        journal.push_back("write " + path);
        if (failWrites) return false;
        files[path] = bytes;
        return true;
    }
    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    bool Rename(const std::string& from, const std::string& to) override {
        if (!files.count(from) || files.count(to)) return false;
        journal.push_back("rename " + from + " " + to);
        files[to] = files[from];
        files.erase(from);
        unreadable.erase(from);
        return true;
    }
    std::string folder = "C:\\Apps\\Duskwell";
    std::map<std::string, std::string> files;
    std::map<std::string, bool> unreadable;
    bool failWrites = false;
    Journal& journal;
};

struct FakeOsVersion : IOsVersionSource {
    std::optional<OsVersionRecord> Read(uint32_t) override {
        return OsVersionRecord{5, 1, 2600, 2, std::string(128, '\0'), 3, 0, 0, 1};
    }
};

class FakeHotkeys : public IHotkeys {
public:
    explicit FakeHotkeys(Journal& j) : journal(j) {}
    bool Register(int id, unsigned modifiers, unsigned key) override {
        journal.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                          std::to_string(key));
        return true;
    }
    void Unregister(int id) override { journal.push_back("unregister " + std::to_string(id)); }
    Journal& journal;
};

class FakeOptionsWindow : public IOptionsWindow {
public:
    explicit FakeOptionsWindow(Journal& j) : journal(j) {}
    void Create(IOptionsEvents& e) override { events = &e; exists = true; journal.push_back("create options"); }
    void ShowCentred() override { visible = true; journal.push_back("show options"); }
    void Hide() override { visible = false; journal.push_back("hide options"); }
    void HookHotkeyProc() override { hooked = true; journal.push_back("hook"); }
    void UnhookHotkeyProc() override { hooked = false; journal.push_back("unhook"); }
    void Destroy() override { exists = false; journal.push_back("destroy options"); }
    void ShowNormal() override { visible = true; journal.push_back("show normal"); }
    void ShowTrayMenu() override { journal.push_back("tray menu"); }
    void AddTrayIcon(const char* tip) override { journal.push_back(std::string("add tray ") + tip); }
    void RemoveTrayIcon() override { journal.push_back("remove tray"); }
    void FocusControl(const void* c) override { focused = c; journal.push_back("focus"); }
    const void* focused = nullptr;
    IOptionsEvents* events = nullptr;
    bool exists = false, visible = false, hooked = false;
    Journal& journal;
};

class FakePower : public IPower {
public:
    explicit FakePower(Journal& j) : journal(j) {}
    void EnableShutdownPrivilege() override { journal.push_back("privilege"); }
    void ExitWindowsEx(unsigned flags, unsigned reason) override {
        journal.push_back("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
    }
    void LockWorkStation() override { journal.push_back("LockWorkStation"); }
    void SetSuspendState(bool h, bool f, bool d) override {
        journal.push_back("SetSuspendState " + std::to_string(h) + std::to_string(f) + std::to_string(d));
    }
    Journal& journal;
};

struct FakeShell : IShell {
    void OpenDocument(const std::string&) override {}
};

struct FakeUser : IUserInfo {
    std::string LogonName() override { return "alice"; }
};

class FakeCountdownWindow : public ICountdownWindow {
public:
    explicit FakeCountdownWindow(Journal& j) : journal(j) {}
    void StartTimer(int) override { timer = true; }
    void StopTimer() override { timer = false; }
    void Show() override { visible = true; journal.push_back("show countdown"); }
    void Hide() override { visible = false; }
    void SetClientHeightTwips(int) override {}
    void SetAlwaysOnTop() override {}
    void ClearAlwaysOnTop() override {}
    void Destroy() override { journal.push_back("destroy countdown"); }
    bool timer = false, visible = false;
    Journal& journal;
};

} // namespace dwl::fakes
