#pragma once
#include <windows.h>

#include "platform/shell.h"

namespace dwl::win32 {

// The desktop's list of shell windows, whose desktop entry starts programs with the desktop's rights.
inline constexpr CLSID kShellWindows{0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};

class Win32Shell : public IShell {
public:
    // The tests name a class no process serves: a desktop that cannot be asked.
    explicit Win32Shell(const CLSID& shellWindows = kShellWindows) : shellWindows_(shellWindows) {}
    void OpenDocument(const std::string& command) override;
    void OpenAddress(const std::string& address) override;
    TokenElevation Elevation() override;
    bool OpenUnelevated(const std::string& command) override;

private:
    CLSID shellWindows_;
};

}  // namespace dwl::win32
