#include "fuzz/harnesses.h"

#include <algorithm>

#include "fakes/fake_platform.h"
#include "hotkeys/hotkey_settings.h"
#include "model/scramble.h"
#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_file.h"
#include "schedule/scheduler.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "settings/settings.h"
#include "ui/options/scenario_editor.h"

namespace dwl::fuzz {
namespace {

std::string Text(const std::uint8_t* data, std::size_t size) { return {reinterpret_cast<const char*>(data), size}; }

struct Actions : IScenarioActions {
    void ShowAction(int code) override { calls.push_back(std::to_string(code)); }
    void ShowRunCloseAction(const std::string& field, bool once) override {
        calls.push_back(field + (once ? "!" : ""));
    }
    std::vector<std::string> calls;
};

// The scheduler at the entry's minute on each day of a week from a Sunday.
std::string CheckScheduler(const std::string& text, const std::optional<ScenarioEntry>& entry) {
    OptionsForm form;
    form.cmdScen.AddItem(text);
    form.lstScen.AddItem(text);
    const auto time = ReadTimeOfDay(Split(text, ";").back());
    const auto [hour, minute] = entry ? std::pair(entry->hour, entry->minute) : time.value_or(std::pair(9, 0));
    fakes::FakeClock clock(LocalTime{2026, 12, 5, 6, 0, 0, 0});
    Actions actions;
    Scheduler scheduler(form.cmdScen, form.lstScen, clock, actions);
    std::vector<std::string> expected;
    bool consumed = false;
    for (int day = 0; day < 7; ++day) {
        clock.now = {2026, 12, 6 + day, day, hour, minute, 30};
        scheduler.GTimer_Timer();
        if (!entry || consumed || !entry->IsDueOn(day)) continue;
        consumed = entry->recurrence == Recurrence::Onetime;
        expected.push_back(entry->IsApplicationAction() ? entry->ActionField() + (consumed ? "!" : "")
                                                        : std::to_string(entry->ActionCode()));
    }
    if (actions.calls != expected || form.lstScen.Count() != (consumed ? 0 : 1))
        return "the scheduler runs the entry otherwise than it reads";
    return {};
}

// The editor shows exactly the entry, keeps it on an Apply without an edit
// and writes an edit of its minutes as a whole entry.
std::string CheckEditor(const std::string& text, const std::optional<ScenarioEntry>& entry, bool use12Hour,
                        bool lockSupported) {
    OptionsForm form;
    form.FillActionLists(lockSupported);
    form.cmdScen.AddItem(text);
    form.lstScen.AddItem(text);
    TimeBox timeBox(form.txtTime, form.cmdPlus, form.cmdMin, form.lstTime);
    timeBox.Use12Hour = use12Hour;
    fakes::FakeClock clock(9, 41, "09:41:07");
    fakes::Journal journal;
    fakes::FakeDialogs dialogs(journal);
    ScenarioEditor editor(form, timeBox, clock, dialogs);
    form.cmdScen.SetListIndex(0);

    const bool editable = entry && (entry->action != kLockText || lockSupported);
    if (editor.SelectionEditable() != editable) return "the editor edits an entry it cannot show, or not one it can";
    if (editable) {
        ScenarioEntry shown = *entry;
        for (int i = 0; i < 7; ++i) shown.days[static_cast<size_t>(i)] = form.lstDays.Checked(i);
        if (form.cmdAction.Text() != entry->action || shown.days != entry->days ||
            form.cmdDuration.Text() != Split(entry->DurationText(), " ")[0] ||
            form.txtTime.Text() != TimeText(entry->hour, entry->minute, use12Hour))
            return "the editor shows other values than the entry holds";
    }
    form.ScenariosChanged = true;
    editor.ApplyScenarioStep();
    if (form.lstScen.Items() != std::vector<std::string>{text}) return "the editor rewrote an entry nobody changed";
    if (!editable) return {};
    timeBox.TimePart = "n";
    form.cmdPlus.Click();
    editor.SelectedApplication = entry->application;
    editor.ApplyScenarioStep();
    ScenarioEntry changed = *entry;
    changed.minute = (changed.minute + 1) % 60;
    if (form.lstScen.Count() != 1 || ParseScenarioEntry(form.lstScen.Item(0)) != changed)
        return "the editor wrote another entry than the one edited";
    return {};
}

bool Box(int value) { return value == 0 || value == 1; }

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
    if (size == 0) return {};
    const std::string text = Text(data + 1, size - 1);
    const auto entry = ParseScenarioEntry(text);
    if (entry) {
        for (bool use12Hour : {false, true})
            if (ParseScenarioEntry(FormatScenarioEntry(*entry, use12Hour)) != entry)
                return "an entry does not read back equal";
        for (const char* action : {kRunAppText, kCloseAppText})
            if (ApplicationNameIn(text, action) != (entry->action == action ? TrimBlanks(entry->application) : ""))
                return "the applications read another name than the entry holds";
    }
    if (auto failed = CheckScheduler(text, entry); !failed.empty()) return failed;
    return CheckEditor(text, entry, data[0] & 1, data[0] & 2);
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
    if (!Box(b.PowerOff) || !Box(b.Enabled) || !Box(b.StartUp) || !Box(b.SysTray) || !Box(b.Temp) || !Box(b.NetCashe) ||
        !Box(b.RecycleBin))
        return "a box loads as neither 0 nor 1";
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

    QuickbarSettings quickbar;
    LoadQuickbarSettings(registry, quickbar);
    if (!std::all_of(quickbar.Buttons.begin(), quickbar.Buttons.end(), Box)) return "a Quickbar button is not 0 or 1";
    const bool noneStored = std::all_of(quickbar.Buttons.begin(), quickbar.Buttons.end(), [](int v) { return !v; });
    for (bool lockSupported : {false, true}) {
        OptionsForm form;
        fakes::FakeQuickbarWindow window(journal);
        Quickbar bar(window, Quickbar::Services{form, dialogs, {}, {}, {}, [] { return false; }, {}, {}});
        bar.LoadSettings(quickbar, lockSupported);
        const auto set = bar.StoredSettings().Buttons;
        if (std::none_of(set.begin(), set.end(), [](int v) { return v; })) return "the Quickbar starts without buttons";
        if (!noneStored && !dialogs.shown.empty()) return "a stored set of buttons shows a message at start-up";
    }
    return {};
}

}  // namespace dwl::fuzz
