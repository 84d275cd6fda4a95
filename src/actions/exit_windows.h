#pragma once
#include <functional>

// The system's headers define ExitWindows as a macro of two arguments.
#ifdef ExitWindows
#undef ExitWindows
#endif

namespace dwl {

class IPower;

// The one place where the session ends or the machine's power state changes.
// Holds no state.
class clsExitWindows {
public:
    // `runCleanUp` runs the disk clean-up before a shutdown or a reboot and
    // returns when it is done.
    clsExitWindows(IPower& power, std::function<void()> runCleanUp);

    // A PowerAction code; a shutdown powers off with `powerOff` ("Power Off
    // computer after shutdown"). Other values make no call.
    void ExitWindows(int actionCode, bool powerOff);

private:
    void EnableShutdownPrivilege();

    IPower& power_;
    std::function<void()> runCleanUp_;
};

}  // namespace dwl
