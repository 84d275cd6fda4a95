#pragma once
#include <string>

#include "platform/command_channel.h"

namespace dwl::win32 {

// Finds the running copy by the class of its message window and hands the
// command over with WM_COPYDATA; writes to the console of the parent process.
class Win32CommandChannel : public ICommandChannel {
public:
    explicit Win32CommandChannel(std::string windowClass) : windowClass_(std::move(windowClass)) {}
    HandOverResult SendToRunningCopy(const std::string& text) override;
    bool WriteToConsole(const std::string& text) override;

private:
    std::string windowClass_;
};

}  // namespace dwl::win32
