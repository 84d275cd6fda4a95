#pragma once
#include <optional>
#include <string>

namespace dwl {

// The predefined registry roots the program addresses.
enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

// Text values (REG_SZ) under a key path such as "SOFTWARE\\Orbelle\\DWL\\HotKeys".
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // The value's data as text, or nothing when the key or value is missing or unreadable.
    virtual std::optional<std::string> ReadString(Hive hive, const std::string& key, const std::string& value) = 0;
    // Creates missing keys. False when the key cannot be opened or created or the write fails.
    virtual bool WriteString(Hive hive, const std::string& key, const std::string& value, const std::string& data) = 0;
    virtual bool DeleteValue(Hive hive, const std::string& key, const std::string& value) = 0;
    virtual bool DeleteKey(Hive hive, const std::string& key) = 0;
};

} // namespace dwl
