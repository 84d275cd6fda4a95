#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace dwl {

// A running process as a snapshot lists it.
struct ProcessInfo {
    std::uint32_t id = 0;
    std::string exeFile;     // as the system gives it: a bare file name, or a full path on older systems
    bool ownSession = true;  // runs in the session of the user who runs this program
    bool self = false;       // this program
};

// A process opened right after the snapshot that listed it: while it is held,
// its id cannot pass to another program, so every call reaches that process.
class IProcess {
public:
    virtual ~IProcess() = default;
    virtual bool Exited() = 0;
    // The file name of its image as read from the opened process ("notepad.exe"):
    // the id a snapshot listed may have passed to another program before the
    // open. Empty when it cannot be read, or the code page cannot hold it.
    virtual std::string ImageName() = 0;
    // Sends WM_CLOSE to its main window without waiting for the answer; false
    // when it has no top-level window.
    virtual bool RequestClose() = 0;
    // Whether the window's procedure has returned from the close request.
    virtual bool CloseAnswered() = 0;
    // Whether the system reports the window hung (it has not taken a message
    // for five seconds); false where the system cannot tell.
    virtual bool Hung() = 0;
    // True when the process was terminated.
    virtual bool Terminate(std::uint32_t exitCode) = 0;
    // Calls `exited` once, on this thread from whatever message loop runs,
    // when the process has ended (waiting on it, not polling); never after
    // the process object is gone.
    virtual void WhenExited(std::function<void()> exited) = 0;
};

// The processes of the machine, and the waits for them.
class IProcesses {
public:
    virtual ~IProcesses() = default;
    // Every running process, in the system's order; empty when no snapshot can be taken.
    virtual std::vector<ProcessInfo> Snapshot() = 0;
    // Opens a process to read its image name, wait for, close and terminate it;
    // null when it cannot be opened. `toWait`: to read its name and wait for
    // it only, which the system grants for programs of higher rights too.
    virtual std::unique_ptr<IProcess> Open(std::uint32_t processId, bool toWait = false) = 0;
    // A millisecond count for measuring waits (it wraps after 49 days).
    virtual std::uint32_t Milliseconds() = 0;
    // Calls `tick` on this thread every `intervalMs`, from whatever message
    // loop runs, until StopTicks.
    virtual void StartTicks(unsigned intervalMs, std::function<void()> tick) = 0;
    virtual void StopTicks() = 0;
};

}  // namespace dwl
