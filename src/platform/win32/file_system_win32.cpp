#include "platform/win32/file_system_win32.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/handles.h"
#include "platform/win32/open_file.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

constexpr int kMaxTemporaryNames = 10;

// The kernel's own call: renames an open file to a name relative to an open folder.
struct RenameInformation {
    BOOLEAN ReplaceIfExists;
    HANDLE RootDirectory;
    ULONG FileNameLength;
    WCHAR FileName[MAX_PATH];
};
struct IoStatus {
    union {
        LONG Status;
        PVOID Pointer;
    };
    ULONG_PTR Information;
};
using SetInformationFileFunction = LONG(NTAPI*)(HANDLE, IoStatus*, PVOID, ULONG, int);
constexpr int kFileRenameInformation = 10;

bool SameText(const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

// The scenario file is written where a program of lower rights may have
// planted links (an elevated copy keeps it in the user's folder): the new
// copy must be the file of its name in the folder as it is open, or it is
// deleted through its handle; it then takes the file's name relative to that
// folder, so that no path is looked up again.
class NewCopy {
public:
    NewCopy(const std::wstring& folderPath, HANDLE file, std::wstring name)
        : file_(file), path_(folderPath + L"\\" + name), name_(std::move(name)) {
        if (!CanNameOpenFiles() || !CanDeleteThroughHandle() || !setInformationFile_) return;  // XP: by the paths
        // A drive's root is "X:\\"; "X:" would be the current folder there.
        const std::wstring open = folderPath.back() == L':' ? folderPath + L"\\" : folderPath;
        folder_.reset(CreateFileW(open.c_str(), FILE_TRAVERSE | FILE_ADD_FILE | SYNCHRONIZE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        std::wstring folder = folder_ ? FinalPathOf(folder_.get()).value_or(L"") : std::wstring();
        if (!folder.empty() && folder.back() == L'\\') folder.pop_back();
        byHandle_ = true;
        inPlace_ = !folder.empty() && SameText(FinalPathOf(file_.get()).value_or(L""), folder + L"\\" + name_);
    }
    HANDLE get() const { return file_.get(); }
    bool InPlace() const { return !byHandle_ || inPlace_; }
    // Takes the name `target` in the folder; false (and the copy gone) when it cannot.
    bool Replace(const std::wstring& folderPath, const std::wstring& target) {
        if (!byHandle_) {
            file_.reset();
            const std::wstring to = folderPath + L"\\" + target;
            return MoveFileExW(path_.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
                   Discard();
        }
        RenameInformation rename{TRUE, folder_.get(), static_cast<ULONG>(target.size() * sizeof(WCHAR)), {}};
        if (target.size() >= MAX_PATH) return Discard();
        std::copy(target.begin(), target.end(), rename.FileName);
        IoStatus status{};
        if (setInformationFile_(file_.get(), &status, &rename, sizeof rename, kFileRenameInformation) < 0)
            return Discard();
        FlushFileBuffers(file_.get());
        file_.reset();
        return true;
    }
    // Deletes the copy through its handle (by its path on XP); always false.
    bool Discard() {
        if (byHandle_) DeleteThroughHandle(file_.get());
        file_.reset();
        if (!byHandle_) DeleteFileW(path_.c_str());
        return false;
    }

private:
    UniqueFile file_;
    UniqueFile folder_;
    std::wstring path_, name_;
    bool byHandle_ = false, inPlace_ = false;
    const SetInformationFileFunction setInformationFile_ =
        SystemFunction<SetInformationFileFunction>("ntdll.dll", "NtSetInformationFile");
};

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
    const std::wstring full = WidenPath(path);
    const size_t slash = full.find_last_of(L'\\');
    if (slash == std::wstring::npos) return false;
    const std::wstring folder = full.substr(0, slash), name = full.substr(slash + 1);
    // The new file is made where nothing is: a name already taken (left by a
    // crash, or a link planted there) is never opened, which would write
    // through a link, nor deleted, which on some systems removes what a
    // link points to; the next free name is taken instead.
    std::wstring temp;
    UniqueFile file;
    for (int n = 1; !file && n <= kMaxTemporaryNames; ++n) {
        const std::string number = n == 1 ? std::string() : std::to_string(n);
        temp = name + L".new" + std::wstring(number.begin(), number.end());
        file.reset(CreateFileW((folder + L"\\" + temp).c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                               FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file && GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS) return false;
    }
    if (!file) return false;
    NewCopy copy(folder, file.release(), temp);
    if (!copy.InPlace()) return copy.Discard();
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD wrote = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!WriteFile(copy.get(), bytes.data() + done, chunk, &wrote, nullptr) || wrote == 0) break;
        done += wrote;
    }
    if (done != bytes.size() || !FlushFileBuffers(copy.get())) return copy.Discard();
    return copy.Replace(folder, name);
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
