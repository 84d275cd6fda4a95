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
    Win32Processes() = default;
    Win32Processes(const Win32Processes&) = delete;
    Win32Processes& operator=(const Win32Processes&) = delete;
    ~Win32Processes() override;

    std::vector<ProcessInfo> Snapshot() override;
    std::unique_ptr<IProcess> Open(std::uint32_t processId, bool toWait = false) override;
    std::uint32_t Milliseconds() override;
    void StartTicks(unsigned intervalMs, std::function<void()> tick) override;
    void StopTicks() override;

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR id, DWORD);
    UINT_PTR timer_ = 0;
    std::function<void()> tick_;
};

}  // namespace dwl::win32
