#pragma once
#include <string>

namespace dwl {

// One program that a "Run Application" scenario starts.
struct ApplicationRecord {
    std::string longName;   // full path
    std::string shortName;  // file name up to its first "."
    std::string parameters;
    bool operator==(const ApplicationRecord&) const = default;
};

}  // namespace dwl
