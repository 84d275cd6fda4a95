#pragma once
#include <optional>
#include <string>

namespace dwl {

// The predefined registry roots the program addresses.
enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

// How a write ended: the key could not be opened or created (nothing was
// written), or the key was there but setting the value failed.
enum class WriteResult { Written, KeyFailed, ValueFailed };

// Text values (REG_SZ) under a key path such as "SOFTWARE\\Orbelle\\DWL\\HotKeys".
class IRegistry {
public:
    virtual ~IRegistry() = default;
    // The value's data as text, or nothing when the key or value is missing or unreadable.
    virtual std::optional<std::string> ReadString(Hive hive, const std::string& key, const std::string& value) = 0;
    // Creates missing keys, parents included.
    virtual WriteResult WriteString(Hive hive, const std::string& key, const std::string& value,
                                    const std::string& data) = 0;
    virtual bool DeleteValue(Hive hive, const std::string& key, const std::string& value) = 0;
    virtual bool DeleteKey(Hive hive, const std::string& key) = 0;
};

}  // namespace dwl
