#pragma once
#include <functional>

// The system's headers define ExitWindows as a macro of two arguments.
#ifdef ExitWindows
#undef ExitWindows
#endif

namespace dwl {

class CheckBox;
class IPower;

// The one place where the session ends or the machine's power state changes.
// Holds no state; reads "Power Off computer after shutdown" at each call.
class clsExitWindows {
public:
    // `runCleanUp` runs the disk clean-up before a shutdown or a reboot and
    // returns when it is done.
    clsExitWindows(IPower& power, const CheckBox& chkPower, std::function<void()> runCleanUp);

    // A PowerAction code; a shutdown powers off with chkPower checked. Other
    // values make no call.
    void ExitWindows(int actionCode);

private:
    void EnableShutdownPrivilege();

    IPower& power_;
    const CheckBox& chkPower_;
    std::function<void()> runCleanUp_;
};

}  // namespace dwl
