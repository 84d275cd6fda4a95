#pragma once
#include <string>

namespace dwl {

class MyRegistry;

// The check-box settings under HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL, each
// stored as "0" or "1" under its own name, with its default.
struct BoxSettings {
    int PowerOff = 0, Enabled = 0, StartUp = 1, SysTray = 1;  // section "Options"
    int Temp = 0, NetCashe = 0, RecycleBin = 0;               // section "CleanUp"
};

// Loads the "Options" section: its boxes and the configuration password
// ("Password", empty). A stored state other than the number 0 or 1 (damaged
// or hand-edited) loads as the value's default.
void LoadOptions(MyRegistry& registry, BoxSettings& boxes, std::string& configPassword);

// Loads the "CleanUp" section, as LoadOptions does.
void LoadCleanUpOptions(MyRegistry& registry, BoxSettings& boxes);

// Writes the boxes back into "Options" and "CleanUp". Not the password, and
// not the lock switch "Enabled": the lock decides when that one is written.
// Each value whose key can't be opened shows the registry's error message.
void SaveOptions(MyRegistry& registry, const BoxSettings& boxes);

// The longest password the registry gives back whole.
inline constexpr size_t kMaxPasswordLength = 255;

// "Options"/"Password", scrambled. True only when the stored value reads back
// as written; otherwise `previous` is stored again and the result is false.
bool SavePassword(MyRegistry& registry, const std::string& configPassword, const std::string& previous);
// And "Options"/"Enabled", the lock switch.
void SaveLockSwitch(MyRegistry& registry, bool locked);

// Adds or removes the value "DWL" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run. Adding
// copies the "Path" value that an installer left under
// HKEY_LOCAL_MACHINE\SOFTWARE\Orbelle\DWL\Run, or, without one, writes
// `programPath` (the running dwl.exe) in quotes; it leaves an existing entry
// alone. A stored "False" counts as no entry. The registry is left targeting
// HKEY_LOCAL_MACHINE.
void SetStartupEntry(MyRegistry& registry, bool enable, const std::string& programPath);

}  // namespace dwl
