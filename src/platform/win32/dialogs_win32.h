#pragma once
#include <windows.h>

#include <functional>
#include <string>

#include "platform/dialogs.h"

namespace dwl::win32 {

// Message boxes owned by the program's windows, which exist later than this
// object: `owner` gives the window of each kind (null when it has none yet).
class Win32Dialogs : public IDialogs {
public:
    std::function<HWND(DialogOwner)> owner;

protected:
    int Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner which) override;
};

}  // namespace dwl::win32
