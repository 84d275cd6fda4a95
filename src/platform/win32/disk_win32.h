#pragma once
#include <windows.h>

#include <functional>

#include "platform/disk.h"

namespace dwl::win32 {

// The clean-up's services on the real file system and shell; the recycle
// bins are emptied on behalf of a window that exists later than this object.
class Win32DiskCleanUp : public IDiskCleanUp {
public:
    explicit Win32DiskCleanUp(std::function<HWND()> window) : window_(std::move(window)) {}
    std::string TempFolder() override;
    bool ListFolder(const std::string& folder, const std::string& pattern, const EntryFound& found) override;
    bool RemoveFile(const std::string& path) override;
    void EmptyRecycleBin() override;

private:
    std::function<HWND()> window_;
};

}  // namespace dwl::win32
