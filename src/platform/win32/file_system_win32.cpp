#include "platform/win32/file_system_win32.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

constexpr int kMaxTemporaryNames = 10;

}  // namespace

std::string Win32FileSystem::ExePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0) return {};
        if (n < buffer.size()) return Utf8Path(std::wstring(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string Win32FileSystem::ExeFolder() {
    const std::string path = ExePath();
    const size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash);
}

std::string Win32FileSystem::UserFolderPath(UserFolder which) {
    // shell32 is loaded on first use; SHGetFolderPathW is there from Windows 2000 on.
    using GetFolderPath = HRESULT(WINAPI*)(HWND, int, HANDLE, DWORD, LPWSTR);
    const auto getFolderPath = SystemFunction<GetFolderPath>("shell32.dll", "SHGetFolderPathW");
    wchar_t path[MAX_PATH] = {};
    const int folder = which == UserFolder::Roaming ? CSIDL_APPDATA : CSIDL_LOCAL_APPDATA;
    if (!getFolderPath || FAILED(getFolderPath(nullptr, folder, nullptr, SHGFP_TYPE_CURRENT, path))) return {};
    std::string text = Utf8Path(path);
    while (!text.empty() && text.back() == '\\') text.pop_back();
    return text;
}

std::string Win32FileSystem::AnsiPath(const std::string& path) {
    const std::wstring wide = WidenPath(path);
    if (auto exact = ExactAnsi(wide)) return *exact;
    // Only a file or folder that exists has a short name.
    const DWORD size = GetShortPathNameW(wide.c_str(), nullptr, 0);
    if (size == 0) return {};
    std::wstring shortPath(size, L'\0');
    const DWORD n = GetShortPathNameW(wide.c_str(), shortPath.data(), size);
    if (n == 0 || n >= size) return {};
    shortPath.resize(n);
    return ExactAnsi(shortPath).value_or("");
}

bool Win32FileSystem::CreateFolder(const std::string& path) {
    if (CreateDirectoryW(WidenPath(path).c_str(), nullptr)) return true;
    const DWORD attributes = GetFileAttributesW(WidenPath(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

FileContent Win32FileSystem::ReadFile(const std::string& path) {
    UniqueFile file(CreateFileW(WidenPath(path).c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return {ReadStatus::Missing, {}};
        return {ReadStatus::Failed, {}};
    }
    FileContent content{ReadStatus::Ok, {}};
    char chunk[4096];
    for (;;) {
        DWORD got = 0;
        if (!::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr)) return {ReadStatus::Failed, {}};
        if (got == 0) break;
        content.bytes.append(chunk, got);
    }
    return content;
}

bool Win32FileSystem::WriteFileAtomic(const std::string& path, const std::string& bytes) {
    // The new file is made where nothing is: a name already taken (left by a
    // crash, or a link planted there) is never opened, which would write
    // through a link, nor deleted, which on some systems removes what a
    // link points to; the next free name is taken instead.
    std::wstring temp;
    UniqueFile file;
    for (int n = 1; !file && n <= kMaxTemporaryNames; ++n) {
        temp = WidenPath(path + ".new" + (n == 1 ? std::string() : std::to_string(n)));
        file.reset(CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    if (!file) return false;
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(file.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) break;
        done += wrote;
    }
    const bool written = done == bytes.size() && FlushFileBuffers(file.get());
    file.reset();
    if (!written) {
        DeleteFileW(temp.c_str());
        return false;
    }
    if (!MoveFileExW(temp.c_str(), WidenPath(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

bool Win32FileSystem::Exists(const std::string& path) {
    return GetFileAttributesW(WidenPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::CanOpenForReading(const std::string& path) {
    return static_cast<bool>(
        UniqueFile(CreateFileW(WidenPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
}

bool Win32FileSystem::CreateNewFile(const std::string& path, const std::string& bytes, unsigned attributes) {
    {
        UniqueFile file(CreateFileW(WidenPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file) return false;
        DWORD wrote = 0;
        if (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &wrote, nullptr) ||
            wrote != bytes.size()) {
            file.reset();
            DeleteFileW(WidenPath(path).c_str());
            return false;
        }
    }
    if (attributes != 0) SetFileAttributesW(WidenPath(path).c_str(), attributes);
    return true;
}

bool Win32FileSystem::Rename(const std::string& from, const std::string& to) {
    return MoveFileW(WidenPath(from).c_str(), WidenPath(to).c_str()) != 0;
}

}  // namespace dwl::win32
