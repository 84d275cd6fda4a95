#pragma once
#include <optional>
#include <string>

namespace dwl {

// Tags the command text a later start hands to the running copy ("DWL1").
inline constexpr unsigned long kCommandDataTag = 0x44574C31;
// Longer texts are no command of ours.
inline constexpr unsigned long kMaxCommandBytes = 4096;

// A later start's line to the running copy, and to the console it was started from.
class ICommandChannel {
public:
    virtual ~ICommandChannel() = default;
    // Hands `text` to the running copy's options window and gives its answer;
    // nullopt when no running copy took it (none found, or it did not answer).
    virtual std::optional<int> SendToRunningCopy(const std::string& text) = 0;
    // Writes `text` to the console this process was started from (or to
    // where its output was redirected); false when there is none.
    virtual bool WriteToConsole(const std::string& text) = 0;
};

}  // namespace dwl
