#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace dwl {

// A running process as a snapshot lists it.
struct ProcessInfo {
    std::uint32_t id = 0;
    std::string exeFile;  // as the system gives it: a bare file name, or a full path on older systems
};

// The processes of the machine and the windows they own.
class IProcesses {
public:
    virtual ~IProcesses() = default;
    // Every running process, in the system's order; empty when no snapshot can be taken.
    virtual std::vector<ProcessInfo> Snapshot() = 0;
    // Asks the process's main window to close (WM_CLOSE, waiting up to five
    // seconds); true when the window took the request in time.
    virtual bool CloseMainWindow(std::uint32_t processId) = 0;
    // True when the process was terminated.
    virtual bool TerminateProcessById(std::uint32_t processId, std::uint32_t exitCode) = 0;
};

}  // namespace dwl
