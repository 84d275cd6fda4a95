#include "platform/win32/user_win32.h"

namespace dwl::win32 {

std::string CurrentUserName() {
    char buffer[257] = {};
    DWORD size = sizeof buffer;
    if (!GetUserNameA(buffer, &size)) return {};
    return std::string(buffer);
}

}  // namespace dwl::win32
