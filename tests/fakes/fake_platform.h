#pragma once
// In-memory stand-ins for the operating-system services. Each records the
// calls that matter into a shared journal, so tests can check their order.
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "actions/disk_cleanup.h"
#include "fakes/fake_clock.h"
#include "platform/command_channel.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/instance.h"
#include "platform/os_version.h"
#include "platform/power.h"
#include "platform/registry.h"
#include "platform/shell.h"
#include "platform/user.h"
#include "platform/wake_timer.h"
#include "settings/policy.h"
#include "ui/countdown/countdown.h"
#include "ui/options/options_window.h"
#include "ui/quickbar/quickbar.h"
#include "ui/warning/warnings.h"

namespace dwl::fakes {

using Journal = std::vector<std::string>;

// Writes the calls it sees into the test's journal.
struct Recorder {
    explicit Recorder(Journal& j) : journal(j) {}
    void Note(const std::string& call) { journal.push_back(call); }
    Journal& journal;
};

// The only copy running, without a console; or, with `otherRuns`, a
// later start whose commands meet `handOver`.
struct FakeInstance : IInstanceGuard, ICommandChannel {
    bool Acquire() override { return !otherRuns; }
    HandOverResult SendToRunningCopy(const std::string&) override { return handOver; }
    bool WriteToConsole(const std::string&) override { return false; }
    bool otherRuns = false;
    HandOverResult handOver;
};

struct FakeDialogs : IDialogs, Recorder {
    using Recorder::Recorder;
    int Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner owner) override {
        Note("message " + text);
        shown.push_back({text, caption, style, owner});
        if (whileShown) whileShown();  // what the box's message loop delivers while it is up
        return answer;
    }
    // clang-format off
    struct Shown { std::string text, caption; unsigned style; DialogOwner owner; };
    // clang-format on
    std::vector<Shown> shown;
    std::function<void()> whileShown;
    int answer = IdOk;
};

struct FakeRegistry : IRegistry {
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
    bool DeleteKey(Hive hive, const std::string& key) override {
        if (Denied(hive, key)) return false;
        std::erase_if(values,
                      [&](const auto& e) { return std::get<0>(e.first) == hive && std::get<1>(e.first) == key; });
        return true;
    }
    std::optional<RegistryValue> ReadValue(Hive hive, const std::string& key, const std::string& value) override {
        auto it = typed.find({hive, key, value});
        return it == typed.end() ? std::nullopt : std::optional(it->second);
    }
    bool Denied(Hive hive, const std::string& key) const {
        for (const auto& [h, prefix] : denied)
            if (h == hive && (key == prefix || key.rfind(prefix + "\\", 0) == 0)) return true;
        return false;
    }
    std::map<Key, std::string> values;
    // Policy values, as Group Policy writes them: a number, texts, or another type.
    void SetPolicy(Hive hive, const std::string& name, std::uint32_t number) {
        typed[{hive, kPolicyKey, name}] = {RegistryValue::Type::Number, number, {}, 0};
    }
    void SetPolicy(Hive hive, const std::string& name, std::vector<std::string> texts, int lost = 0) {
        typed[{hive, kPolicyKey, name}] = {RegistryValue::Type::TextList, 0, std::move(texts), lost};
    }
    void SetPolicy(Hive hive, const std::string& name) { typed[{hive, kPolicyKey, name}] = {}; }
    std::map<Key, RegistryValue> typed;  // read by ReadValue alone
    std::set<std::pair<Hive, std::string>> denied;  // keys (and all below) that cannot be opened
    bool failValueWrites = false;                   // the keys open, but every value write fails
};

