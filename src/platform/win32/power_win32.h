#pragma once
#include "platform/clock.h"
#include "platform/power.h"

namespace dwl::win32 {

class Win32Power : public IPower {
public:
    void EnableShutdownPrivilege() override;
    void ExitWindowsEx(unsigned flags, unsigned reason) override;
    void LockWorkStation() override;
    void SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override;
};

class Win32Clock : public IClock {
public:
    LocalTime Now() override;
    std::int64_t UtcSeconds() override;
    std::string SystemTimeText() override;
};

}  // namespace dwl::win32
