#include "platform/win32/trace.h"

#include <windows.h>

#include <exception>
#include <string>

namespace dwl::win32 {

bool Check(bool ok, const char* what) {
    if (ok) return true;
    const DWORD error = GetLastError();
    // Without printf: its C library formatter would cost dwl.exe some 25 KB.
    const std::string text = std::string("dwl: ") + what + " failed, error " + std::to_string(error) + "\n";
    OutputDebugStringA(text.c_str());
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
    try {
        OutputDebugStringA((std::string("dwl: exception stopped in ") + where + " " + detail + "\n").c_str());
    } catch (...) {}  // no memory left for the message
}

}  // namespace dwl::win32
