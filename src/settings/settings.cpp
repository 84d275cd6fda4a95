#include "settings/settings.h"

#include <algorithm>
#include <charconv>

#include "model/scramble.h"
#include "settings/registry_access.h"

namespace dwl {
namespace {

constexpr const char* kUserHive = "HKEY_CURRENT_USER";
constexpr const char* kMachineHive = "HKEY_LOCAL_MACHINE";
constexpr const char* kBaseKey = "SOFTWARE\\Orbelle\\DWL";
constexpr const char* kWindowsKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
constexpr const char* kRunValue = "DWL";
// What LoadFromRegistry gives for a missing Run value; a stored "False" reads the same.
constexpr const char* kNoEntry = "False";

struct BoxValue {
    const char* section;
    const char* value;
    int BoxSettings::*box;
    bool written = true;  // by SaveOptions
};

// In load order.
constexpr BoxValue kOptionBoxes[] = {
    {"Options", "PowerOff", &BoxSettings::PowerOff},
    {"Options", "Enabled", &BoxSettings::Enabled, false},
    {"Options", "StartUp", &BoxSettings::StartUp},
    {"Options", "SysTray", &BoxSettings::SysTray},
    {"Options", "WakeToRun", &BoxSettings::WakeToRun},
};
constexpr BoxValue kCleanUpBoxes[] = {
    {"CleanUp", "Temp", &BoxSettings::Temp},
    {"CleanUp", "NetCashe", &BoxSettings::NetCashe},
    {"CleanUp", "RecycleBin", &BoxSettings::RecycleBin},
};

// The number a stored text stands for. Blanks around the number are allowed;
// anything that is not one of `allowed` gives the default instead of a
// state the control can't show.
template <size_t N>
int StoredChoice(const std::string& text, int defaultState, const int (&allowed)[N]) {
    const size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return defaultState;
    const char* first = text.data() + begin;
    const char* last = text.data() + text.find_last_not_of(' ') + 1;
    int state = 0;
    const auto [end, ec] = std::from_chars(first, last, state);
    if (ec != std::errc() || end != last || std::find(allowed, allowed + N, state) == allowed + N) return defaultState;
    return state;
}

int BoxState(const std::string& text, int defaultState) { return StoredChoice(text, defaultState, {0, 1}); }

template <size_t N>
void LoadBoxes(MyRegistry& registry, BoxSettings& boxes, const BoxValue (&table)[N]) {
    const BoxSettings defaults;
    for (const auto& entry : table) {
        const int defaultState = defaults.*entry.box;
        boxes.*entry.box = BoxState(registry.LoadFromRegistry(entry.section, entry.value, defaultState), defaultState);
    }
}

template <size_t N>
void SaveBoxes(MyRegistry& registry, const BoxSettings& boxes, const BoxValue (&table)[N]) {
    for (const auto& entry : table)
        if (entry.written) registry.SaveToRegistry(entry.section, entry.value, boxes.*entry.box != 0 ? "1" : "0");
}

}  // namespace

void LoadOptions(MyRegistry& registry, BoxSettings& boxes, std::string& configPassword) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    configPassword = registry.LoadFromRegistry("Options", "Password", "");
    if (!configPassword.empty()) configPassword = UnscrambleText(configPassword, kPasswordKey);
    LoadBoxes(registry, boxes, kOptionBoxes);
    boxes.WarnMinutes = StoredChoice(registry.LoadFromRegistry("Options", "WarnMinutes", kDefaultWarnMinutes),
                                     kDefaultWarnMinutes, kWarnMinuteChoices);
}

void LoadCleanUpOptions(MyRegistry& registry, BoxSettings& boxes) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    LoadBoxes(registry, boxes, kCleanUpBoxes);
}

void SaveOptions(MyRegistry& registry, const BoxSettings& boxes) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    SaveBoxes(registry, boxes, kOptionBoxes);
    registry.SaveToRegistry("Options", "WarnMinutes", std::to_string(boxes.WarnMinutes));
    SaveBoxes(registry, boxes, kCleanUpBoxes);
}

bool SavePassword(MyRegistry& registry, const std::string& configPassword, const std::string& previous) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    const std::string stored = UnscrambleText(configPassword, kPasswordKey);
    if (!registry.SaveToRegistry("Options", "Password", stored)) return false;
    // A value the next start could not read whole would lift the lock unseen.
    if (registry.LoadFromRegistry("Options", "Password", stored + "?") == stored) return true;
    registry.SaveToRegistry("Options", "Password", UnscrambleText(previous, kPasswordKey));
    return false;
}

bool PolicyScenarioUsedUp(MyRegistry& registry, const std::string& entry) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    return registry.LoadFromRegistry("PolicyDone", entry, "") == "1";
}

bool MarkPolicyScenarioUsedUp(MyRegistry& registry, const std::string& entry) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    // Inside the scheduler's tick: no message box.
    return registry.TrySaveToRegistry("PolicyDone", entry, "1");
}

void SaveLockSwitch(MyRegistry& registry, bool locked) {
    registry.TuneMyRegistry(kUserHive, kBaseKey);
    registry.SaveToRegistry("Options", "Enabled", locked ? "1" : "0");
}

namespace {

std::string StartupEntry(MyRegistry& registry, const char* hive) {
    registry.TuneMyRegistry(hive, kWindowsKey);
    return registry.LoadFromRegistry("Run", kRunValue, kNoEntry);
}

// True when the entry is gone (or was never there).
bool RemoveStartupEntry(MyRegistry& registry, const char* hive) {
    if (StartupEntry(registry, hive) == kNoEntry) return true;
    registry.TuneMyRegistry(hive, std::string(kWindowsKey) + "\\Run");
    registry.DeleteValueRegistry(kRunValue);
    return StartupEntry(registry, hive) == kNoEntry;
}

}  // namespace

StartupOutcome SetStartupEntry(MyRegistry& registry, bool enable, const std::string& programPath) {
    if (!enable) {
        RemoveStartupEntry(registry, kUserHive);
        return RemoveStartupEntry(registry, kMachineHive) ? StartupOutcome::Done : StartupOutcome::MachineEntryStays;
    }
    // An existing entry is kept, whatever it says.
    if (StartupEntry(registry, kMachineHive) != kNoEntry || StartupEntry(registry, kUserHive) != kNoEntry)
        return StartupOutcome::Done;
    registry.TuneMyRegistry(kMachineHive, kBaseKey);
    std::string command = registry.LoadFromRegistry("Run", "Path", "");
    // No installer said how to start the program (an empty text starts
    // nothing either): the running dwl.exe, quoted for the blanks of
    // "Program Files".
    if (command.empty() && programPath.empty()) return StartupOutcome::NoProgramPath;
    if (command.empty()) command = "\"" + programPath + "\"";
    registry.TuneMyRegistry(kMachineHive, kWindowsKey);
    if (registry.TrySaveToRegistry("Run", kRunValue, command)) return StartupOutcome::Done;
    // Not elevated: the user's own entry, told only when that fails too.
    registry.TuneMyRegistry(kUserHive, kWindowsKey);
    registry.SaveToRegistry("Run", kRunValue, command);
    return StartupOutcome::Done;
}

bool RemoveDoubledStartupEntry(MyRegistry& registry) {
    if (StartupEntry(registry, kMachineHive) == kNoEntry || StartupEntry(registry, kUserHive) == kNoEntry) return false;
    RemoveStartupEntry(registry, kUserHive);
    return true;
}

}  // namespace dwl
