// cleanbench <folder>: runs the program's clean-up of the temporary folder on
// <folder> (given as the temporary folder) and prints the time it took and the
// process's peak private memory. For scripts/bench.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <string>

#include "actions/disk_cleanup.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/disk_win32.h"
#include "platform/win32/registry_win32.h"
#include "settings/registry_access.h"

int main(int argc, char** argv) {
    if (argc != 2) return std::fputs("usage: cleanbench <folder>\n", stderr), 2;
    std::string folder = argv[1];
    if (folder.back() != '\\') folder += '\\';
    SetEnvironmentVariableA("TMP", folder.c_str());
    SetEnvironmentVariableA("TEMP", folder.c_str());
    dwl::win32::Win32Registry registry;
    dwl::win32::Win32Dialogs dialogs;
    dwl::MyRegistry myRegistry(registry, dialogs, "cleanbench");
    dwl::win32::Win32DiskCleanUp disk([] { return HWND{}; });
    const DWORD start = GetTickCount();
    dwl::RunCleanUp({.temp = true}, disk, myRegistry, nullptr);
    const DWORD elapsed = GetTickCount() - start;
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    std::printf("ms=%lu peak_kb=%lu\n", static_cast<unsigned long>(elapsed),
                static_cast<unsigned long>(counters.PeakPagefileUsage / 1024));
    return 0;
}
