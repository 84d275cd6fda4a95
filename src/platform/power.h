#pragma once

namespace dwl {

// The session and power services. Results are not reported: a refused call
// leaves the machine as it was.
class IPower {
public:
    virtual ~IPower() = default;
    virtual void EnableShutdownPrivilege() = 0;
    virtual void ExitWindowsEx(unsigned flags, unsigned reason) = 0;
    virtual void LockWorkStation() = 0;
    virtual void SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) = 0;
};

}  // namespace dwl