struct FakeFileSystem : IFileSystem, Recorder {
    using Recorder::Recorder;
    std::string ExePath() override { return folder + "\\dwl.exe"; }
    std::string ExeFolder() override { return folder; }
    std::string UserFolderPath(UserFolder which) override { return which == UserFolder::Roaming ? roaming : local; }
    bool CreateFolder(const std::string&) override { return !failWrites; }
    FileContent ReadFile(const std::string& path) override {
        if (unreadable.count(path)) return {ReadStatus::Failed, {}};
        return files.count(path) ? FileContent{ReadStatus::Ok, files[path]} : FileContent{ReadStatus::Missing, {}};
    }
    bool WriteFileAtomic(const std::string& path, const std::string& bytes) override {
        Note("write " + path);
        if (!failWrites) files[path] = bytes;
        return !failWrites;
    }
    bool Exists(const std::string& path) override { return files.count(path) > 0; }
    bool CanOpenForReading(const std::string& path) override { return files.count(path) && !unreadable.count(path); }
    bool CreateNewFile(const std::string& path, const std::string& bytes, unsigned attributes) override {
        Note("create " + path + " " + std::to_string(attributes));
        if (failWrites || files.count(path)) return false;
        files[path] = bytes;
        return true;
    }
    std::string AnsiPath(const std::string& path) override { return path; }
    bool Rename(const std::string& from, const std::string& to) override {
        if (!files.count(from) || files.count(to)) return false;
        Note("rename " + from + " " + to);
        files[to] = files[from];
        files.erase(from);
        unreadable.erase(from);
        return true;
    }
    std::string folder = "C:\\Apps\\Duskwell";
    std::string roaming = "C:\\Users\\ann\\AppData\\Roaming", local = "C:\\Users\\ann\\AppData\\Local";
    std::map<std::string, std::string> files;
    std::map<std::string, bool> unreadable;
    bool failWrites = false;
};

// One record for both sizes (Windows XP unless set).
struct FakeOsVersion : IOsVersionSource {
    std::optional<OsVersionRecord> Read(uint32_t size) override {
        requested.push_back(size);
        return record;
    }
    std::optional<OsVersionRecord> record = OsVersionRecord{5, 1, 2600, 2, std::string(128, '\0'), 3, 0, 0, 1};
    std::vector<uint32_t> requested;
};

struct FakeHotkeys : IHotkeys, Recorder {
    using Recorder::Recorder;
    bool Register(int id, unsigned mod, unsigned key) override {
        Note("register " + std::to_string(id) + " " + std::to_string(mod) + " " + std::to_string(key));
        return true;
    }
    void Unregister(int id) override { Note("unregister " + std::to_string(id)); }
};

// The options window and the message window in one.
struct FakeOptionsWindow : IOptionsWindow, IMessageWindow, Recorder {
    using Recorder::Recorder;
    void Create(IOptionsEvents&) override { Note("create options"); }
    void Create(IProgramEvents&) override { Note("create messages"); }
    void ShowCentred() override { Note("show options"); }
    void Hide() override { Note("hide options"); }
    void HookHotkeyProc() override { Note("hook"); }
    void UnhookHotkeyProc() override { Note("unhook"); }
    void Destroy() override { Note("destroy window"); }
    void ShowTrayMenu() override { Note("tray menu"); }
    void PostEndRequest() override { Note("post end request"); }
    void FocusControl(const void*) override { Note("focus"); }
    void SetSchedulerTimer(unsigned delayMs) override { schedulerDelay = delayMs; }
    void AddTrayIcon(const char* tip) override { trayTip = tip; }
    unsigned schedulerDelay = 0;
    std::string trayTip;
};

// The warning windows open, by id: their text and whether they can be answered.
struct FakeWarningWindows : IWarningWindows {
    void SetAnswered(Answered a) override { answered = std::move(a); }
    void ShowWarning(int id, const std::string& text, bool answerable) override { open[id] = {text, answerable}; }
    void CloseWarning(int id) override { open.erase(id); }
    std::map<int, std::pair<std::string, bool>> open;
    Answered answered;
};

