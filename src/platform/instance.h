#pragma once

namespace dwl {

// One running copy of the program per logged-on user.
class IInstanceGuard {
public:
    virtual ~IInstanceGuard() = default;
    // True when this process is now the only instance; false when another one runs.
    virtual bool Acquire() = 0;
};

}  // namespace dwl
