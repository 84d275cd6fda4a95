#pragma once
#include "platform/clock.h"

namespace dwl::win32 {

// The local time and the system's time format.
class Win32Clock : public IClock {
public:
    LocalTime Now() override;
    std::int64_t UtcSeconds() override;
    std::int64_t UtcSecondsOf(const LocalTime& local) override;
    std::string SystemTimeText() override;
};

}  // namespace dwl::win32
