#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace dwl {

// The predefined registry roots the program addresses.
enum class Hive { ClassesRoot, CurrentUser, LocalMachine, Users, PerformanceData, CurrentConfig, DynData };

// How a write ended: the key could not be opened or created (nothing was
// written), or the key was there but setting the value failed.
enum class WriteResult { Written, KeyFailed, ValueFailed };

// A value read with its type, as policies are: a number (REG_DWORD), a list
// of texts (REG_MULTI_SZ, in ANSI), or another kind. A text of the list that
// the code page cannot hold exactly is left out and counted.
struct RegistryValue {
    enum class Type { Number, TextList, Other } type = Type::Other;
    std::uint32_t number = 0;
    std::vector<std::string> texts;
    int lostTexts = 0;
};

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
    // Any value, from the registry's 64-bit view where there is one; nothing
    // when the key or value is missing or unreadable.
    virtual std::optional<RegistryValue> ReadValue(Hive hive, const std::string& key, const std::string& value) = 0;
};

}  // namespace dwl
