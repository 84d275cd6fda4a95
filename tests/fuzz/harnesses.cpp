#include "fuzz/harnesses.h"

#include <algorithm>

#include "fakes/fake_platform.h"
#include "hotkeys/hotkey_settings.h"
#include "model/scramble.h"
#include "model/text.h"
#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "settings/settings.h"

namespace dwl::fuzz {
namespace {

std::string Text(const std::uint8_t* data, std::size_t size) { return {reinterpret_cast<const char*>(data), size}; }

}  // namespace

std::string ScenarioFile(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    if (const auto read = ParseScenarioFile(text); read && ParseScenarioFile(FormatScenarioFile(*read)) != read)
        return "a file read does not read back equal";
    // The input's lines as entries, every third with the two before it an application.
    ScenarioFileData made;
    const auto lines = Split(text, "\n");
    for (size_t i = 0; i < lines.size(); ++i) {
        made.scenarios.push_back(lines[i]);
        if (i % 3 == 2) made.applications.push_back({lines[i], lines[i - 1], lines[i - 2]});
    }
    if (ParseScenarioFile(FormatScenarioFile(made)) != made) return "a file written does not read back equal";
    return {};
}

std::string Entry(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    const auto entry = ParseScenarioEntry(text);
    if (!entry) return {};
    for (bool use12Hour : {false, true})
        if (ParseScenarioEntry(FormatScenarioEntry(*entry, use12Hour)) != entry)
            return "an entry does not read back equal";
    for (const char* action : {kRunAppText, kCloseAppText})
        if (ApplicationNameIn(text, action) != (entry->action == action ? TrimBlanks(entry->application) : ""))
            return "the applications read another name than the entry holds";
    return {};
}

std::string Loaders(const std::uint8_t* data, std::size_t size) {
    // Each line of the input is one stored value, in this order; "-" leaves it missing.
    static const std::pair<const char*, const char*> kSections[] = {
        {"Options", "Password PowerOff Enabled StartUp SysTray"},
        {"CleanUp", "Temp NetCashe RecycleBin"},
        {"HotKeys", "Shutdown ShutdownMOD ShutdownVK Reboot RebootMOD RebootVK LogOff LogOffMOD LogOffVK"},
        {"Quickbar",
         "Enabled AOT Confirmations qbShutdown qbRestart qbLogoff qbSuspend qbHibernate qbLock qbConfig "
         "qbAOT Horizontally Vertically Large Small PosX PosY"},
    };
    fakes::FakeRegistry store;
    const auto lines = Split(Text(data, size), "\n");
    size_t line = 0;
    for (const auto& [section, names] : kSections)
        for (const std::string& name : Split(names, " "))
            if (line < lines.size() && lines[line++] != "-")
                store.values[{Hive::CurrentUser, std::string("SOFTWARE\\Orbelle\\DWL\\") + section, name}] =
                    lines[line - 1];
    fakes::Journal journal;
    fakes::FakeDialogs dialogs(journal);
    MyRegistry registry(store, dialogs, "Duskwell");

    BoxSettings b;
    std::string password;
    LoadOptions(registry, b, password);
    LoadCleanUpOptions(registry, b);
    QuickbarSettings quickbar;
    LoadQuickbarSettings(registry, quickbar);
    std::vector<int> boxes{b.PowerOff, b.Enabled, b.StartUp, b.SysTray, b.Temp, b.NetCashe, b.RecycleBin};
    boxes.insert(boxes.end(), quickbar.Buttons.begin(), quickbar.Buttons.end());
    if (!std::all_of(boxes.begin(), boxes.end(), [](int v) { return v == 0 || v == 1; }))
        return "a box or a Quickbar button loads as neither 0 nor 1";
    const std::string stored = lines[0] == "-" ? "" : lines[0];
    if (stored.size() <= MyRegistry::kMaxReadLength && password != UnscrambleText(stored, kPasswordKey))
        return "the password does not load as stored";

    HotkeyValues keys;
    LoadHotkeySettings(registry, keys);
    for (const auto& [text, mod, vk] : {std::tie(keys.shutdownText, keys.shutdownMod, keys.shutdownVk),
                                        std::tie(keys.rebootText, keys.rebootMod, keys.rebootVk),
                                        std::tie(keys.logOffText, keys.logOffMod, keys.logOffVk)}) {
        if (mod.empty() && vk.empty() && text.empty()) continue;
        if (!ValidHotkey(mod, vk)) return "a hotkey loads with values the program never writes";
        if (text != HotkeyText(std::stoi(mod), std::stoi(vk)) &&
            text != HotkeyText(std::stoi(mod), std::stoi(vk), true))
            return "a hotkey's text is not made from its values";
    }

    return {};
}

}  // namespace dwl::fuzz
