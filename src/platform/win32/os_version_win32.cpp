#include "platform/win32/os_version_win32.h"

#include <windows.h>

namespace dwl {

static_assert(sizeof(OSVERSIONINFOA) == kVersionRecordSize);
static_assert(sizeof(OSVERSIONINFOEXA) == kVersionRecordExSize);

std::optional<OsVersionRecord> Win32OsVersionSource::Read(uint32_t size) {
    if (size != kVersionRecordSize && size != kVersionRecordExSize) return std::nullopt;

    // The extended layout starts with the basic one, so one buffer serves both sizes;
    // the size field tells the system how much of it to fill.
    OSVERSIONINFOEXA info{};
    info.dwOSVersionInfoSize = size;
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
    const BOOL ok = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&info));
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
    if (!ok) return std::nullopt;

    OsVersionRecord record;
    record.major = info.dwMajorVersion;
    record.minor = info.dwMinorVersion;
    record.build = info.dwBuildNumber;
    record.platformId = info.dwPlatformId;
    record.csd.assign(info.szCSDVersion, sizeof(info.szCSDVersion));
    if (size == kVersionRecordExSize) {
        record.servicePackMajor = info.wServicePackMajor;
        record.servicePackMinor = info.wServicePackMinor;
        record.suiteMask = info.wSuiteMask;
        record.productType = info.wProductType;
    }
    return record;
}

}  // namespace dwl
