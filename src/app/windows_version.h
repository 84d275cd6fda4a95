#pragma once
#include <string>

namespace dwl {

class IOsVersionSource;

// Names the Windows version from the system's version record.
// Creating an instance reads the record and fills the texts at once.
class clsOS {
public:
    explicit clsOS(IOsVersionSource& source);

    std::string OSName;
    std::string OSVersion;
    std::string OSBuild;
    std::string OSCSDVersion;
    std::string OSServicePack;
    std::string OSSuites;
    std::string OSProductType;

private:
    void IdentifyOS(IOsVersionSource& source);
};

// Windows XP or Windows .NET (visual styles need a manifest there).
bool IsXPOrDotNet(IOsVersionSource& source);
// Windows 2000, XP or .NET (the workstation can be locked).
bool IsLockSupported(IOsVersionSource& source);

}  // namespace dwl
