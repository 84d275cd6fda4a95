#include "settings/registry_access.h"

#include <algorithm>
#include <cctype>

#include "model/text.h"
#include "platform/dialogs.h"

namespace dwl {
namespace {

constexpr const char* kWriteError = "Error writing to registry!";

// The names a caller may give. HKEY_PERFORMANCE_DATA is deliberately absent.
constexpr struct {
    const char* name;
    Hive hive;
} kHives[] = {
    {"HKEY_CLASSES_ROOT", Hive::ClassesRoot},     {"HKEY_CURRENT_USER", Hive::CurrentUser},
    {"HKEY_LOCAL_MACHINE", Hive::LocalMachine},   {"HKEY_USERS", Hive::Users},
    {"HKEY_CURRENT_CONFIG", Hive::CurrentConfig}, {"HKEY_DYN_DATA", Hive::DynData},
};

// Only blanks are trimmed, not tabs or line ends.
std::string TrimmedUpper(const std::string& text) {
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return {};
    return AsciiUppered(text.substr(begin, text.find_last_not_of(' ') - begin + 1));
}

}  // namespace

MyRegistry::MyRegistry(IRegistry& registry, IDialogs& dialogs, std::string caption)
    : registry_(registry), dialogs_(dialogs), caption_(std::move(caption)) {
    TuneMyRegistry("HKEY_CURRENT_USER", std::string("SOFTWARE\\") + "Orbelle\\DWL");
}

bool MyRegistry::TuneMyRegistry(const std::string& hive, const std::string& subKey) {
    baseSubKey_ = subKey;
    const std::string name = TrimmedUpper(hive);
    for (const auto& entry : kHives) {
        if (name == entry.name) {
            rootKey_ = entry.hive;
            return true;
        }
    }
    return false;
}

std::string MyRegistry::KeyPath(const std::string& section) const {
    return section.empty() ? baseSubKey_ : baseSubKey_ + "\\" + section;
}

std::string MyRegistry::LoadFromRegistry(const std::string& section, const std::string& key,
                                         const std::string& defaultSetting) {
    const auto text = registry_.ReadString(rootKey_, KeyPath(section), key);
    if (!text || text->size() > kMaxReadLength) return defaultSetting;
    return *text;
}

std::string MyRegistry::LoadFromRegistry(const std::string& section, const std::string& key, int defaultSetting) {
    return LoadFromRegistry(section, key, std::to_string(defaultSetting));
}

bool MyRegistry::SaveToRegistry(const std::string& section, const std::string& key, const std::string& setting) {
    if (registry_.WriteString(rootKey_, KeyPath(section), key, setting) == WriteResult::KeyFailed) {
        dialogs_.ShowMessage(kWriteError, caption_, MbOk | MbIconStop);
        return false;
    }
    // A failure to set the value itself goes unreported.
    return true;
}

bool MyRegistry::TrySaveToRegistry(const std::string& section, const std::string& key, const std::string& setting) {
    return registry_.WriteString(rootKey_, KeyPath(section), key, setting) == WriteResult::Written;
}

bool MyRegistry::SaveToRegistry(const std::string& section, const std::string& key, int setting) {
    return SaveToRegistry(section, key, std::to_string(setting));
}

bool MyRegistry::DeleteSectionRegistry(const std::string& section) {
    registry_.DeleteKey(rootKey_, KeyPath(section));
    return false;
}

bool MyRegistry::DeleteValueRegistry(const std::string& value) {
    registry_.DeleteValue(rootKey_, baseSubKey_, value);
    return false;
}

}  // namespace dwl
