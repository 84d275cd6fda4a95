#include "actions/disk_cleanup.h"

#include <cstdint>
#include <optional>
#include <vector>

#include "platform/disk.h"
#include "settings/registry_access.h"

namespace dwl {
namespace {

constexpr size_t kReportEvery = 64;
constexpr size_t kMaxDepth = 256;  // levels of subfolders searched below a root

// What a character becomes when a code page without it stands in its nearest
// look-alike ("best fit"), for the characters that would then be separators
// or dots; other characters outside ASCII count as a plain '?'.
char LookAlike(char16_t c) {
    switch (c) {
    case 0xFF3C:
    case 0xFE68:
    case 0x2216:
    case 0x29F5:
    case 0x29F9: return '\\';
    case 0xFF0F:
    case 0x2215:
    case 0x2044:
    case 0x29F8: return '/';
    case 0xFF1A:
    case 0x2236:
    case 0xFE55:
    case 0xFE13:
    case 0xA789: return ':';
    case 0xFF0E:
    case 0x2024:
    case 0xFE52: return '.';
    default: return c < 0x80 ? static_cast<char>(c) : '?';
    }
}

bool ReadsAsPath(const std::string& name) {
    return name.empty() || name == "." || name == ".." || name.find_first_of("\\/:") != std::string::npos;
}

// The first characters of a path that the system reads the same from any
// current folder: "X:\" or "\\".
bool IsAbsolute(const std::u16string& path) {
    auto separator = [](char16_t c) { return c == u'\\' || c == u'/'; };
    const bool drive = path.size() >= 3 && path[1] == u':' && separator(path[2]);
    return drive || (path.size() >= 2 && separator(path[0]) && separator(path[1]));
}

// `path` in its plain form, ending in a backslash: without the "\\?\" or
// "\\.\" of the system's own spellings ("\\?\UNC\server\share" is
// "\\server\share") and with '/' read as '\'.
std::u16string PlainFolder(std::u16string path) {
    if (path.rfind(u"\\\\?\\UNC\\", 0) == 0)
        path.erase(2, 6);
    else if (path.rfind(u"\\\\?\\", 0) == 0 || path.rfind(u"\\\\.\\", 0) == 0)
        path.erase(0, 4);
    for (char16_t& c : path)
        if (c == u'/') c = u'\\';
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path;
}

// True for a share the system keeps for its administrators: of a whole
// drive ("C$"), of the Windows folder ("ADMIN$") or of the printer drivers
// in the system folder ("PRINT$").
bool IsAdministrativeShare(std::u16string share) {
    for (char16_t& c : share) c -= c >= u'a' && c <= u'z' ? 32 : 0;
    const bool drive = share.size() == 2 && share[0] >= u'A' && share[0] <= u'Z' && share[1] == u'$';
    return drive || share == u"ADMIN$" || share == u"PRINT$";
}

// `folder` (a plain folder) when it lies below the root of a drive
// ("X:\name\") or of a share ("\\server\share\name\") that is no
// administrative share, and none of its parts is empty, "." or ".."; empty
// for a root, a device or volume path and anything else.
std::u16string BelowRoot(const std::u16string& folder) {
    size_t at = 0;
    if (folder.size() >= 3 && folder[1] == u':' && folder[2] == u'\\') {
        if (!((folder[0] | 0x20) >= u'a' && (folder[0] | 0x20) <= u'z')) return {};
        at = 3;
    } else if (folder.rfind(u"\\\\", 0) == 0) {
        const size_t server = folder.find(u'\\', 2), share = folder.find(u'\\', server + 1);
        if (server == 2 || share == server + 1 || share == std::u16string::npos) return {};
        if (IsAdministrativeShare(folder.substr(server + 1, share - server - 1))) return {};
        at = share + 1;
    } else {
        return {};
    }
    if (at == folder.size()) return {};
    for (size_t end; at < folder.size(); at = end + 1) {
        end = folder.find(u'\\', at);
        const std::u16string part = folder.substr(at, end - at);
        if (part.empty() || part == u"." || part == u"..") return {};
    }
    return folder;
}

// True when `path` is `folder` or lies below it (folder ending in a backslash).
bool Holds(const std::u16string& folder, const std::u16string& path) {
    return !folder.empty() && path.compare(0, folder.size(), folder) == 0;
}

// A folder to clean, as the system resolved it when the clean-up began:
// `path` is what is searched; `key` and `finalKey` (where the system names
// open files) are the full and the final path folded for comparing.
struct Root {
    std::u16string path, key;
    std::optional<std::u16string> finalKey;
};

// A folder the system names, with its full and final paths folded.
struct Known {
    KnownFolder folder;
    std::vector<std::u16string> keys;
};

// CleanUpList: the files found, in the order found. Each folder's path is
// kept once and each file as its folder's number and its name, so that a
// hundred thousand files take a few megabytes.
class CleanUpList {
public:
    void AddFolder(const std::u16string& folder, size_t root) { folders_.push_back({folder, root}); }
    void AddFile(const std::u16string& name) {
        files_.push_back({static_cast<uint32_t>(folders_.size() - 1), static_cast<uint32_t>(names_.size())});
        names_.append(name).push_back(u'\0');
    }
    size_t Count() const { return files_.size(); }
    size_t Root(size_t i) const { return folders_[files_[i].folder].root; }
    const std::u16string& Folder(size_t i) const { return folders_[files_[i].folder].path; }
    std::u16string Name(size_t i) const { return names_.c_str() + files_[i].name; }

private:
    struct ListedFolder {
        std::u16string path;
        size_t root;
    };
    struct File {
        uint32_t folder, name;
    };
    std::vector<ListedFolder> folders_;
    std::vector<File> files_;
    std::u16string names_;
};

class CleanUp {
public:
    CleanUp(IDiskCleanUp& disk, ICleanUpProgress* progress) : disk_(disk), progress_(progress) {}

