#include "platform/win32/disk_win32.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <cwchar>
#include <string>

#include "platform/win32/handles.h"
#include "platform/win32/open_file.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t), "the system's wide characters are UTF-16 units");

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }
std::u16string Utf16(const wchar_t* text, size_t length) {
    return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// A text the system writes into a buffer, asked again with the length it
// reports (`get` returns the length written, or the length it needs).
template <typename Get>
std::u16string Ask(Get get) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = get(buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return {};
        if (length < buffer.size()) return Utf16(buffer.data(), length);
        buffer.assign(std::max<size_t>(length + 1, buffer.size() * 2), L'\0');  // some report only what they wrote
    }
    return {};
}

std::u16string Environment(const wchar_t* name) {
    return Ask([name](wchar_t* buffer, DWORD size) { return GetEnvironmentVariableW(name, buffer, size); });
}

std::optional<std::u16string> FinalPathOf16(HANDLE file) {
    const std::optional<std::wstring> path = FinalPathOf(file);
    if (!path) return std::nullopt;
    return Utf16(path->data(), path->size());
}

class Win32FileToDelete : public IFileToDelete {
public:
    Win32FileToDelete(HANDLE file, std::u16string path) : file_(file), path_(std::move(path)) {}
    std::optional<std::u16string> FinalPath() override { return FinalPathOf16(file_.get()); }
    bool Delete() override {
        if (CanDeleteThroughHandle()) return DeleteThroughHandle(file_.get());
        // XP: by its path, which the caller has just checked; the open
        // handle lets deletion through and keeps the file until it closes.
        return DeleteFileW(LongPath(path_).c_str()) != FALSE;
    }

private:
    UniqueFile file_;
    std::u16string path_;
};

}  // namespace

std::wstring LongPath(const std::u16string& path) {
    const std::wstring wide(Wide(path));
    if (wide.rfind(L"\\\\", 0) != 0) return L"\\\\?\\" + wide;
    if (wide.rfind(L"\\\\?\\", 0) == 0 || wide.rfind(L"\\\\.\\", 0) == 0) return wide;
    return L"\\\\?\\UNC\\" + wide.substr(2);
}

std::u16string Win32DiskCleanUp::TempFolder() {
    // Not GetTempPath: without TMP and TEMP it gives the profile or the
    // Windows folder, which are nobody's temporary files.
    const std::u16string tmp = Environment(L"TMP");
    return tmp.empty() ? Environment(L"TEMP") : tmp;
}

std::vector<KnownFolder> Win32DiskCleanUp::KnownFolders() {
    std::vector<KnownFolder> folders;
    auto add = [&](const std::u16string& folder, FolderRole role) {
        if (!folder.empty()) folders.push_back({folder, role});
    };
    add(Ask([](wchar_t* buffer, DWORD size) { return GetWindowsDirectoryW(buffer, size); }), FolderRole::Windows);
    add(Ask([](wchar_t* buffer, DWORD size) { return GetSystemWindowsDirectoryW(buffer, size); }), FolderRole::Windows);
    add(Ask([](wchar_t* buffer, DWORD size) { return GetSystemDirectoryW(buffer, size); }), FolderRole::System);
    using Wow64Folder = UINT(WINAPI*)(LPWSTR, UINT);
    if (const auto wow64 = SystemFunction<Wow64Folder>("kernel32.dll", "GetSystemWow64DirectoryW"))
        add(Ask([wow64](wchar_t* buffer, DWORD size) { return wow64(buffer, size); }), FolderRole::System);
    // The shell's and the profiles' libraries are loaded for the clean-up, not at start.
    using FolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    if (const auto folderPath = SystemFunction<FolderPath>("shell32.dll", "SHGetFolderPathW")) {
        for (const auto& [csidl, role] : {std::pair{CSIDL_PROGRAM_FILES, FolderRole::System},
                                          {CSIDL_PROGRAM_FILESX86, FolderRole::System},
                                          {CSIDL_COMMON_APPDATA, FolderRole::System},
                                          {CSIDL_PROFILE, FolderRole::Profile},
                                          {CSIDL_LOCAL_APPDATA, FolderRole::LocalAppData}}) {
            wchar_t folder[MAX_PATH] = {};
            if (SUCCEEDED(folderPath(nullptr, csidl, nullptr, 0, folder))) add(Utf16(folder, wcslen(folder)), role);
        }
    }
    using ProfilesFolder = BOOL(WINAPI*)(LPWSTR, LPDWORD);
    if (const auto profiles = SystemFunction<ProfilesFolder>("userenv.dll", "GetProfilesDirectoryW"))
        add(Ask([profiles](wchar_t* buffer, DWORD size) {
                return profiles(buffer, &size) ? static_cast<DWORD>(wcslen(buffer)) : size;
            }),
            FolderRole::System);
    for (const wchar_t* name : {L"ProgramFiles", L"ProgramFiles(x86)", L"ProgramW6432", L"USERPROFILE"})
        add(Environment(name), FolderRole::System);
    std::u16string program = Ask([](wchar_t* buffer, DWORD size) { return GetModuleFileNameW(nullptr, buffer, size); });
    add(program.substr(0, program.rfind(u'\\') + 1), FolderRole::Program);
    return folders;
}

