#include "platform/win32/clock_win32.h"

#include <windows.h>

#include <cstdint>

namespace dwl::win32 {

LocalTime Win32Clock::Now() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wYear, now.wMonth, now.wDay, now.wDayOfWeek, now.wHour, now.wMinute, now.wSecond, now.wMilliseconds};
}

namespace {

std::int64_t Seconds(const FILETIME& time) {
    const std::uint64_t ticks = (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    return static_cast<std::int64_t>(ticks / 10000000u);
}

}  // namespace

std::int64_t Win32Clock::UtcSeconds() {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return Seconds(now);
}

// Should the zone's rules not convert it, the offset of now is the best guess.
std::int64_t Win32Clock::UtcSecondsOf(const LocalTime& local) {
    const SYSTEMTIME time{static_cast<WORD>(local.year),      static_cast<WORD>(local.month),
                          static_cast<WORD>(local.dayOfWeek), static_cast<WORD>(local.day),
                          static_cast<WORD>(local.hour),      static_cast<WORD>(local.minute),
                          static_cast<WORD>(local.second),    0};
    SYSTEMTIME utc{};
    FILETIME file{}, localFile{}, nowLocal{}, nowUtc{};
    if (TzSpecificLocalTimeToSystemTime(nullptr, &time, &utc) && SystemTimeToFileTime(&utc, &file))
        return Seconds(file);
    SYSTEMTIME now{};
    GetLocalTime(&now);
    SystemTimeToFileTime(&time, &localFile);
    SystemTimeToFileTime(&now, &nowLocal);
    GetSystemTimeAsFileTime(&nowUtc);
    return Seconds(localFile) - (Seconds(nowLocal) - Seconds(nowUtc));
}

std::string Win32Clock::SystemTimeText() {
    char buffer[128] = {};
    if (GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, buffer, sizeof buffer) == 0) return {};
    return buffer;
}

}  // namespace dwl::win32
