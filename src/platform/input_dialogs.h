#pragma once
#include <optional>
#include <string>

#include "platform/dialogs.h"

namespace dwl {

// The system's file dialog and a one-line text prompt, both modal to `owner`.
class IInputDialogs {
public:
    virtual ~IInputDialogs() = default;
    // "Open file(s):" for applications, starting in `initialFolder`; the
    // chosen path, or empty when the user cancels.
    virtual std::string ShowOpenDialog(DialogOwner owner, const std::string& initialFolder) = 0;
    // Asks for a line of text; nothing when the user cancels.
    virtual std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                                DialogOwner owner) = 0;
};

}  // namespace dwl