std::u16string Win32DiskCleanUp::FullPath(const std::u16string& path) {
    const std::u16string full =
        Ask([&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(Wide(path), size, buffer, nullptr); });
    if (full.find(u'~') == std::u16string::npos) return full;
    // A short name ("PROGRA~1") spelled out, as XP cannot say where an open folder lies.
    const std::u16string longName =
        Ask([&](wchar_t* buffer, DWORD size) { return GetLongPathNameW(Wide(full), buffer, size); });
    return longName.empty() ? full : longName;
}

std::optional<std::u16string> Win32DiskCleanUp::FinalPath(const std::u16string& folder) {
    if (!CanNameOpenFiles()) return std::nullopt;
    UniqueFile handle(CreateFileW(LongPath(folder).c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle ? FinalPathOf16(handle.get()) : std::u16string();
}

unsigned Win32DiskCleanUp::Attributes(const std::u16string& path) {
    std::u16string name = path;
    if (name.size() > 3 && name.back() == u'\\') name.pop_back();
    return GetFileAttributesW(LongPath(name).c_str());
}

bool Win32DiskCleanUp::ListFolder(const std::u16string& folder, const EntryFound& found) {
    WIN32_FIND_DATAW data{};
    UniqueFind find(FindFirstFileW((LongPath(folder) + L"*").c_str(), &data));
    if (!find) return false;
    do {
        // The name may fill its array without a terminating NUL.
        found(Utf16(data.cFileName, wcsnlen(data.cFileName, MAX_PATH)), data.dwFileAttributes);
    } while (FindNextFileW(find.get(), &data));
    return true;
}

std::unique_ptr<IFileToDelete> Win32DiskCleanUp::OpenToDelete(const std::u16string& path) {
    // The file itself, not what a link points to; a folder is never opened.
    HANDLE file = CreateFileW(LongPath(path).c_str(), DELETE | FILE_READ_ATTRIBUTES,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (file == INVALID_HANDLE_VALUE) return nullptr;
    auto opened = std::make_unique<Win32FileToDelete>(file, path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!GetFileInformationByHandle(file, &information) || (information.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    return opened;
}

void Win32DiskCleanUp::EmptyRecycleBin() {
    // The shell's library is loaded for this, on first use.
    using Empty = HRESULT(WINAPI*)(HWND, LPCSTR, DWORD);
    if (const auto empty = SystemFunction<Empty>("shell32.dll", "SHEmptyRecycleBinA"))
        empty(window_ ? window_() : nullptr, "", SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
}

std::u16string Win32DiskCleanUp::Widen(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                                           static_cast<int>(wide.size()));
    return Utf16(wide.data(), length > 0 ? static_cast<size_t>(length) : 0);
}

std::string Win32DiskCleanUp::Narrow(const std::u16string& text) {
    const int size = static_cast<int>(text.size());
    std::string narrow(static_cast<size_t>(
                           std::max(0, WideCharToMultiByte(CP_ACP, 0, Wide(text), size, nullptr, 0, nullptr, nullptr))),
                       '\0');
    WideCharToMultiByte(CP_ACP, 0, Wide(text), size, narrow.data(), static_cast<int>(narrow.size()), nullptr, nullptr);
    return narrow;
}

std::u16string Win32DiskCleanUp::FoldCase(const std::u16string& path) {
    if (path.empty()) return path;
    std::wstring upper(path.size(), L'\0');
    const int length = LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, Wide(path), static_cast<int>(path.size()),
                                    upper.data(), static_cast<int>(upper.size()));
    return length > 0 ? Utf16(upper.data(), static_cast<size_t>(length)) : path;
}

void Win32DiskCleanUp::Trace(const std::string& line) { OutputDebugStringA(("dwl: " + line + "\n").c_str()); }

}  // namespace dwl::win32
