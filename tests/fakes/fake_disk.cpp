#include "fakes/fake_disk.h"

#include <utility>

namespace dwl::fakes {
namespace {

// The entry `name` of the folder `path` ends in ("C:\a\b" -> "C:\a\" and "b").
std::pair<std::string, std::string> SplitLast(const std::string& path) {
    const size_t at = path.rfind('\\', path.size() - 2);
    return {path.substr(0, at + 1), path.substr(at + 1)};
}

std::string Utf8(const std::u16string& text) {
    std::string utf8;
    for (const char16_t c : text) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (c < 0x800) {
            utf8 += static_cast<char>(0xC0 | c >> 6), utf8 += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            utf8 += static_cast<char>(0xE0 | c >> 12), utf8 += static_cast<char>(0x80 | (c >> 6 & 0x3F));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

struct FakeFile : IFileToDelete {
    FakeFile(FakeDisk& d, std::string p) : disk(d), path(std::move(p)) {}
    std::optional<std::u16string> FinalPath() override {
        if (!disk.namesOpenFiles) return std::nullopt;
        return disk.Widen("\\\\?\\" + path);
    }
    bool Delete() override {
        disk.journal.push_back("delete " + path);
        return disk.locked.count(path) == 0;
    }
    FakeDisk& disk;
    std::string path;
};

}  // namespace

std::vector<std::u16string> FakeDisk::FoldersToKeep() {
    std::vector<std::u16string> folders;
    for (const std::string& folder : keep) folders.push_back(Widen(folder));
    return folders;
}

std::u16string FakeDisk::FullPath(const std::u16string& path) {
    const auto found = full.find(Utf8(path));
    return found == full.end() ? path : Widen(found->second);
}

std::string FakeDisk::Resolve(std::string path) const {
    for (bool again = true; again;) {
        again = false;
        for (const auto& [link, target] : links)
            if (path.rfind(link, 0) == 0 && path.size() >= link.size()) path = target + path.substr(link.size()), again = true;
    }
    return path;
}

std::optional<std::u16string> FakeDisk::FinalPath(const std::u16string& folder) {
    if (!namesOpenFiles) return std::nullopt;
    const std::string real = Resolve(Utf8(folder));
    return tree.count(real) ? Widen("\\\\?\\" + real) : std::u16string();
}

unsigned FakeDisk::Attributes(const std::u16string& path) {
    std::string name = Utf8(path);
    if (name.back() != '\\') name += '\\';
    if (links.count(name)) return kAttributeDirectory | kAttributeReparsePoint;
    const auto [folder, entry] = SplitLast(name);
    const auto entries = tree.find(Resolve(folder));
    if (entries != tree.end())
        for (const auto& [n, attributes] : entries->second)
            if (n + "\\" == entry) return attributes;
    return tree.count(Resolve(name)) ? kAttributeDirectory : kNoAttributes;
}

bool FakeDisk::ListFolder(const std::u16string& folder, const EntryFound& found) {
    const auto entries = tree.find(Resolve(Utf8(folder)));
    if (entries == tree.end()) return false;
    found(u".", kAttributeDirectory);
    found(u"..", kAttributeDirectory);
    for (const auto& [name, attributes] : entries->second) found(Widen(name), attributes);
    return true;
}

std::unique_ptr<IFileToDelete> FakeDisk::OpenToDelete(const std::u16string& path) {
    if (beforeDelete) std::exchange(beforeDelete, nullptr)();
    const std::string real = Resolve(Utf8(path));
    const auto [folder, name] = SplitLast(real);
    const auto entries = tree.find(folder);
    if (entries != tree.end())
        for (const auto& [n, attributes] : entries->second)
            if (n.substr(0, n.find('\0')) == name && !(attributes & kAttributeDirectory)) return std::make_unique<FakeFile>(*this, real);
    return nullptr;
}

std::u16string FakeDisk::Widen(const std::string& text) {
    std::u16string wide;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c < 0x80 || i + 1 >= text.size()) wide += c;
        else if (c < 0xE0) wide += static_cast<char16_t>((c & 0x1F) << 6 | (text[i + 1] & 0x3F)), i += 1;
        else wide += static_cast<char16_t>((c & 0x0F) << 12 | (text[i + 1] & 0x3F) << 6 | (text[i + 2] & 0x3F)), i += 2;
    }
    return wide;
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
