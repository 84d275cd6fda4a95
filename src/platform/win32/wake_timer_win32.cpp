#include "platform/win32/wake_timer_win32.h"

#include <windows.h>

#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

// The active power plan's "Allow wake timers" (under Sleep) for the present
// power source: 0 is off. Systems before Vista have no such setting.
bool PlanAllowsWakeTimers() {
    using ActiveScheme = DWORD(WINAPI*)(HKEY, GUID**);
    using ReadValue = DWORD(WINAPI*)(HKEY, const GUID*, const GUID*, const GUID*, DWORD*);
    constexpr GUID kSleep{0x238c9fa8, 0x0aad, 0x41ed, {0x83, 0xf4, 0x97, 0xbe, 0x24, 0x2c, 0x8f, 0x20}};
    constexpr GUID kAllowWakeTimers{0xbd3b718a, 0x0680, 0x4d9d, {0x8a, 0xb2, 0xe1, 0xd2, 0xb4, 0xac, 0x80, 0x6d}};
    SYSTEM_POWER_STATUS power{};
    const bool onBattery = GetSystemPowerStatus(&power) && power.ACLineStatus == 0;
    const auto active = SystemFunction<ActiveScheme>("powrprof.dll", "PowerGetActiveScheme");
    const auto read =
        SystemFunction<ReadValue>("powrprof.dll", onBattery ? "PowerReadDCValueIndex" : "PowerReadACValueIndex");
    GUID* scheme = nullptr;
    if (!active || !read || active(nullptr, &scheme) != ERROR_SUCCESS) return true;
    DWORD allowed = 1;
    const DWORD result = read(nullptr, scheme, &kSleep, &kAllowWakeTimers, &allowed);
    LocalFree(scheme);
    return result != ERROR_SUCCESS || allowed != 0;
}

}  // namespace

bool Win32WakeTimer::SetAt(std::int64_t utcSeconds, std::string& reason) {
    if (!timer_) timer_.reset(CreateWaitableTimerA(nullptr, TRUE, nullptr));
    if (!timer_) {
        reason = "CreateWaitableTimer failed, error " + std::to_string(GetLastError());
        return false;
    }
    // A positive due time is an absolute UTC file time.
    LARGE_INTEGER due;
    due.QuadPart = utcSeconds * 10000000;
    SetLastError(0);
    if (!SetWaitableTimer(timer_.get(), &due, 0, nullptr, nullptr, TRUE)) {
        reason = "SetWaitableTimer failed, error " + std::to_string(GetLastError());
        return false;
    }
    // The system sets the timer but cannot resume by it.
    if (GetLastError() == ERROR_NOT_SUPPORTED) {
        reason = "SetWaitableTimer: the system does not support waking by a timer (ERROR_NOT_SUPPORTED)";
        return false;
    }
    if (!PlanAllowsWakeTimers()) {
        reason = "the power plan's \"Allow wake timers\" is off";
        return false;
    }
    return true;
}

void Win32WakeTimer::Cancel() {
    if (timer_) CancelWaitableTimer(timer_.get());
}

bool Win32WakeTimer::CameDue() { return timer_ && WaitForSingleObject(timer_.get(), 0) == WAIT_OBJECT_0; }

void Win32WakeTimer::HoldAwake(bool hold) {
    SetThreadExecutionState(hold ? ES_CONTINUOUS | ES_SYSTEM_REQUIRED : ES_CONTINUOUS);
}

}  // namespace dwl::win32
