#include "platform/win32/user_win32.h"

#include "platform/win32/system_library.h"

namespace dwl::win32 {

std::string CurrentUserName() {
    char buffer[257] = {};
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size)) return {};
    return std::string(buffer);
}

std::uint32_t Win32UserInfo::LastInput() {
    LASTINPUTINFO input{sizeof input, 0};
    if (!GetLastInputInfo(&input)) return GetTickCount();  // unknown: someone may be there
    return input.dwTime;
}

bool Win32UserInfo::KeptAwake() {
    // The system's execution state: what programs ask of it with
    // SetThreadExecutionState. Windows 2000 and later.
    using Information = LONG(WINAPI*)(int, PVOID, ULONG, PVOID, ULONG);
    constexpr int kSystemExecutionState = 16;
    static const auto information = SystemFunction<Information>("powrprof.dll", "CallNtPowerInformation");
    ULONG state = 0;
    if (!information || information(kSystemExecutionState, nullptr, 0, &state, sizeof state) != 0) return false;
    return (state & (ES_SYSTEM_REQUIRED | ES_DISPLAY_REQUIRED)) != 0;
}

}  // namespace dwl::win32
