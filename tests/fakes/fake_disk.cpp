#include "fakes/fake_disk.h"

#include <utility>

namespace dwl::fakes {
namespace {

struct FakeFile : IFileToDelete {
    FakeFile(FakeDisk& d, std::u16string p) : disk(d), path(std::move(p)) {}
    std::optional<std::u16string> FinalPath() override {
        if (!disk.namesOpenFiles) return std::nullopt;
        return u"\\\\?\\" + path;
    }
    bool Delete() override {
        disk.journal.push_back("delete " + disk.Narrow(path));
        return disk.locked.count(path) == 0;
    }
    FakeDisk& disk;
    std::u16string path;
};

}  // namespace

std::u16string FakeDisk::Resolve(std::u16string path) const {
    for (bool again = true; again;) {
        again = false;
        for (const auto& [link, target] : links)
            if (path.rfind(link, 0) == 0) path = target + path.substr(link.size()), again = true;
    }
    return path;
}

std::optional<std::u16string> FakeDisk::FinalPath(const std::u16string& folder) {
    if (!namesOpenFiles) return std::nullopt;
    return tree.count(Resolve(folder)) ? u"\\\\?\\" + Resolve(folder) : u"";
}

unsigned FakeDisk::Attributes(const std::u16string& folder) {
    if (links.count(folder)) return kAttributeDirectory | kAttributeReparsePoint;
    return tree.count(Resolve(folder)) ? kAttributeDirectory : kNoAttributes;
}

bool FakeDisk::ListFolder(const std::u16string& folder, const EntryFound& found) {
    const auto entries = tree.find(Resolve(folder));
    if (entries == tree.end()) return false;
    found(u".", kAttributeDirectory);
    found(u"..", kAttributeDirectory);
    for (const auto& [name, attributes] : entries->second) found(name, attributes);
    return true;
}

std::unique_ptr<IFileToDelete> FakeDisk::OpenToDelete(const std::u16string& path) {
    if (beforeDelete) std::exchange(beforeDelete, nullptr)();
    const std::u16string real = Resolve(path);
    const size_t name = real.rfind(u'\\') + 1;
    const auto entries = tree.find(real.substr(0, name));
    if (entries != tree.end())
        for (const auto& [entry, attributes] : entries->second)
            if (entry.substr(0, entry.find(u'\0')) == real.substr(name) && !(attributes & kAttributeDirectory))
                return std::make_unique<FakeFile>(*this, real);
    return nullptr;
}

std::string FakeDisk::Narrow(const std::u16string& text) {
    std::string narrow;
    for (char16_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : c == 0xFF3C ? '\\' : '?';
    return narrow;
}

std::u16string FakeDisk::FoldCase(const std::u16string& path) {
    std::u16string folded = path;
    for (char16_t& c : folded)
        if (c >= u'a' && c <= u'z') c -= 32;
    return folded;
}

}  // namespace dwl::fakes
