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
// listing order. Every file can be deleted but those in `locked`; the journal
// names a deleted file by where it really was. `links` are folders that lead
// elsewhere (junctions), `full` what the system makes of a path that is not
// already full. Without `namesOpenFiles` the system is an XP.
struct FakeDisk : IDiskCleanUp, ICleanUpProgress {
    explicit FakeDisk(Journal& j) : journal(j) {}
    std::u16string TempFolder() override { return temp; }
    std::vector<std::u16string> FoldersToKeep() override { return keep; }
    std::u16string FullPath(const std::u16string& path) override { return full.count(path) ? full[path] : path; }
    std::optional<std::u16string> FinalPath(const std::u16string& folder) override;
    unsigned Attributes(const std::u16string& folder) override;
    bool ListFolder(const std::u16string& folder, const EntryFound& found) override;
    std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) override;
    void EmptyRecycleBin() override { journal.push_back("empty recycle bin"); }
    std::u16string Widen(const std::string& text) override { return {text.begin(), text.end()}; }
    // As code page 1252 does: the fullwidth reverse solidus becomes '\'.
    std::string Narrow(const std::u16string& text) override;
    std::u16string FoldCase(const std::u16string& path) override;
    void Trace(const std::string& line) override { journal.push_back("trace " + line); }
    void Report(const std::string&, size_t deleted) override { lastDeleted = deleted; }
    void Finished() override { journal.push_back("clean-up done"); }

    std::u16string Resolve(std::u16string path) const;  // through the links
    Journal& journal;
    std::u16string temp = u"C:\\Temp\\";
    std::map<std::u16string, std::vector<std::pair<std::u16string, unsigned>>> tree;
    std::map<std::u16string, std::u16string> links, full;
    std::vector<std::u16string> keep{u"C:\\Windows", u"C:\\Windows\\system32", u"C:\\Program Files", u"C:\\Users\\me",
                                     u"C:\\Program Files\\Duskwell\\"};
    std::set<std::u16string> locked;
    std::function<void()> beforeDelete;  // runs when a file is opened to delete
    bool namesOpenFiles = true;
    size_t lastDeleted = 0;
};

}  // namespace dwl::fakes
