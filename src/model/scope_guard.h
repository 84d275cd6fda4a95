#pragma once
// Scope guards: what a block raises is lowered however the block ends.

namespace dwl {

// Raises `flag` for the life of the guard.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
    ~FlagScope() { flag_ = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& flag_;
};

}  // namespace dwl
