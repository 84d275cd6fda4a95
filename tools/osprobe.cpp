// Prints what clsOS makes of the running system, one property per line.
#include <cstdio>

#include "app/cls_os.h"
#include "platform/win32/os_version_win32.h"

int main() {
    dwl::Win32OsVersionSource source;
    const dwl::clsOS os(source);
    const struct {
        const char* name;
        const std::string& value;
    } lines[] = {
        {"OSName", os.OSName},
        {"OSVersion", os.OSVersion},
        {"OSBuild", os.OSBuild},
        {"OSCSDVersion", os.OSCSDVersion},
        {"OSServicePack", os.OSServicePack},
        {"OSSuites", os.OSSuites},
        {"OSProductType", os.OSProductType},
    };
    for (const auto& line : lines) std::printf("%s=%s\n", line.name, line.value.c_str());
    std::printf("IsLockSupported=%d\n", dwl::IsLockSupported(source) ? 1 : 0);
    std::printf("IsXPOrDotNet=%d\n", dwl::IsXPOrDotNet(source) ? 1 : 0);
    return 0;
}