struct FakePower : IPower, Recorder {
    using Recorder::Recorder;
    void EnableShutdownPrivilege() override { Note("privilege"); }
    void ExitWindowsEx(unsigned flags, unsigned reason) override {
        Note("ExitWindowsEx " + std::to_string(flags) + " " + std::to_string(reason));
    }
    void LockWorkStation() override { Note("LockWorkStation"); }
    void SetSuspendState(bool h, bool f, bool d) override {
        Note("SetSuspendState " + std::to_string(h) + std::to_string(f) + std::to_string(d));
    }
};

// Notes each call: "wake at <UTC second>", "wake cancelled", "hold 1".
struct FakeWakeTimer : IWakeTimer, Recorder {
    using Recorder::Recorder;
    bool SetAt(std::int64_t utc, std::string& reason) override {
        Note("wake at " + std::to_string(utc));
        return (reason = refusal).empty();
    }
    void Cancel() override { Note("wake cancelled"); }
    bool CameDue() override { return cameDue; }
    void HoldAwake(bool hold) override { Note("hold " + std::to_string(hold)); }
    std::string refusal;  // a reason: the system refuses
    bool cameDue = false;
};

struct FakeShell : IShell {
    void OpenDocument(const std::string& command) override { opened.push_back(command); }
    void OpenAddress(const std::string& address) override { opened.push_back("address " + address); }
    TokenElevation Elevation() override { return elevation; }
    bool OpenUnelevated(const std::string& command) override {
        if (desktopStarts) opened.push_back("unelevated " + command);
        return desktopStarts;
    }
    std::vector<std::string> opened;
    TokenElevation elevation = TokenElevation::Default;
    bool desktopStarts = true;
};

struct FakeUser : IUserInfo, IActivity {
    std::string LogonName() override { return "alice"; }
    std::uint32_t LastInput() override { return lastInput; }
    std::uint32_t Now() override { return now; }
    bool KeptAwake() override { return keptAwake; }
    std::uint32_t lastInput = 0, now = 0;
    bool keptAwake = false;
};

// The countdown's window: its timer's interval (0 when stopped), whether it is
// shown (and how often it was) and on top.
struct FakeCountdownWindow : ICountdownWindow {
    void StartTimer(int ms) override { interval = ms; }
    void StopTimer() override { interval = 0; }
    void Show() override {
        ++shows;
        visible = true;
    }
    void Hide() override { visible = false; }
    void SetClientHeightTwips(int) override {}
    void SetAlwaysOnTop() override { topmost = true; }
    void ClearAlwaysOnTop() override { topmost = false; }
    int interval = 0, shows = 0;
    bool visible = false, topmost = false;
};

struct FakeQuickbarWindow : IQuickbarWindow, Recorder {
    using Recorder::Recorder;
    void Place(int left, int top) override {
        Note("place quickbar " + std::to_string(left) + " " + std::to_string(top));
    }
    void Layout() override {}
    void Show() override {}
    void Hide() override {}
    void SetAlwaysOnTop() override {}
    void ClearAlwaysOnTop() override {}
    void Destroy() override { Note("destroy quickbar"); }
    std::uint32_t InputTime() override { return inputTime; }
    std::uint32_t Now() override { return now; }
    std::uint32_t inputTime = 0, now = 0;
};

