#pragma once
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace dwl {

class MyRegistry;
class IHotkeys;

// Hotkey ids registered on the options window.
enum HotkeyId : int { HotkeyShutdown = 0, HotkeyReboot = 1, HotkeyLogOff = 2, HotkeyShowOptions = 3 };

inline constexpr unsigned kShowOptionsModifiers = 7;  // Ctrl+Shift+Alt
inline constexpr unsigned kShowOptionsKey = 0x50;     // P

// The stored texts, modifier and key values of the three user hotkeys.
struct HotkeyValues {
    std::string shutdownMod, shutdownVk;
    std::string rebootMod, rebootVk;
    std::string logOffMod, logOffVk;
    std::string shutdownText, rebootText, logOffText;
};

// Whether a key can make a hotkey: the letters, the digits and Insert.
bool CheckKeyCode(int KeyCode);

// Whether a stored modifier and key are what the program writes: Alt, Ctrl
// and Shift together (1 to 7) and a key CheckKeyCode takes, as decimal numbers.
bool ValidHotkey(const std::string& mod, const std::string& vk);

// The box's text of a combination: " Ctrl + Shift + S", " Alt + 7", ...
// Ctrl+Shift is written " Ctrl +  Shift + " when `pressed` so, and as one
// literal when it stands for a bare key.
std::string HotkeyText(int modifiers, int keyCode, bool pressed = false);

// Reads the "HotKeys" section of HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL.
// Missing values read as empty texts. A hotkey whose values the program
// would not have written is left empty, with one line to `trace`; the texts
// are rebuilt from the values, not taken as stored.
void LoadHotkeySettings(MyRegistry& registry, HotkeyValues& values,
                        const std::function<void(const std::string&)>& trace = {});

// Writes the nine "HotKeys" values, texts first in each group of three.
void SaveHotkeySettings(MyRegistry& registry, const HotkeyValues& values);

// Withdraws ids 0 to 2; id 3 stays.
void UnregisterUserHotkeys(IHotkeys& hotkeys);

// Registers ids 0 to 2 whose modifier and key are both set (and are numbers).
void RegisterUserHotkeys(IHotkeys& hotkeys, const HotkeyValues& values);

// What a WM_HOTKEY asks for. Each of the four tests is made on its own.
enum class HotkeyCommand { Shutdown, Reboot, LogOff, ShowOptions };
std::vector<HotkeyCommand> DecodeHotkey(const HotkeyValues& values, uintptr_t wParam, intptr_t lParam);

// The low and high 16 bits of a WM_HOTKEY's lParam: modifiers and key.
int16_t LoWord(intptr_t value);
int16_t HiWord(intptr_t value);

// A stored value as a number; nothing when empty, not a decimal number or
// outside 0 to 0xFFFF.
std::optional<int> HotkeyNumber(const std::string& text);

}  // namespace dwl
