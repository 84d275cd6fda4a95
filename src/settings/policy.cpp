#include "settings/policy.h"

#include <algorithm>
#include <iterator>

#include "model/text.h"
#include "settings/settings.h"

namespace dwl {
namespace {

// A full path: a drive's root or a share, never one the search path completes.
bool IsFullPath(const std::string& path) {
    const char letter = static_cast<char>(path.empty() ? 0 : path[0] | 0x20);
    const bool drive = path.size() > 2 && letter >= 'a' && letter <= 'z' && path[1] == ':' && path[2] == '\\';
    return drive || path.rfind("\\\\", 0) == 0;
}

std::optional<ApplicationRecord> ReadApplication(const std::string& line) {
    const size_t first = line.find('|');
    const size_t second = first == std::string::npos ? first : line.find('|', first + 1);
    if (second == std::string::npos) return std::nullopt;
    ApplicationRecord record{TrimBlanks(line.substr(first + 1, second - first - 1)),
                             TrimBlanks(line.substr(0, first)), TrimBlanks(line.substr(second + 1))};
    if (record.shortName.empty() || record.shortName.find(';') != std::string::npos || !IsFullPath(record.longName))
        return std::nullopt;
    return record;
}

const PolicyValue& ValueNamed(const char* name) {
    return *std::find_if(std::begin(kPolicyValues), std::end(kPolicyValues),
                         [&](const PolicyValue& v) { return std::string(v.name) == name; });
}

// A value as the machine, else the user, sets it; nothing when neither does
// with the right type and within range.
struct Reader {
    IRegistry& registry;
    const std::function<void(const std::string&)>& trace;

    void Ignore(Hive hive, const PolicyValue& value, const std::string& why) const {
        if (trace)
            trace(std::string("dwl: policy ") + (hive == Hive::LocalMachine ? "HKLM" : "HKCU") + "\\" + kPolicyKey +
                  "\\" + value.name + " ignored: " + why);
    }

    std::optional<RegistryValue> Read(Hive hive, const PolicyValue& value) const {
        auto read = registry.ReadValue(hive, kPolicyKey, value.name);
        if (!read) return std::nullopt;
        const bool list = value.kind == PolicyKind::TextList;
        if (read->type != (list ? RegistryValue::Type::TextList : RegistryValue::Type::Number)) {
            Ignore(hive, value, list ? "not of type REG_MULTI_SZ" : "not of type REG_DWORD");
            return std::nullopt;
        }
        if (read->lostTexts > 0) Ignore(hive, value, "a line this system's code page cannot hold is left out");
        if (list) return read;
        const auto n = read->number;
        const bool inRange = value.kind == PolicyKind::WarnChoice
                                 ? std::find(std::begin(kWarnMinuteChoices), std::end(kWarnMinuteChoices),
                                             static_cast<long long>(n)) != std::end(kWarnMinuteChoices)
                                 : n <= 1;
        if (!inRange) {
            Ignore(hive, value, "out of range (" + std::to_string(n) + ")");
            return std::nullopt;
        }
        return read;
    }

    // The hive that sets the value, and what it reads.
    std::optional<std::pair<Hive, RegistryValue>> Find(const char* name) const {
        const PolicyValue& value = ValueNamed(name);
        for (Hive hive : {Hive::LocalMachine, Hive::CurrentUser})
            if (auto read = Read(hive, value)) return std::pair(hive, std::move(*read));
        return std::nullopt;
    }

    std::optional<int> Number(const char* name) const {
        const auto found = Find(name);
        if (!found) return std::nullopt;
        return static_cast<int>(found->second.number);
    }
};

}  // namespace

Policy ReadPolicy(IRegistry& registry, const std::function<void(const std::string&)>& trace) {
    const Reader reader{registry, trace};
    Policy policy;
    if (auto scenarios = reader.Find("Scenarios")) {
        for (std::string& text : scenarios->second.texts)
            if (!TrimBlanks(text).empty()) policy.Scenarios.push_back(std::move(text));
        const Hive hive = scenarios->first;
        const PolicyValue& applications = ValueNamed("Applications");
        if (auto lines = reader.Read(hive, applications)) {
            for (const std::string& line : lines->texts) {
                if (TrimBlanks(line).empty()) continue;
                if (auto record = ReadApplication(line))
                    policy.Applications.push_back(std::move(*record));
                else
                    reader.Ignore(hive, applications, "the line \"" + line +
                                                          "\" is not \"short name|full path|parameters\"");
            }
        }
    }
    policy.WarnMinutes = reader.Number("WarnMinutes");
    policy.NoCancel = reader.Number("NoCancel").value_or(0) == 1;
    policy.LockSettings = reader.Number("LockSettings").value_or(0) == 1;
    policy.CleanTemp = reader.Number("CleanTemp");
    policy.CleanCache = reader.Number("CleanCache");
    policy.CleanRecycleBin = reader.Number("CleanRecycleBin");
    return policy;
}

}  // namespace dwl
