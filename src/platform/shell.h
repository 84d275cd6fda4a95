#pragma once
#include <string>

namespace dwl {

class IShell {
public:
    virtual ~IShell() = default;
    // Starts `command` as a command line; when that fails, asks the shell to
    // open it as a document (maximised). Nothing is reported.
    virtual void OpenDocument(const std::string& command) = 0;
};

}  // namespace dwl
