#pragma once
#include <string>

namespace dwl {

class MyRegistry;

// The check-box settings under HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL, each
// stored as "0" or "1" under its own name, with its default.
// The minutes "Warn before a scheduled action:" offers, 0 being off.
inline constexpr int kWarnMinuteChoices[] = {0, 1, 2, 5, 10, 15};
inline constexpr int kDefaultWarnMinutes = 5;

struct BoxSettings {
    int PowerOff = 0, Enabled = 0, StartUp = 1, SysTray = 1;  // section "Options"
    int WarnMinutes = kDefaultWarnMinutes;                    // "Options", one of kWarnMinuteChoices
    int WakeToRun = 0;                                        // "Options"
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

// The administrator's one-time scenarios that have run for this user: values
// named after their entries in the section "PolicyDone".
bool PolicyScenarioUsedUp(MyRegistry& registry, const std::string& entry);
// False when it could not be written.
bool MarkPolicyScenarioUsedUp(MyRegistry& registry, const std::string& entry);

// The startup entry: the value "DWL" under
// SOFTWARE\Microsoft\Windows\CurrentVersion\Run, machine-wide under
// HKEY_LOCAL_MACHINE where the program may write there (elevated, or on
// systems without UAC), else the user's own under HKEY_CURRENT_USER.
//
// Adding writes the "Path" value that an installer left under
// HKEY_LOCAL_MACHINE\SOFTWARE\Orbelle\DWL\Run, or, without one, `programPath`
// (the running dwl.exe) in quotes. It writes nothing while either entry
// exists, so Windows never starts the program twice. Removing removes both.
// A stored "False" counts as no entry. An empty `programPath` (one the
// registry's text cannot hold) writes nothing where the installer's is missing.
enum class StartupOutcome { Done, MachineEntryStays, NoProgramPath };
StartupOutcome SetStartupEntry(MyRegistry& registry, bool enable, const std::string& programPath);

// When both entries exist (an installer added the machine's to a user's
// own), Windows starts the program twice at logon. Removes the user's entry
// and gives true then.
bool RemoveDoubledStartupEntry(MyRegistry& registry);

}  // namespace dwl
