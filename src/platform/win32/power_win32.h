#pragma once
#include "platform/power.h"

namespace dwl::win32 {

class Win32Power : public IPower {
public:
    void EnableShutdownPrivilege() override;
    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    void LockWorkStation() override;
    void SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override;
};

}  // namespace dwl::win32
