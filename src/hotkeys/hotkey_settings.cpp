#include "hotkeys/hotkey_settings.h"

#include <charconv>
#include <cstdint>
#include <utility>

#include "platform/hotkeys.h"
#include "settings/my_registry.h"

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

std::optional<long> HotkeyNumber(const std::string& text) {
    size_t begin = text.find_first_not_of(' ');
    size_t end = text.find_last_not_of(' ');
    if (begin == std::string::npos) return std::nullopt;
    long number = 0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end + 1;
    const auto [ptr, ec] = std::from_chars(first, last, number);
    if (ec != std::errc() || ptr != last) return std::nullopt;
    return number;
}

void LoadHotkeySettings(MyRegistry& registry, HotkeyValues& values) {
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    values.shutdownText = Read(registry, "Shutdown");
    values.shutdownMod = Read(registry, "ShutdownMOD");
    values.shutdownVk = Read(registry, "ShutdownVK");
    values.rebootText = Read(registry, "Reboot");
    values.rebootMod = Read(registry, "RebootMOD");
    values.rebootVk = Read(registry, "RebootVK");
    values.logOffText = Read(registry, "LogOff");
    values.logOffMod = Read(registry, "LogOffMOD");
    values.logOffVk = Read(registry, "LogOffVK");
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
        if (key.mod.empty() || key.vk.empty()) continue;
        const auto mod = HotkeyNumber(key.mod);
        const auto vk = HotkeyNumber(key.vk);
        if (!mod || !vk || *mod < 0 || *vk < 0) continue;  // a damaged value registers nothing
        hotkeys.Register(key.id, static_cast<unsigned>(*mod), static_cast<unsigned>(*vk));
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
