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

class FakeInstanceGuard : public IInstanceGuard {
public:
    explicit FakeInstanceGuard(Journal& j) : journal(j) {}
    bool Acquire() override { journal.push_back("instance"); return !otherRunning; }
    Journal& journal;
    bool otherRunning = false;
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
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    WriteResult WriteString(Hive hive, const std::string& key, const std::string& value,
                            const std::string& data) override {
        if (Denied(hive, key)) return WriteResult::KeyFailed;
        if (failValueWrites) return WriteResult::ValueFailed;
        values[{hive, key, value}] = data;
        return WriteResult::Written;
    }
    bool DeleteValue(Hive hive, const std::string& key, const std::string& value) override {
        if (Denied(hive, key)) return false;
        return values.erase({hive, key, value}) > 0;
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
    // Keys (and everything below them) that cannot be opened or created.
    std::set<std::pair<Hive, std::string>> denied;
    // Keys open fine but every value write fails.
    bool failValueWrites = false;

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
        if (unreadable.count(path)) return {ReadStatus::Failed, {}};
        auto it = files.find(path);
        if (it == files.end()) return {ReadStatus::Missing, {}};
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
        if (failRenames || !files.count(from) || files.count(to)) return false;
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
    bool failRenames = false;
    Journal& journal;
};

class FakeOsVersion : public IOsVersionSource {
public:
    std::optional<OsVersionRecord> Read(uint32_t) override { return record; }
    std::optional<OsVersionRecord> record = OsVersionRecord{5, 1, 2600, 2, std::string(128, '\0'), 3, 0, 0, 1};
};

class FakeHotkeys : public IHotkeys {
public:
    explicit FakeHotkeys(Journal& j) : journal(j) {}
    bool Register(int id, unsigned modifiers, unsigned key) override {
        journal.push_back("register " + std::to_string(id) + " " + std::to_string(modifiers) + " " +
                          std::to_string(key));
        registered[id] = {modifiers, key};
        return true;
    }
    void Unregister(int id) override {
        journal.push_back("unregister " + std::to_string(id));
        registered.erase(id);
    }
    std::map<int, std::pair<unsigned, unsigned>> registered;
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
    IOptionsEvents* events = nullptr;
    bool exists = false;
    bool visible = false;
    bool hooked = false;
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

class FakeShell : public IShell {
public:
    void OpenDocument(const std::string& command) override { opened.push_back(command); }
    std::vector<std::string> opened;
};

class FakeUser : public IUserInfo {
public:
    std::string LogonName() override { return name; }
    std::string name = "alice";
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
    bool timer = false;
    bool visible = false;
    Journal& journal;
};

} // namespace dwl::fakes
