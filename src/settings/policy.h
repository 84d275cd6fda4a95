#pragma once
// What the administrator sets for the machine (HKEY_LOCAL_MACHINE) or for
// the user (HKEY_CURRENT_USER), under SOFTWARE\Policies\Orbelle\DWL, as
// Group Policy and device management write it. Each value the machine sets
// wins over the user's, and both over the user's own settings. The program
// reads policy and never writes it.
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "model/application_record.h"
#include "platform/registry.h"

namespace dwl {

inline constexpr const char* kPolicyKey = "SOFTWARE\\Policies\\Orbelle\\DWL";

// The values read, with their kind: a list of texts (REG_MULTI_SZ), or a
// number (REG_DWORD) that is 0 or 1 or one of the warning's choices. The
// administrative templates name exactly these.
enum class PolicyKind { TextList, Switch, WarnChoice };
struct PolicyValue {
    const char* name;
    PolicyKind kind;
};
inline constexpr PolicyValue kPolicyValues[] = {
    {"Scenarios", PolicyKind::TextList},     {"Applications", PolicyKind::TextList},
    {"WarnMinutes", PolicyKind::WarnChoice}, {"NoCancel", PolicyKind::Switch},
    {"LockSettings", PolicyKind::Switch},    {"CleanTemp", PolicyKind::Switch},
    {"CleanCache", PolicyKind::Switch},      {"CleanRecycleBin", PolicyKind::Switch},
};

struct Policy {
    // Scenario entries every user gets, and the programs their "Run
    // Application" entries start: both from the key that set "Scenarios".
    std::vector<std::string> Scenarios;
    std::vector<ApplicationRecord> Applications;
    std::optional<int> WarnMinutes;
    bool NoCancel = false;      // policy scenarios cannot be cancelled, postponed or skipped
    bool LockSettings = false;  // the settings pages stay locked, with no unlock
    std::optional<int> CleanTemp, CleanCache, CleanRecycleBin;
};

// Reads both keys. A value of the wrong type or out of range, and a line of
// "Applications" that is not "short name|full path|parameters", is ignored
// with one line to `trace`.
Policy ReadPolicy(IRegistry& registry, const std::function<void(const std::string&)>& trace);

}  // namespace dwl
