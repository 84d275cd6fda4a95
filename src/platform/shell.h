#pragma once
#include <string>

namespace dwl {

class IShell {
public:
    virtual ~IShell() = default;
    // Starts `command` as a command line; when that fails, asks the shell to
    // open it as a document (maximised). Nothing is reported.
    virtual void OpenDocument(const std::string& command) = 0;
    // Hands a web address to the shell, which opens it with the user's browser.
    virtual void OpenAddress(const std::string& address) = 0;
};

}  // namespace dwl
