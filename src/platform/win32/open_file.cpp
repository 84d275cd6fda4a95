#include "platform/win32/open_file.h"

#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

using FinalPathFunction = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD, DWORD);
using SetInformationFunction = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);

FinalPathFunction FinalPathByHandle() {
    static const auto function = SystemFunction<FinalPathFunction>("kernel32.dll", "GetFinalPathNameByHandleW");
    return function;
}
SetInformationFunction SetInformationByHandle() {
    static const auto function = SystemFunction<SetInformationFunction>("kernel32.dll", "SetFileInformationByHandle");
    return function;
}

}  // namespace

bool CanNameOpenFiles() { return FinalPathByHandle() != nullptr; }

std::optional<std::wstring> FinalPathOf(HANDLE file) {
    const FinalPathFunction final = FinalPathByHandle();
    if (!final) return std::nullopt;
    std::wstring buffer(MAX_PATH, L'\0');
    // Asked again with the length it reports when the path is longer.
    for (int attempt = 0; attempt < 8; ++attempt) {
        const DWORD length = final(file, buffer.data(), static_cast<DWORD>(buffer.size()), 0 /* VOLUME_NAME_DOS */);
        if (length == 0) return std::wstring();
        if (length < buffer.size()) return buffer.substr(0, length);
        buffer.assign(length + 1, L'\0');
    }
    return std::wstring();
}

bool CanDeleteThroughHandle() { return SetInformationByHandle() != nullptr; }

bool DeleteThroughHandle(HANDLE file) {
    const SetInformationFunction set = SetInformationByHandle();
    struct {
        BOOLEAN DeleteFile;
    } disposition{TRUE};
    constexpr int kFileDispositionInfo = 4;
    return set && set(file, kFileDispositionInfo, &disposition, sizeof disposition) != FALSE;
}

}  // namespace dwl::win32
