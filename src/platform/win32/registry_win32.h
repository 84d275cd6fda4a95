#pragma once
#include "platform/registry.h"

namespace dwl::win32 {

class Win32Registry : public IRegistry {
public:
    std::optional<std::string> ReadString(Hive hive, const std::string& key, const std::string& value) override;
    WriteResult WriteString(Hive hive, const std::string& key, const std::string& value,
                            const std::string& data) override;
    bool DeleteValue(Hive hive, const std::string& key, const std::string& value) override;
    bool DeleteKey(Hive hive, const std::string& key) override;
    std::optional<RegistryValue> ReadValue(Hive hive, const std::string& key, const std::string& value) override;
};

}  // namespace dwl::win32
