#include "platform/win32/processes_win32.h"

#include <tlhelp32.h>

#include "platform/win32/handles.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

constexpr UINT kCloseTimeoutMs = 5000;

// Enables or disables one privilege of the process's token.
bool SetPrivilege(HANDLE token, const LUID& luid, bool enable) {
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid = luid;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    return AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != 0;
}

}  // namespace

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

HWND FindProcessWindow(DWORD processId) {
    HWND hidden = nullptr;
    for (HWND window = FindWindowA(nullptr, nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (GetParent(window) || WindowProcessId(window) != processId) continue;
        if (IsWindowVisible(window)) return window;
        if (!hidden) hidden = window;
    }
    return hidden;
}

std::vector<ProcessInfo> Win32Processes::Snapshot() {
    std::vector<ProcessInfo> list;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!Check(snapshot && snapshot.get() != INVALID_HANDLE_VALUE, "CreateToolhelp32Snapshot")) {
        snapshot.release();
        return list;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more; more = Process32Next(snapshot.get(), &entry)) {
        entry.szExeFile[sizeof entry.szExeFile - 1] = '\0';
        list.push_back({entry.th32ProcessID, entry.szExeFile});
    }
    return list;
}

bool Win32Processes::CloseMainWindow(std::uint32_t processId) {
    HWND window = FindProcessWindow(processId);
    if (!window) return false;
    DWORD_PTR result = 0;
    return SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_BLOCK, kCloseTimeoutMs, &result) != 0;
}

bool Win32Processes::TerminateProcessById(std::uint32_t processId, std::uint32_t exitCode) {
    // The NT family lets a program end another user's or a service's process
    // only with the debug privilege; the Windows 95 family has no privileges.
    const bool nt = (GetVersion() & 0x80000000u) == 0;
    HANDLE rawToken = nullptr;
    LUID debug{};
    if (nt && !(OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &rawToken) &&
                LookupPrivilegeValueA(nullptr, "SeDebugPrivilege", &debug))) {
        UniqueHandle token(rawToken);
        return false;
    }
    UniqueHandle token(rawToken);
    if (nt && !SetPrivilege(token.get(), debug, true)) return false;
    bool result = false;
    if (UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, processId)); process)
        result = TerminateProcess(process.get(), exitCode) != 0;
    if (nt) SetPrivilege(token.get(), debug, false);
    return result;
}

}  // namespace dwl::win32