// A file tree: each folder (ending in a backslash) with its entries in
// listing order. Every file can be deleted but those in `locked`; the journal
// names a deleted file by where it really was. `links` are folders that lead
// elsewhere (junctions), `full` what the system makes of a path that is not
// already full. Without `namesOpenFiles` the system is an XP.
struct FakeDisk : IDiskCleanUp, ICleanUpProgress, Recorder {
    struct File : IFileToDelete {
        File(FakeDisk& d, std::u16string p) : disk(d), path(std::move(p)) {}
        std::optional<std::u16string> FinalPath() override {
            return disk.unnamed.count(path) ? std::u16string() : disk.FinalPath(path);
        }
        bool Delete() override {
            disk.Note("delete " + disk.Narrow(path));
            return disk.locked.count(path) == 0;
        }
        FakeDisk& disk;
        std::u16string path;
    };
    using Recorder::Recorder;
    std::u16string TempFolder() override { return temp; }
    std::vector<KnownFolder> KnownFolders() override { return known; }
    std::u16string FullPath(const std::u16string& path) override { return path; }
    std::optional<std::u16string> FinalPath(const std::u16string& path) override {
        if (!namesOpenFiles) return std::nullopt;
        return u"\\\\?\\" + (path.rfind(u"\\\\", 0) == 0 ? u"UNC" + Resolve(path).substr(1) : Resolve(path));
    }
    unsigned Attributes(const std::u16string& folder) override {
        if (links.count(folder)) return kAttributeDirectory | kAttributeReparsePoint;
        return tree.count(Resolve(folder)) ? kAttributeDirectory : kNoAttributes;
    }
    bool ListFolder(const std::u16string& folder, const EntryFound& found) override {
        const auto entries = tree.find(Resolve(folder));
        if (entries == tree.end()) return false;
        found(u".", kAttributeDirectory);
        found(u"..", kAttributeDirectory);
        for (const auto& [name, attributes] : entries->second) found(name, attributes);
        return true;
    }
    std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) override {
        if (beforeDelete) std::exchange(beforeDelete, nullptr)();
        const std::u16string real = Resolve(path);
        const size_t name = real.rfind(u'\\') + 1;
        for (const auto& [entry, attributes] : tree[real.substr(0, name)])
            if (entry.substr(0, entry.find(u'\0')) == real.substr(name) && !(attributes & kAttributeDirectory))
                return std::make_unique<File>(*this, real);
        return nullptr;
    }
    void EmptyRecycleBin() override { Note("empty recycle bin"); }
    std::u16string Widen(const std::string& text) override { return {text.begin(), text.end()}; }
    // As code page 1252 does: the fullwidth reverse solidus becomes '\'.
    std::string Narrow(const std::u16string& text) override {
        std::string narrow;
        for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : c == 0xFF3C ? '\\' : '?';
        return narrow;
    }
    std::u16string FoldCase(const std::u16string& path) override {
        std::u16string folded = path;
        for (char16_t& c : folded) c -= c >= u'a' && c <= u'z' ? 32 : 0;
        return folded;
    }
    void Trace(const std::string& line) override { Note("trace " + line); }
    void Report(const std::string&, size_t deleted) override { lastDeleted = deleted; }
    void Finished() override { Note("clean-up done"); }

    std::u16string Resolve(std::u16string path) const {
        for (bool again = true; again;) {
            again = false;
            for (const auto& [link, target] : links)
                if (path.rfind(link, 0) == 0) path = target + path.substr(link.size()), again = true;
        }
        return path;
    }

    std::map<std::u16string, std::vector<std::pair<std::u16string, unsigned>>> tree;
    std::map<std::u16string, std::u16string> links;
    std::u16string temp = u"C:\\Temp\\";
    std::vector<KnownFolder> known{{u"C:\\Windows", FolderRole::Windows},
                                   {u"C:\\Windows\\system32"},
                                   {u"C:\\Program Files"},
                                   {u"C:\\ProgramData"},
                                   {u"C:\\Users"},
                                   {u"C:\\Users\\me", FolderRole::Profile},
                                   {u"C:\\Users\\me\\AppData\\Local", FolderRole::LocalAppData},
                                   {u"C:\\Users\\me\\AppData\\Local\\Programs\\Duskwell\\", FolderRole::Program}};
    std::set<std::u16string> locked, unnamed;  // files that cannot be deleted, that the system cannot name
    std::function<void()> beforeDelete;        // runs when a file is opened to delete
    bool namesOpenFiles = true;
    size_t lastDeleted = 0;
};

}  // namespace dwl::fakes
