#pragma once
#include <windows.h>

#include <functional>

#include "platform/input_dialogs.h"

namespace dwl::win32 {

class Win32InputDialogs : public IInputDialogs {
public:
    // `owner` gives the window of each kind, as for the message boxes.
    explicit Win32InputDialogs(std::function<HWND(DialogOwner)> owner) : owner_(std::move(owner)) {}
    std::string ShowOpenDialog(DialogOwner owner, const std::string& initialFolder) override;
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title,
                                        DialogOwner owner) override;

private:
    HWND Owner(DialogOwner which) const;
    std::function<HWND(DialogOwner)> owner_;
};

}  // namespace dwl::win32
