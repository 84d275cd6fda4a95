#pragma once
#include "platform/os_version.h"

namespace dwl {

// Reads the version record through GetVersionExA.
class Win32OsVersionSource : public IOsVersionSource {
public:
    std::optional<OsVersionRecord> Read(uint32_t size) override;
};

}  // namespace dwl
