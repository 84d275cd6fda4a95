#pragma once
#include <string>

namespace dwl {

// The token this program runs with, as the system tells it.
enum class TokenElevation {
    Default,  // no split token: Windows XP, UAC off, a standard user
    Limited,  // the filtered token of an administrator while UAC is on
    Full,     // "as administrator": the full token while UAC is on
};

class IShell {
public:
    virtual ~IShell() = default;
    // Starts `command` as a command line; when that fails, asks the shell to
    // open it as a document (maximised). Nothing is reported.
    virtual void OpenDocument(const std::string& command) = 0;
    // Hands a web address to the shell, which opens it with the user's browser.
    virtual void OpenAddress(const std::string& address) = 0;
    virtual TokenElevation Elevation() = 0;
    // Has the desktop's own process start `command` (a quoted program, then its
    // parameters), so the program runs with the desktop user's normal rights;
    // false, after one trace line, when the desktop could not be asked.
    virtual bool OpenUnelevated(const std::string& command) = 0;
};

}  // namespace dwl
