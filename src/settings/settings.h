#pragma once
#include <string>

namespace dwl {

class MyRegistry;
class OptionsForm;

// Settings under HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL. Check-box states are
// stored as "0" and "1".
//
// Section "Options": "Password" (empty), "PowerOff" -> chkPower (0),
// "Enabled" -> chkPassword (0), "StartUp" -> chkStartup (1),
// "SysTray" -> chkTray (1).
// Section "CleanUp": "Temp" -> chkCleanTemp, "NetCashe" -> chkCleanNetCashe,
// "RecycleBin" -> chkCleanRecycleBin (all 0).
//
// Setting a box runs its change handling as a click would; the caller resets
// Apply and the change flags after loading.

// Loads the "Options" section into the General and Scenarios page boxes and
// the configuration password. A stored state other than the number 0 or 1
// (damaged or hand-edited) loads as the value's default.
void LoadOptions(MyRegistry& registry, OptionsForm& form, std::string& configPassword);

// Loads the "CleanUp" section into the Clean Up page boxes, as LoadOptions does.
void LoadCleanUpOptions(MyRegistry& registry, OptionsForm& form);

// Writes the boxes back into "Options" and "CleanUp". Not the password, and
// not the lock switch "Enabled": that one belongs with the password, which is
// set elsewhere. Run on OK/Apply while options are marked changed. Each value
// whose key can't be opened shows the registry's error message.
void SaveOptions(MyRegistry& registry, const OptionsForm& form);

// Adds or removes the value "DWL" under
// HKEY_LOCAL_MACHINE\SOFTWARE\Microsoft\Windows\CurrentVersion\Run. Adding
// copies the "Path" value that an installer left under
// HKEY_LOCAL_MACHINE\SOFTWARE\Orbelle\DWL\Run, or, without one, writes
// `programPath` (the running dwl.exe) in quotes; it leaves an existing entry
// alone. A stored "False" counts as no entry. The registry is left targeting
// HKEY_LOCAL_MACHINE.
void SetStartupEntry(MyRegistry& registry, bool enable, const std::string& programPath);

} // namespace dwl
