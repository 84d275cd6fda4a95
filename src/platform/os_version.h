#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace dwl {

// The fields of the system's version record. The basic record is 148 bytes;
// the extended one (156 bytes) adds the service-pack numbers, suites and product type.
struct OsVersionRecord {
    uint32_t major = 0;
    uint32_t minor = 0;
    uint32_t build = 0;
    uint32_t platformId = 0;
    std::string csd;  // the whole 128-character service-pack field, NULs included
    uint16_t servicePackMajor = 0;
    uint16_t servicePackMinor = 0;
    uint16_t suiteMask = 0;
    uint8_t productType = 0;
};

constexpr uint32_t kVersionRecordSize = 148;
constexpr uint32_t kVersionRecordExSize = 156;

class IOsVersionSource {
public:
    virtual ~IOsVersionSource() = default;
    // Reads the record with the size field set to `size`; nothing when the call fails.
    virtual std::optional<OsVersionRecord> Read(uint32_t size) = 0;
};

}  // namespace dwl
