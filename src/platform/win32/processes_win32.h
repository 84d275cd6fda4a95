#pragma once
#include <windows.h>

#include "platform/processes.h"

namespace dwl::win32 {

// The process of a window.
DWORD WindowProcessId(HWND window);
// The first top-level window of the process that has no parent, a visible one
// before a hidden one (helper windows of a program are hidden); null for none.
HWND FindProcessWindow(DWORD processId);

class Win32Processes : public IProcesses {
public:
    std::vector<ProcessInfo> Snapshot() override;
    bool CloseMainWindow(std::uint32_t processId) override;
    bool TerminateProcessById(std::uint32_t processId, std::uint32_t exitCode) override;
};

}  // namespace dwl::win32
