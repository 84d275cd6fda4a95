#pragma once
#include "platform/shell.h"

namespace dwl::win32 {

class Win32Shell : public IShell {
public:
    void OpenDocument(const std::string& command) override;
    void OpenAddress(const std::string& address) override;
};

}  // namespace dwl::win32
