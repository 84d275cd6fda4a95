#include "actions/exit_windows.h"

#include "model/power_action.h"
#include "platform/power.h"

namespace dwl {

namespace {

constexpr unsigned kEwxLogOff = 0x0;
constexpr unsigned kEwxShutdown = 0x1;
constexpr unsigned kEwxReboot = 0x2;
constexpr unsigned kEwxForce = 0x4;
constexpr unsigned kEwxPowerOff = 0x8;
constexpr unsigned kAnyReason = 0xFFFFFFFF;

}  // namespace

clsExitWindows::clsExitWindows(IPower& power, std::function<void()> runCleanUp)
    : power_(power), runCleanUp_(std::move(runCleanUp)) {}

void clsExitWindows::ExitWindows(int actionCode, bool powerOff) {
    if ((actionCode == Shutdown || actionCode == Reboot) && runCleanUp_) runCleanUp_();
    EnableShutdownPrivilege();
    if (actionCode == Shutdown && powerOff) actionCode = PowerOff;

    switch (actionCode) {
    case LogOff: power_.ExitWindowsEx(kEwxLogOff | kEwxForce, kAnyReason); break;
    case Shutdown: power_.ExitWindowsEx(kEwxShutdown | kEwxForce, kAnyReason); break;
    case Reboot: power_.ExitWindowsEx(kEwxShutdown | kEwxReboot | kEwxForce, kAnyReason); break;
    case PowerOff: power_.ExitWindowsEx(kEwxPowerOff | kEwxForce, kAnyReason); break;
    case Lock: power_.LockWorkStation(); break;
    case Suspend: power_.SetSuspendState(false, true, true); break;
    case Hibernate: power_.SetSuspendState(true, true, true); break;
    default: break;
    }
}

void clsExitWindows::EnableShutdownPrivilege() { power_.EnableShutdownPrivilege(); }

}  // namespace dwl
