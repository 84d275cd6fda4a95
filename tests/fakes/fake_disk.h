#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "actions/disk_cleanup.h"
#include "platform/disk.h"

namespace dwl::fakes {

using Journal = std::vector<std::string>;

// A file tree: each folder (ending in a backslash) with its entries in
// listing order, names in UTF-8 (UTF-16 to the clean-up). Every file can be
// deleted but those in `locked`; the journal names a deleted file by where it
// really was. `links` are folders that lead elsewhere (junctions), `full`
// what the system makes of a path that is not already full, `keep` the
// system's folders. Without `namesOpenFiles` the system is an XP.
struct FakeDisk : IDiskCleanUp, ICleanUpProgress {
    explicit FakeDisk(Journal& j) : journal(j) {}
    std::u16string TempFolder() override { return Widen(temp); }
    std::vector<std::u16string> FoldersToKeep() override;
    std::u16string FullPath(const std::u16string& path) override;
    std::optional<std::u16string> FinalPath(const std::u16string& folder) override;
    unsigned Attributes(const std::u16string& path) override;
    bool ListFolder(const std::u16string& folder, const EntryFound& found) override;
    std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) override;
    void EmptyRecycleBin() override { journal.push_back("empty recycle bin"); }
    std::u16string Widen(const std::string& text) override;
    // As code page 1252 does: the fullwidth reverse solidus becomes '\'.
    std::string Narrow(const std::u16string& text) override;
    std::u16string FoldCase(const std::u16string& path) override;
    void Trace(const std::string& line) override { journal.push_back("trace " + line); }
    void Report(const std::string&, size_t deleted) override { lastDeleted = deleted; }
    void Finished() override { journal.push_back("clean-up done"); }

    std::string Resolve(std::string path) const;  // through the links
    Journal& journal;
    std::string temp = "C:\\Temp\\";
    std::map<std::string, std::vector<std::pair<std::string, unsigned>>> tree;
    std::map<std::string, std::string> links, full;
    std::vector<std::string> keep{"C:\\Windows", "C:\\Windows\\system32", "C:\\Program Files", "C:\\Users\\me",
                                  "C:\\Program Files\\Duskwell\\"};
    std::set<std::string> locked;
    std::function<void()> beforeDelete;  // runs when a file is opened to delete
    bool namesOpenFiles = true;
    size_t lastDeleted = 0;
};

}  // namespace dwl::fakes
