#pragma once
#include <windows.h>

#include <string>

#include "platform/user.h"

namespace dwl::win32 {

// The logged-on user's name, empty when it cannot be read.
std::string CurrentUserName();

class Win32UserInfo : public IUserInfo, public IActivity {
public:
    std::string LogonName() override { return CurrentUserName(); }
    std::uint32_t LastInput() override;
    std::uint32_t Now() override { return GetTickCount(); }
    bool KeptAwake() override;
};

}  // namespace dwl::win32
