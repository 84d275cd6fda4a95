// The threads runtime that the C++ library is built on imports GetTickCount64,
// which Windows XP (and XP x64) does not have: the loader would refuse to start
// the program there. Linked straight into the executable, this definition of
// the import slot satisfies the reference before the system's import library
// is searched, and counts with GetTickCount, which every version has.
#include <windows.h>

namespace {

ULONGLONG WINAPI TickCount64() {
    // Extends the 32-bit count across its wrap-arounds (every 49.7 days).
    static DWORD last = 0;
    static ULONGLONG high = 0;
    const DWORD now = GetTickCount();
    if (now < last) high += 0x100000000ULL;
    last = now;
    return high + now;
}

}  // namespace

#if defined(__i386__)
extern "C" void* DwlImportTickCount64 __asm__("__imp__GetTickCount64@0");
#else
extern "C" void* DwlImportTickCount64 __asm__("__imp_GetTickCount64");
#endif
void* DwlImportTickCount64 = reinterpret_cast<void*>(&TickCount64);
