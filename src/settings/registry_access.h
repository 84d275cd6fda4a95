#pragma once
#include <string>

#include "platform/registry.h"

namespace dwl {

class IDialogs;

// The program's one road to the registry: text values under a root key and a
// base subkey. Each sequence of calls begins with TuneMyRegistry, because the
// shared instance keeps whatever target its last user chose.
//
// Sections: a call with section "Run" works on BaseSubKey + "\Run"; with the
// empty section it works on BaseSubKey itself.
class MyRegistry {
public:
    // Targets HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL; `caption` titles the
    // error message.
    MyRegistry(IRegistry& registry, IDialogs& dialogs, std::string caption);

    // Picks the root key by name (blanks around it and letter case do not
    // matter) and the base subkey. An unknown name keeps the root key in force
    // and gives false; the base subkey is taken either way.
    bool TuneMyRegistry(const std::string& hive, const std::string& subKey);

    // The stored text, or the default when the key or value is missing, can't
    // be read, or holds more than kMaxReadLength characters. A stored empty
    // text is returned as such.
    std::string LoadFromRegistry(const std::string& section, const std::string& key, const std::string& defaultSetting);
    // The same with a numeric default, which comes back as its decimal text.
    // The stored text is not checked: callers convert the result themselves.
    std::string LoadFromRegistry(const std::string& section, const std::string& key, int defaultSetting);

    // Writes the text, creating missing keys. When the key can be neither
    // opened nor created, shows "Error writing to registry!" and gives false;
    // otherwise true, even if the value itself could not be set.
    bool SaveToRegistry(const std::string& section, const std::string& key, const std::string& setting);
    // Writes the text without any message: true only when the value was written.
    bool TrySaveToRegistry(const std::string& section, const std::string& key, const std::string& setting);
    // Writes the number's decimal text.
    bool SaveToRegistry(const std::string& section, const std::string& key, int setting);

    // Deletes the section key (which must have no subkeys). Always false; the
    // outcome is not reported.
    bool DeleteSectionRegistry(const std::string& section);
    // Deletes a value directly under BaseSubKey (no section). Always false.
    bool DeleteValueRegistry(const std::string& value);

    Hive RootKey() const { return rootKey_; }
    const std::string& BaseSubKey() const { return baseSubKey_; }

    // Reads are made into a 256-byte buffer: 255 characters and the terminator.
    static constexpr size_t kMaxReadLength = 255;

private:
    std::string KeyPath(const std::string& section) const;

    IRegistry& registry_;
    IDialogs& dialogs_;
    std::string caption_;
    Hive rootKey_ = Hive::CurrentUser;
    std::string baseSubKey_;
};

}  // namespace dwl
