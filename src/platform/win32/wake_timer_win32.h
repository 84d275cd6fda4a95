#pragma once
#include "platform/wake_timer.h"
#include "platform/win32/handles.h"

namespace dwl::win32 {

// A manual-reset waitable timer set to resume the system, made on first use.
class Win32WakeTimer : public IWakeTimer {
public:
    bool SetAt(std::int64_t utcSeconds, std::string& reason) override;
    void Cancel() override;
    bool CameDue() override;
    void HoldAwake(bool hold) override;

private:
    UniqueHandle timer_;
};

}  // namespace dwl::win32
