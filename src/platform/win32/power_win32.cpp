#include "platform/win32/power_win32.h"

#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {

// Functions that the older systems the program starts on lack are looked up
// at run time: a missing import would keep it from starting at all.

void Win32Power::EnableShutdownPrivilege() {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, token.put())) return;
    TOKEN_PRIVILEGES privileges{};
    if (!LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) return;
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    TOKEN_PRIVILEGES previous{};
    DWORD length = 0;
    AdjustTokenPrivileges(token.get(), FALSE, &privileges, sizeof previous, &previous, &length);
}

void Win32Power::ExitWindowsEx(unsigned flags, unsigned reason) { ::ExitWindowsEx(flags, reason); }

void Win32Power::LockWorkStation() {
    using Lock = BOOL(WINAPI*)();
    if (auto lock = SystemFunction<Lock>("user32.dll", "LockWorkStation")) lock();
}

void Win32Power::SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) {
    using Suspend = BOOLEAN(WINAPI*)(BOOLEAN, BOOLEAN, BOOLEAN);
    if (auto suspend = SystemFunction<Suspend>("powrprof.dll", "SetSuspendState"))
        suspend(hibernate, forceCritical, disableWakeEvent);
}

}  // namespace dwl::win32
