#include "actions/exit_windows.h"

#include "platform/power.h"
#include "ui/model/controls.h"

namespace dwl {

namespace {

constexpr unsigned kEwxLogOff = 0x0;
constexpr unsigned kEwxShutdown = 0x1;
constexpr unsigned kEwxReboot = 0x2;
constexpr unsigned kEwxForce = 0x4;
constexpr unsigned kEwxPowerOff = 0x8;
constexpr unsigned kAnyReason = 0xFFFFFFFF;

} // namespace

clsExitWindows::clsExitWindows(IPower& power, const CheckBox& chkPower, std::function<void()> runCleanUp)
    : power_(power), chkPower_(chkPower), runCleanUp_(std::move(runCleanUp)) {}

void clsExitWindows::ExitWindows(int aOption) {
    if ((aOption == 1 || aOption == 2) && runCleanUp_) runCleanUp_();
    EnableShutdownPrivilege();
    if (aOption == 1 && chkPower_.Value() != 0) aOption = 8;

    switch (aOption) {
    case 0: power_.ExitWindowsEx(kEwxLogOff | kEwxForce, kAnyReason); break;
    case 1: power_.ExitWindowsEx(kEwxShutdown | kEwxForce, kAnyReason); break;
    case 2: power_.ExitWindowsEx(kEwxShutdown | kEwxReboot | kEwxForce, kAnyReason); break;
    case 8: power_.ExitWindowsEx(kEwxPowerOff | kEwxForce, kAnyReason); break;
    case 9: power_.LockWorkStation(); break;
    case 10: power_.SetSuspendState(false, true, true); break;
    case 11: power_.SetSuspendState(true, true, true); break;
    default: break;
    }
}

void clsExitWindows::EnableShutdownPrivilege() { power_.EnableShutdownPrivilege(); }

} // namespace dwl
