#pragma once
#include <string>

namespace dwl {

class IUserInfo {
public:
    virtual ~IUserInfo() = default;
    // The logged-on user's logon name; empty when it cannot be read.
    virtual std::string LogonName() = 0;
};

}  // namespace dwl
