#pragma once
#include <windows.h>

#include <string>

#include "platform/user.h"

namespace dwl::win32 {

// The logged-on user's name, empty when it cannot be read.
std::string CurrentUserName();

class Win32UserInfo : public IUserInfo {
public:
    std::string LogonName() override { return CurrentUserName(); }
};

}  // namespace dwl::win32
