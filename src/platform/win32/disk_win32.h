#pragma once
#include <windows.h>

#include <functional>

#include "platform/disk.h"

namespace dwl::win32 {

// The clean-up's services on the real file system and shell, through the
// wide-character functions and "\\?\" paths; the recycle bins are emptied on
// behalf of a window that exists later than this object.
class Win32DiskCleanUp : public IDiskCleanUp {
public:
    explicit Win32DiskCleanUp(std::function<HWND()> window) : window_(std::move(window)) {}
    std::u16string TempFolder() override;
    std::vector<KnownFolder> KnownFolders() override;
    std::u16string FullPath(const std::u16string& path) override;
    std::optional<std::u16string> FinalPath(const std::u16string& folder) override;
    unsigned Attributes(const std::u16string& path) override;
    bool ListFolder(const std::u16string& folder, const EntryFound& found) override;
    std::unique_ptr<IFileToDelete> OpenToDelete(const std::u16string& path) override;
    void EmptyRecycleBin() override;
    std::u16string Widen(const std::string& text) override;
    std::string Narrow(const std::u16string& text) override;
    std::u16string FoldCase(const std::u16string& path) override;
    void Trace(const std::string& line) override;

private:
    std::function<HWND()> window_;
};

// `path` ("C:\..." or "\\server\share\...") in the "\\?\" form that the
// wide-character functions take at any length, without "." or ".." read.
std::wstring LongPath(const std::u16string& path);

}  // namespace dwl::win32
