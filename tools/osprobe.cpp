// Prints what clsOS makes of the running system, one property per line.
#include <cstdio>

#include "app/cls_os.h"
#include "platform/win32/os_version_win32.h"

int main() {
    dwl::Win32OsVersionSource source;
    const dwl::clsOS os(source);
    std::printf("OSName=%s\nOSVersion=%s\nOSCSDVersion=%s\nOSServicePack=%s\n", os.OSName.c_str(), os.OSVersion.c_str(),
                os.OSCSDVersion.c_str(), os.OSServicePack.c_str());
    return 0;
}
