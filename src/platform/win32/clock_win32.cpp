#include "platform/win32/clock_win32.h"

#include <windows.h>

#include <cstdint>

namespace dwl::win32 {

LocalTime Win32Clock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

std::int64_t Win32Clock::UtcSeconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const std::uint64_t ticks = (static_cast<std::uint64_t>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000u);
}

std::string Win32Clock::SystemTimeText() {
    char buffer[128] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

}  // namespace dwl::win32
