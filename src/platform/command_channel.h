#pragma once
#include <string>

namespace dwl {

// Tags the command text a later start hands to the running copy ("DWL1").
inline constexpr unsigned long kCommandDataTag = 0x44574C31;
// Tags the text the running copy gives back to print ("DWLR").
inline constexpr unsigned long kReplyDataTag = 0x44574C52;
// Longer texts are no command (or reply) of ours.
inline constexpr unsigned long kMaxCommandBytes = 4096;

// What became of a command handed to the running copy.
struct HandOverResult {
    enum class Outcome {
        Answered,      // `answer` is the running copy's
        NoAnswer,      // none found, or it did not answer
        RunsElevated,  // the system dropped the message: the running copy has higher rights than this one
    };
    Outcome outcome = Outcome::NoAnswer;
    int answer = 0;
    std::string text;  // what the running copy gave the later start to print
};

// A later start's line to the running copy, and to the console it was started from.
class ICommandChannel {
public:
    virtual ~ICommandChannel() = default;
    // Hands `text` to the running copy's message window.
    virtual HandOverResult SendToRunningCopy(const std::string& text) = 0;
    // Writes `text` to the console this process was started from (or to
    // where its output was redirected); false when there is none.
    virtual bool WriteToConsole(const std::string& text) = 0;
};

}  // namespace dwl
