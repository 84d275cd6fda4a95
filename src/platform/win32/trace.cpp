#include "platform/win32/trace.h"

#include <windows.h>

#include <cstdio>
#include <exception>

namespace dwl::win32 {

bool Check(bool ok, const char* what) {
    if (ok) return true;
    const DWORD error = GetLastError();
    char text[256];
    std::snprintf(text, sizeof text, "dwl: %s failed, error %lu\n", what, static_cast<unsigned long>(error));
    OutputDebugStringA(text);
    SetLastError(error);
    return false;
}

void TraceException(const char* where) noexcept {
    const char* detail = "";
    try {
        throw;
    } catch (const std::exception& e) {
        detail = e.what();
    } catch (...) {}
    char text[512];
    std::snprintf(text, sizeof text, "dwl: exception stopped in %s %s\n", where, detail);
    OutputDebugStringA(text);
}

}  // namespace dwl::win32
