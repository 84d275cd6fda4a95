#pragma once
#include <windows.h>

#include "platform/instance.h"
#include "platform/win32/handles.h"

namespace dwl::win32 {

// A named mutex per program and logged-on user, held for the life of the process.
class Win32InstanceGuard : public IInstanceGuard {
public:
    bool Acquire() override;

private:
    UniqueHandle mutex_;
};

}  // namespace dwl::win32
