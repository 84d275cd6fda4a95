#include "platform/win32/instance_win32.h"

#include "platform/win32/user_win32.h"

namespace dwl::win32 {

bool Win32InstanceGuard::Acquire() {
    // Backslashes would name a namespace; keep the user's name out of that.
    std::string name = "DuskwellSingleInstance-" + CurrentUserName();
    for (char& c : name)
        if (c == '\\') c = '_';
    mutex_.reset(CreateMutexA(nullptr, FALSE, name.c_str()));
    if (!mutex_) return true;  // no guard available: better to run than to refuse
    if (GetLastError() != ERROR_ALREADY_EXISTS) return true;
    // A refused start that lives on (its message, a command handed over) must
    // not keep the guard alive for a start after the running copy has ended.
    mutex_.reset();
    return false;
}

}  // namespace dwl::win32