    void CollectTempFiles() {
        what_ = "Looking for temporary files...";
        Collect(disk_.TempFolder(), "temporary folder", true);
    }

    void CollectInternetCacheFiles(MyRegistry& registry) {
        what_ = "Looking for temporary internet files...";
        registry.TuneMyRegistry("HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
        const std::string cache = registry.LoadFromRegistry("Shell Folders", "Cache", "");
        Collect(disk_.Widen(cache.substr(0, cache.find('\0'))), "internet cache folder", false);
    }

    void DeleteFiles() {
        what_ = "Deleting temporary files...";
        for (size_t i = 0; i < list_.Count(); ++i) {
            if (DeleteInside(roots_[list_.Root(i)], list_.Folder(i), list_.Name(i))) ++deleted_;
            if (i % kReportEvery == 0) Report();
        }
        Report();
    }

    void EmptyRecycleBin() {
        what_ = "Emptying the Recycle Bin...";
        Report();
        disk_.EmptyRecycleBin();
    }

private:
    void Collect(const std::u16string& folder, const std::string& what, bool temp) {
        if (folder.empty()) return;  // no such folder: an empty path would be the current one
        if (const std::string refused = Refusal(folder, temp); !refused.empty()) {
            disk_.Trace("clean-up: the " + what + " \"" + disk_.Narrow(folder) + "\" is not cleaned: " + refused);
            return;
        }
        FindFiles(roots_.size() - 1);
    }

    // Resolves a folder to clean into a new root; why it is refused, or empty.
    std::string Refusal(const std::u16string& folder, bool temp) {
        if (!IsAbsolute(folder)) return "not a full path";
        Root root;
        root.path = BelowRoot(PlainFolder(disk_.FullPath(folder)));
        if (root.path.empty()) return "a drive, a share or a device";
        const unsigned attributes = disk_.Attributes(root.path);
        if (attributes == kNoAttributes || !(attributes & kAttributeDirectory)) return "no folder";
        if (attributes & kAttributeReparsePoint) return "a junction or a link";
        root.key = disk_.FoldCase(root.path);
        if (const auto final = disk_.FinalPath(root.path)) {
            root.finalKey = disk_.FoldCase(BelowRoot(PlainFolder(*final)));
            if (root.finalKey->empty()) return "it resolves to a drive, a share or no folder";
        }
        if (!HoldsThrowAwayFiles(root.key, temp) || (root.finalKey && !HoldsThrowAwayFiles(*root.finalKey, temp)))
            return temp ? "no temporary folder" : "not below the local application data folder";
        for (const Known& known : KnownFolders())
            for (const std::u16string& key : known.keys)
                if (Holds(root.key, key) || (root.finalKey && Holds(*root.finalKey, key)))
                    return "it holds " + disk_.Narrow(known.folder.path);
        roots_.push_back(std::move(root));
        return {};
    }

    // True when the folded folder `key` is a place of throw-away files: a
    // folder below the user's local application data folder (on XP, below
    // its "Local Settings"); for the temporary folder also the Windows
    // folder's "Temp", and any "Temp" or "Tmp" outside the folders of the
    // system, the programs and the profiles.
    bool HoldsThrowAwayFiles(const std::u16string& key, bool temp) {
        const std::u16string last = key.substr(key.rfind(u'\\', key.size() - 2) + 1);
        bool inside = false;
        for (const Known& known : KnownFolders())
            for (const std::u16string& folder : known.keys) {
                if (known.folder.role == FolderRole::LocalAppData && Below(folder, key)) return true;
                if (temp && known.folder.role == FolderRole::Windows && key == folder + disk_.FoldCase(u"Temp\\"))
                    return true;
                inside = inside || (known.folder.role != FolderRole::Program && Holds(folder, key));
            }
        return temp && !inside && (last == disk_.FoldCase(u"Temp\\") || last == disk_.FoldCase(u"Tmp\\"));
    }

    // The folders the system names, each with its full and final paths
    // folded. The local application data folder counts only below the
    // user's profile (its place is a setting the user can change), and on XP
    // its parent "Local Settings" counts with it.
    const std::vector<Known>& KnownFolders() {
        if (known_) return *known_;
        known_.emplace();
        for (const KnownFolder& folder : disk_.KnownFolders()) {
            if (folder.path.empty()) continue;
            Known known{folder, {disk_.FoldCase(PlainFolder(disk_.FullPath(folder.path)))}};
            if (const auto final = disk_.FinalPath(folder.path); final && !final->empty())
                known.keys.push_back(disk_.FoldCase(PlainFolder(*final)));
            known_->push_back(std::move(known));
        }
        auto inProfile = [this](const std::u16string& key) {
            for (const Known& profile : *known_)
                for (const std::u16string& folder : profile.keys)
                    if (profile.folder.role == FolderRole::Profile && Below(folder, key)) return true;
            return false;
        };
        for (Known& local : *known_) {
            if (local.folder.role != FolderRole::LocalAppData) continue;
            std::vector<std::u16string> keys;
            for (const std::u16string& key : local.keys) {
                if (!inProfile(key)) continue;
                keys.push_back(key);
                const std::u16string parent = key.substr(0, key.rfind(u'\\', key.size() - 2) + 1);
                if (key.substr(parent.size()) == disk_.FoldCase(u"Application Data\\") && inProfile(parent))
                    keys.push_back(parent);
            }
            local.keys = std::move(keys);
        }
        return *known_;
    }

    // A name that can be joined to its folder's path: it holds no separator
    // and is no "." or "..", also once converted to the code page.
    bool IsPlainName(const std::u16string& name) {
        std::string alike;
        for (char16_t c : name) alike += LookAlike(c);
        return !ReadsAsPath(alike) && !ReadsAsPath(disk_.Narrow(name));
    }

    // Lists the files of a root, depth first: a folder's own files before
    // those of its subfolders. The folders still to search wait on a list of
    // their own, not on the program's stack, which folders nested ten
    // thousand deep would exhaust; below kMaxDepth levels none is searched.
    void FindFiles(size_t root) {
        std::vector<std::pair<std::u16string, size_t>> waiting{{roots_[root].path, 0}};
        bool tooDeep = false;
        while (!waiting.empty()) {
            const std::u16string folder = std::move(waiting.back().first);
            const size_t depth = waiting.back().second;
            waiting.pop_back();
            Report();
            // A subfolder that is a junction or a link leads out of the folder and is left alone.
            std::vector<std::u16string> subfolders;
            bool listed = false;
            disk_.ListFolder(folder, [&](const std::u16string& entry, unsigned attributes) {
                const std::u16string name = StripNulls(entry);
                if (!IsPlainName(name)) return;
                if (attributes & kAttributeDirectory) {
                    if (!(attributes & kAttributeReparsePoint)) subfolders.push_back(name);
                } else {
                    if (!listed) list_.AddFolder(folder, root), listed = true;
                    list_.AddFile(name);
                }
            });
            tooDeep = tooDeep || (depth == kMaxDepth && !subfolders.empty());
            if (depth == kMaxDepth) continue;
            for (auto name = subfolders.rbegin(); name != subfolders.rend(); ++name)
                waiting.push_back({folder + *name + u"\\", depth + 1});
        }
        if (tooDeep)
            disk_.Trace("clean-up: the folders more than " + std::to_string(kMaxDepth) + " levels below \"" +
                        disk_.Narrow(roots_[root].path) + "\" are not cleaned");
    }

    // Deletes a file found in `folder` only when it still lies inside its
    // root: by its full path now, and by the path of the file as opened (a
    // file the system fails to name stays); where the system has no way to
    // name open files (XP), when no folder between the root and the file has
    // become a junction or a link.
    bool DeleteInside(const Root& root, const std::u16string& folder, const std::u16string& name) {
        const std::u16string path = folder + name;
        if (!Below(root.key, PlainFolder(disk_.FullPath(path)))) return false;
        const std::unique_ptr<IFileToDelete> file = disk_.OpenToDelete(path);
        if (!file) return false;
        const auto final = root.finalKey ? file->FinalPath() : std::nullopt;
        if (final) {
            if (final->empty() || !Below(*root.finalKey, PlainFolder(*final))) return false;
        } else {
            for (std::u16string between = folder; between.size() > root.path.size();
                 between.resize(between.rfind(u'\\', between.size() - 2) + 1))
                if (disk_.Attributes(between) & kAttributeReparsePoint) return false;
        }
        return file->Delete();
    }

    // True when `path` lies below the folder whose folded path is `key`.
    bool Below(const std::u16string& key, const std::u16string& path) {
        const std::u16string folded = disk_.FoldCase(path);
        return folded.size() > key.size() && Holds(key, folded);
    }

    void Report() {
        if (progress_) progress_->Report(what_, deleted_);
    }

    IDiskCleanUp& disk_;
    ICleanUpProgress* progress_;
    std::vector<Root> roots_;
    std::optional<std::vector<Known>> known_;
    CleanUpList list_;
    std::string what_;
    size_t deleted_ = 0;
};

}  // namespace

std::u16string StripNulls(const std::u16string& text) { return text.substr(0, text.find(u'\0')); }

void RunCleanUp(const CleanUpOptions& options, IDiskCleanUp& disk, MyRegistry& registry, ICleanUpProgress* progress) {
    const auto [temp, cache, recycleBin] = options;
    if (!temp && !cache && !recycleBin) return;
    {
        CleanUp cleanUp(disk, progress);
        if (temp) cleanUp.CollectTempFiles();
        if (cache) cleanUp.CollectInternetCacheFiles(registry);
        if (temp || cache) cleanUp.DeleteFiles();
        if (recycleBin) cleanUp.EmptyRecycleBin();
    }
    if (progress) progress->Finished();
}

}  // namespace dwl
