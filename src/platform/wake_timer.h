#pragma once
#include <cstdint>
#include <string>

namespace dwl {

// The one timer that wakes the computer from sleep or hibernation.
class IWakeTimer {
public:
    virtual ~IWakeTimer() = default;
    // Sets the timer to come due at `utcSeconds` (since 1601), in place of
    // the time set before. False when the system will not wake the computer
    // by it; `reason` then says why.
    virtual bool SetAt(std::int64_t utcSeconds, std::string& reason) = 0;
    virtual void Cancel() = 0;
    // True once the time set has come: after a resume, the timer woke the
    // computer (or came while it was awake); false after a resume the user made.
    virtual bool CameDue() = 0;
    // While held, the computer does not go back to sleep by itself, as it
    // otherwise does soon after a timer woke it with nobody at it.
    virtual void HoldAwake(bool hold) = 0;
};

}  // namespace dwl
