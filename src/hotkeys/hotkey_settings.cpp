#include "hotkeys/hotkey_settings.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "model/text.h"
#include "platform/hotkeys.h"
#include "settings/registry_access.h"

namespace dwl {
namespace {

std::string Read(MyRegistry& registry, const char* value) { return registry.LoadFromRegistry("HotKeys", value, ""); }

bool Matches(const std::string& mod, const std::string& vk, intptr_t lParam) {
    const auto m = HotkeyNumber(mod);
    const auto k = HotkeyNumber(vk);
    return m && k && *m == LoWord(lParam) && *k == HiWord(lParam);
}

}  // namespace

int16_t LoWord(intptr_t value) { return static_cast<int16_t>(static_cast<uint32_t>(value) & 0xFFFF); }
int16_t HiWord(intptr_t value) { return static_cast<int16_t>((static_cast<uint32_t>(value) >> 16) & 0xFFFF); }

std::optional<int> HotkeyNumber(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return std::nullopt;
    long long number = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    const auto [ptr, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    // The 16-bit words of a hotkey message.
    return IntWithin(number, 0, 0xFFFF);
}

bool CheckKeyCode(int KeyCode) {
    return (KeyCode >= 'A' && KeyCode <= 'Z') || (KeyCode >= '0' && KeyCode <= '9') || KeyCode == 45;
}

bool ValidHotkey(const std::string& mod, const std::string& vk) {
    const auto m = HotkeyNumber(mod);
    const auto k = HotkeyNumber(vk);
    return m && k && mod == std::to_string(*m) && vk == std::to_string(*k) && *m >= 1 && *m <= 7 && CheckKeyCode(*k);
}

std::string HotkeyText(int modifiers, int keyCode, bool pressed) {
    // A bare key stands for Ctrl+Shift and is written as one literal; Ctrl
    // and Shift pressed together give two blanks between them.
    if (modifiers == 6 && !pressed) return " Ctrl + Shift + " + std::string(1, static_cast<char>(keyCode));
    std::string text;
    if (modifiers & 2) text += " Ctrl + ";
    if (modifiers & 4) text += " Shift + ";
    if (modifiers & 1) text += " Alt + ";
    return text + static_cast<char>(keyCode);
}

void LoadHotkeySettings(MyRegistry& registry, HotkeyValues& values,
                        const std::function<void(const std::string&)>& trace) {
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    const struct {
        const char* name;
        std::string& text;
        std::string& mod;
        std::string& vk;
    } keys[] = {
        {"Shutdown", values.shutdownText, values.shutdownMod, values.shutdownVk},
        {"Reboot", values.rebootText, values.rebootMod, values.rebootVk},
        {"LogOff", values.logOffText, values.logOffMod, values.logOffVk},
    };
    for (const auto& key : keys) {
        const std::string name = key.name;
        const std::string text = Read(registry, key.name);
        key.mod = Read(registry, (name + "MOD").c_str());
        key.vk = Read(registry, (name + "VK").c_str());
        if (ValidHotkey(key.mod, key.vk)) {
            const int mod = *HotkeyNumber(key.mod);
            const int vk = *HotkeyNumber(key.vk);
            key.text = text == HotkeyText(mod, vk, true) ? text : HotkeyText(mod, vk);
            continue;
        }
        if ((!text.empty() || !key.mod.empty() || !key.vk.empty()) && trace)
            trace("dwl: hotkey " + name + " not used: stored modifier \"" + key.mod + "\", key \"" + key.vk + "\"");
        key.text.clear();
        key.mod.clear();
        key.vk.clear();
    }
}

void SaveHotkeySettings(MyRegistry& registry, const HotkeyValues& values) {
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    const std::pair<const char*, const std::string&> stored[] = {
        {"Shutdown", values.shutdownText}, {"ShutdownMOD", values.shutdownMod}, {"ShutdownVK", values.shutdownVk},
        {"Reboot", values.rebootText},     {"RebootMOD", values.rebootMod},     {"RebootVK", values.rebootVk},
        {"LogOff", values.logOffText},     {"LogOffMOD", values.logOffMod},     {"LogOffVK", values.logOffVk},
    };
    // The registry says so once when the key cannot be written; the rest would fail alike.
    for (const auto& [name, value] : stored)
        if (!registry.SaveToRegistry("HotKeys", name, value)) return;
}

void UnregisterUserHotkeys(IHotkeys& hotkeys) {
    for (int id : {HotkeyShutdown, HotkeyReboot, HotkeyLogOff}) hotkeys.Unregister(id);
}

void RegisterUserHotkeys(IHotkeys& hotkeys, const HotkeyValues& values) {
    const struct {
        int id;
        const std::string& mod;
        const std::string& vk;
    } keys[] = {
        {HotkeyShutdown, values.shutdownMod, values.shutdownVk},
        {HotkeyReboot, values.rebootMod, values.rebootVk},
        {HotkeyLogOff, values.logOffMod, values.logOffVk},
    };
    for (const auto& key : keys) {
        if (!ValidHotkey(key.mod, key.vk)) continue;  // not set, or not a combination the program makes
        hotkeys.Register(key.id, static_cast<unsigned>(*HotkeyNumber(key.mod)),
                         static_cast<unsigned>(*HotkeyNumber(key.vk)));
    }
}

std::vector<HotkeyCommand> DecodeHotkey(const HotkeyValues& values, uintptr_t wParam, intptr_t lParam) {
    std::vector<HotkeyCommand> commands;
    if (wParam == HotkeyShutdown && Matches(values.shutdownMod, values.shutdownVk, lParam))
        commands.push_back(HotkeyCommand::Shutdown);
    if (wParam == HotkeyReboot && Matches(values.rebootMod, values.rebootVk, lParam))
        commands.push_back(HotkeyCommand::Reboot);
    if (wParam == HotkeyLogOff && Matches(values.logOffMod, values.logOffVk, lParam))
        commands.push_back(HotkeyCommand::LogOff);
    if (wParam == HotkeyShowOptions && HiWord(lParam) == static_cast<int16_t>(kShowOptionsKey) &&
        LoWord(lParam) == static_cast<int16_t>(kShowOptionsModifiers))
        commands.push_back(HotkeyCommand::ShowOptions);
    return commands;
}

}  // namespace dwl
