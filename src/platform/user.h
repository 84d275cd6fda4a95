#pragma once
#include <cstdint>
#include <string>

namespace dwl {

class IUserInfo {
public:
    virtual ~IUserInfo() = default;
    // The logged-on user's logon name; empty when it cannot be read.
    virtual std::string LogonName() = 0;
};

// Whether anyone is at the machine.
class IActivity {
public:
    virtual ~IActivity() = default;
    // The millisecond count (GetTickCount's) of the last keyboard or mouse
    // input of the session, and now.
    virtual std::uint32_t LastInput() = 0;
    virtual std::uint32_t Now() = 0;
    // A program asks the system to keep the display or the system awake (a
    // video playing, a presentation), as the system's own sleep timer
    // honours; false where the system cannot tell.
    virtual bool KeptAwake() = 0;
};

}  // namespace dwl
