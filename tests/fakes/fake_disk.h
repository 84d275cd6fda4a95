#pragma once
#include <functional>
#include <map>
#include <set>
#include <string>
#include <utility>
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
    struct File : IFileToDelete {
        File(FakeDisk& d, std::u16string p) : disk(d), path(std::move(p)) {}
        std::optional<std::u16string> FinalPath() override { return disk.FinalPath(path); }
        bool Delete() override {
            disk.journal.push_back("delete " + disk.Narrow(path));
            return disk.locked.count(path) == 0;
        }
        FakeDisk& disk;
        std::u16string path;
    };
    explicit FakeDisk(Journal& j) : journal(j) {}
    std::u16string TempFolder() override { return temp; }
    std::vector<std::u16string> FoldersToKeep() override { return keep; }
    std::u16string FullPath(const std::u16string& path) override { return full.count(path) ? full[path] : path; }
    std::optional<std::u16string> FinalPath(const std::u16string& path) override {
        if (!namesOpenFiles) return std::nullopt;
        return u"\\\\?\\" + Resolve(path);
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
    void EmptyRecycleBin() override { journal.push_back("empty recycle bin"); }
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
    void Trace(const std::string& line) override { journal.push_back("trace " + line); }
    void Report(const std::string&, size_t deleted) override { lastDeleted = deleted; }
    void Finished() override {
        journal.push_back("clean-up done");
        if (whileCleaning) whileCleaning();  // what the progress window's message pump lets in
    }

    std::u16string Resolve(std::u16string path) const {
        for (bool again = true; again;) {
            again = false;
            for (const auto& [link, target] : links)
                if (path.rfind(link, 0) == 0) path = target + path.substr(link.size()), again = true;
        }
        return path;
    }

    Journal& journal;
    std::u16string temp = u"C:\\Temp\\";
    std::map<std::u16string, std::vector<std::pair<std::u16string, unsigned>>> tree;
    std::map<std::u16string, std::u16string> links, full;
    std::vector<std::u16string> keep{u"C:\\Windows", u"C:\\Windows\\system32", u"C:\\Program Files", u"C:\\Users\\me",
                                     u"C:\\Program Files\\Duskwell\\"};
    std::set<std::u16string> locked;
    std::function<void()> beforeDelete;  // runs when a file is opened to delete
    std::function<void()> whileCleaning;
    bool namesOpenFiles = true;
    size_t lastDeleted = 0;
};

}  // namespace dwl::fakes
