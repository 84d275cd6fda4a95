#include "actions/disk_cleanup.h"

#include <cstdint>
#include <vector>

#include "platform/disk.h"
#include "settings/my_registry.h"
#include "ui/model/controls.h"

namespace dwl {
namespace {

constexpr const char* kAllFiles = "*.*";
constexpr size_t kReportEvery = 64;

// A folder's own path: absolute ("X:\..." or "\\server\share\..."), not a
// drive's root, ending in a backslash. Empty for anything else, which is
// then not searched: an empty or relative path would mean the current folder.
std::string SearchableFolder(std::string folder) {
    folder = StripNulls(folder);
    if (!folder.empty() && folder.back() != '\\') folder += '\\';
    const bool drive = folder.size() > 3 && folder[1] == ':' && folder[2] == '\\';
    const bool share = folder.size() > 2 && folder[0] == '\\' && folder[1] == '\\';
    return drive || share ? folder : std::string();
}

// CleanUpList: the files found, in the order found. Each folder's path is
// kept once and each file as its folder's number and its name, so that a
// hundred thousand files take a few megabytes.
class CleanUpList {
public:
    void AddFolder(const std::string& folder) { folders_.push_back(folder); }
    void AddFile(const std::string& name) {
        files_.push_back({static_cast<uint32_t>(folders_.size() - 1), static_cast<uint32_t>(names_.size())});
        names_.append(name).push_back('\0');
    }
    size_t Count() const { return files_.size(); }
    std::string Path(size_t i) const { return folders_[files_[i].folder] + (names_.c_str() + files_[i].name); }

private:
    struct File {
        uint32_t folder, name;
    };
    std::vector<std::string> folders_;
    std::vector<File> files_;
    std::string names_;
};

class CleanUp {
public:
    CleanUp(IDiskCleanUp& disk, ICleanUpProgress* progress) : disk_(disk), progress_(progress) {}

    void CollectTempFiles() {
        what_ = "Looking for temporary files...";
        FindFilesRecursive(disk_.TempFolder(), kAllFiles);
    }

    void CollectInternetCacheFiles(MyRegistry& registry) {
        what_ = "Looking for temporary internet files...";
        registry.TuneMyRegistry("HKEY_CURRENT_USER", "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer");
        FindFilesRecursive(registry.LoadFromRegistry("Shell Folders", "Cache", ""), kAllFiles);
    }

    void DeleteFiles() {
        what_ = "Deleting temporary files...";
        for (size_t i = 0; i < list_.Count(); ++i) {
            if (disk_.RemoveFile(list_.Path(i))) ++deleted_;
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
    void FindFilesRecursive(const std::string& path, const std::string& pattern) {
        const std::string folder = SearchableFolder(path);
        if (folder.empty()) return;
        Report();
        // Folders first, then the files; a subfolder that is a junction or a
        // link leads out of the folder and is left alone.
        const bool everything = pattern == kAllFiles || pattern == "*";
        std::vector<std::string> subfolders;
        bool listed = false;
        disk_.ListFolder(folder, "*", [&](const std::string& entry, unsigned attributes) {
            const std::string name = StripNulls(entry);
            if (name.empty() || name == "." || name == "..") return;
            if (attributes & kAttributeDirectory) {
                if (!(attributes & kAttributeReparsePoint)) subfolders.push_back(name);
            } else if (everything) {
                if (!listed) list_.AddFolder(folder), listed = true;
                list_.AddFile(name);
            }
        });
        if (!everything) {
            disk_.ListFolder(folder, pattern, [&](const std::string& entry, unsigned attributes) {
                const std::string name = StripNulls(entry);
                if (name.empty() || name == "." || name == ".." || (attributes & kAttributeDirectory)) return;
                if (!listed) list_.AddFolder(folder), listed = true;
                list_.AddFile(name);
            });
        }
        for (const std::string& name : subfolders) FindFilesRecursive(folder + name + "\\", pattern);
    }

    void Report() {
        if (progress_) progress_->Report(what_, deleted_);
    }

    IDiskCleanUp& disk_;
    ICleanUpProgress* progress_;
    CleanUpList list_;
    std::string what_;
    size_t deleted_ = 0;
};

}  // namespace

std::string StripNulls(const std::string& text) { return text.substr(0, text.find('\0')); }

void RunCleanUp(const CleanUpBoxes& boxes, IDiskCleanUp& disk, MyRegistry& registry, ICleanUpProgress* progress) {
    const bool temp = boxes.chkCleanTemp.Value() != 0;
    const bool cache = boxes.chkCleanNetCashe.Value() != 0;
    const bool recycleBin = boxes.chkCleanRecycleBin.Value() != 0;
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
