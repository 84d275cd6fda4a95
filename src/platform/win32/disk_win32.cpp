#include "platform/win32/disk_win32.h"

#include <shellapi.h>

#include <cstring>
#include <string>

#include "platform/win32/handles.h"

namespace dwl::win32 {
std::string Win32DiskCleanUp::TempFolder() {
    // Asked again with the length it reports, however long the path is.
    std::string buffer(MAX_PATH, '\0');
    for (int attempt = 0; attempt < 3; ++attempt) {
        const DWORD length = GetTempPathA(static_cast<DWORD>(buffer.size()), buffer.data());
        if (length == 0) return {};
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.assign(length + 1, '\0');
    }
    return {};
}

bool Win32DiskCleanUp::ListFolder(const std::string& folder, const std::string& pattern, const EntryFound& found) {
    WIN32_FIND_DATAA data{};
    UniqueFind find(FindFirstFileA((folder + pattern).c_str(), &data));
    if (!find) return false;
    do {
        // The name may fill its array without a terminating NUL.
        const char* name = data.cFileName;
        found(std::string(name, strnlen(name, sizeof data.cFileName)), data.dwFileAttributes);
    } while (FindNextFileA(find.get(), &data));
    return true;
}

bool Win32DiskCleanUp::RemoveFile(const std::string& path) { return DeleteFileA(path.c_str()) != FALSE; }

void Win32DiskCleanUp::EmptyRecycleBin() {
    SHEmptyRecycleBinA(window_ ? window_() : nullptr, "", SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

}  // namespace dwl::win32
