#pragma once
#include <string>

#include "platform/command_channel.h"

namespace dwl::win32 {

// A later start's message-only window, named as the WM_COPYDATA's sender: the
// running copy sends the text to print to a window of this class alone.
inline constexpr const char* kReplyWindowClass = "DuskwellReply";

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
