#include "fuzz/harnesses.h"

#include <algorithm>

#include "fakes/fake_platform.h"
#include "hotkeys/hotkey_settings.h"
#include "model/scramble.h"
#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"
#include "schedule/scheduler.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "settings/settings.h"
#include "ui/options/scenario_editor.h"
#include "ui/quickbar/quickbar.h"

namespace dwl::fuzz {
namespace {

using fakes::Journal;

std::string Text(const std::uint8_t* data, std::size_t size) {
    return std::string(reinterpret_cast<const char*>(data), size);
}

// Hand-overs of the scheduler, as texts.
struct Actions : IScenarioActions {
    void ShowAction(int code) override { calls.push_back(std::to_string(code)); }
    void ShowRunCloseAction(const std::string& field, bool oneTime) override {
        calls.push_back(field + (oneTime ? " once" : ""));
    }
    std::vector<std::string> calls;
};

// The scheduler over `text` at its minute on each day of a week from a Sunday.
std::string CheckScheduler(const std::string& text, const std::optional<ScenarioEntry>& entry) {
    OptionsForm form;
    form.cmdScen.AddItem(text);
    form.lstScen.AddItem(text);
    const auto time = ReadTimeOfDay(Split(text, ";").back());
    const int hour = entry ? entry->hour : time ? time->first : 9;
    const int minute = entry ? entry->minute : time ? time->second : 0;
    fakes::FakeClock clock(LocalTime{2026, 12, 5, 6, 0, 0, 0});
    Actions actions;
    Scheduler scheduler(form.cmdScen, form.lstScen, clock, actions);
    std::vector<std::string> expected;
    bool consumed = false;
    for (int day = 0; day < 7; ++day) {
        clock.now = {2026, 12, 6 + day, day, hour, minute, 30};
        scheduler.GTimer_Timer();
        if (!entry || consumed || !entry->IsDueOn(day)) continue;
        const bool once = entry->recurrence == Recurrence::Onetime;
        expected.push_back(entry->IsApplicationAction() ? entry->ActionField() + (once ? " once" : "")
                                                        : std::to_string(entry->ActionCode()));
        consumed = once;
    }
    if (actions.calls != expected) return "the scheduler runs the entry otherwise than it reads";
    if (form.lstScen.Count() != (consumed ? 0 : 1)) return "the scheduler kept or dropped the entry wrongly";
    return {};
}

// The editor loads `text`, shows exactly its values, keeps it on an Apply
// without an edit, and writes an edit as a whole entry.
std::string CheckEditor(const std::string& text, const std::optional<ScenarioEntry>& entry, bool use12Hour,
                        bool lockSupported) {
    OptionsForm form;
    form.FillActionLists(lockSupported);
    form.cmdScen.AddItem(text);
    form.lstScen.AddItem(text);
    form.ClearPendingChanges();
    TimeBox timeBox(form.txtTime, form.cmdPlus, form.cmdMin, form.lstTime);
    timeBox.Use12Hour = use12Hour;
    fakes::FakeClock clock(9, 41, "09:41:07");
    Journal journal;
    fakes::FakeDialogs dialogs(journal);
    ScenarioEditor editor(form, timeBox, clock, dialogs);
    editor.chooseApplicationToRun = [] { return false; };
    editor.pickApplicationToClose = [] {};
    form.cmdScen.SetListIndex(0);

    const bool editable = entry && (entry->action != kLockText || lockSupported);
    if (editor.SelectionEditable() != editable) return "the editor offers to edit an entry it cannot show, or not one it can";
    if (editable) {
        ScenarioEntry shown = *entry;
        shown.days = {};
        for (int i = 0; i < 7; ++i) shown.days[static_cast<size_t>(i)] = form.lstDays.Checked(i);
        if (form.cmdAction.Text() != entry->action || shown.days != entry->days ||
            form.cmdDuration.Text() != Split(entry->DurationText(), " ").front() ||
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

}  // namespace

std::string ScenarioFile(const std::uint8_t* data, std::size_t size) {
    const std::string text = Text(data, size);
    if (const auto read = ParseScenarioFile(text)) {
        if (ParseScenarioFile(FormatScenarioFile(*read)) != read) return "a file read does not read back equal";
    }
    // The input's lines as entries and application fields.
    ScenarioFileData made;
    const auto lines = Split(text, "\n");
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i % 3 == 2)
            made.applications.push_back({lines[i], lines[i - 1], lines[i - 2]});
        else
            made.scenarios.push_back(lines[i]);
    }
    if (ParseScenarioFile(FormatScenarioFile(made)) != made) return "a file written does not read back equal";
    return {};
}

std::string Entry(const std::uint8_t* data, std::size_t size) {
    if (size == 0) return {};
    const bool use12Hour = data[0] & 1;
    const bool lockSupported = data[0] & 2;
    const std::string text = Text(data + 1, size - 1);
    const auto entry = ParseScenarioEntry(text);
    if (entry) {
        for (bool form : {false, true})
            if (ParseScenarioEntry(FormatScenarioEntry(*entry, form)) != entry)
                return "an entry does not read back equal";
        for (const char* action : {kRunAppText, kCloseAppText})
            if (ApplicationNameIn(text, action) != (entry->action == action ? TrimBlanks(entry->application) : ""))
                return "the applications read another name than the entry holds";
    }
    if (auto failed = CheckScheduler(text, entry); !failed.empty()) return failed;
    return CheckEditor(text, entry, use12Hour, lockSupported);
}

std::string Loaders(const std::uint8_t* data, std::size_t size) {
    // Each line of the input is one stored value, in this order; a line
    // holding only "-" leaves the value missing.
    static const std::pair<const char*, const char*> kValues[] = {
        {"Options", "Password"},   {"Options", "PowerOff"},      {"Options", "Enabled"},       {"Options", "StartUp"},
        {"Options", "SysTray"},    {"CleanUp", "Temp"},          {"CleanUp", "NetCashe"},      {"CleanUp", "RecycleBin"},
        {"HotKeys", "Shutdown"},   {"HotKeys", "ShutdownMOD"},   {"HotKeys", "ShutdownVK"},    {"HotKeys", "Reboot"},
        {"HotKeys", "RebootMOD"},  {"HotKeys", "RebootVK"},      {"HotKeys", "LogOff"},        {"HotKeys", "LogOffMOD"},
        {"HotKeys", "LogOffVK"},   {"Quickbar", "Enabled"},      {"Quickbar", "AOT"},          {"Quickbar", "Confirmations"},
        {"Quickbar", "qbShutdown"}, {"Quickbar", "qbRestart"},   {"Quickbar", "qbLogoff"},     {"Quickbar", "qbSuspend"},
        {"Quickbar", "qbHibernate"}, {"Quickbar", "qbLock"},     {"Quickbar", "qbConfig"},     {"Quickbar", "qbAOT"},
        {"Quickbar", "Horizontally"}, {"Quickbar", "Vertically"}, {"Quickbar", "Large"},      {"Quickbar", "Small"},
        {"Quickbar", "PosX"},      {"Quickbar", "PosY"},
    };
    fakes::FakeRegistry store;
    const auto lines = Split(Text(data, size), "\n");
    for (size_t i = 0; i < lines.size() && i < std::size(kValues); ++i)
        if (lines[i] != "-")
            store.values[{Hive::CurrentUser, std::string("SOFTWARE\\Orbelle\\DWL\\") + kValues[i].first,
                          kValues[i].second}] = lines[i];
    Journal journal;
    fakes::FakeDialogs dialogs(journal);
    MyRegistry registry(store, dialogs, "Duskwell");

    BoxSettings boxes;
    std::string password;
    LoadOptions(registry, boxes, password);
    LoadCleanUpOptions(registry, boxes);
    for (int box : {boxes.PowerOff, boxes.Enabled, boxes.StartUp, boxes.SysTray, boxes.Temp, boxes.NetCashe,
                    boxes.RecycleBin})
        if (box != 0 && box != 1) return "a box loads as neither 0 nor 1";
    const std::string stored = lines.empty() || lines[0] == "-" ? "" : lines[0];
    if (stored.size() <= MyRegistry::kMaxReadLength && password != UnscrambleText(stored, kPasswordKey))
        return "the password does not load as stored";

    HotkeyValues keys;
    int traced = 0;
    LoadHotkeySettings(registry, keys, [&](const std::string&) { ++traced; });
    for (const auto& [text, mod, vk] : {std::tie(keys.shutdownText, keys.shutdownMod, keys.shutdownVk),
                                        std::tie(keys.rebootText, keys.rebootMod, keys.rebootVk),
                                        std::tie(keys.logOffText, keys.logOffMod, keys.logOffVk)}) {
        if (mod.empty() && vk.empty() && text.empty()) continue;
        if (!ValidHotkey(mod, vk)) return "a hotkey loads with values the program never writes";
        const int m = std::stoi(mod), k = std::stoi(vk);
        if (text != HotkeyText(m, k) && text != HotkeyText(m, k, true)) return "a hotkey's text is not its values'";
    }
    if (traced > 3) return "more than one trace line per hotkey";

    QuickbarSettings quickbar;
    LoadQuickbarSettings(registry, quickbar);
    for (int box : quickbar.Buttons)
        if (box != 0 && box != 1) return "a Quickbar button loads as neither 0 nor 1";
    for (bool lockSupported : {false, true}) {
        OptionsForm form;
        fakes::FakeQuickbarWindow window(journal);
        Quickbar bar(window, Quickbar::Services{form, dialogs, {}, {}, {}, [] { return false; }, {}, {}});
        journal.clear();
        bar.LoadSettings(quickbar, lockSupported);
        const bool noneStored = std::all_of(quickbar.Buttons.begin(), quickbar.Buttons.end(), [](int b) { return !b; });
        if (!noneStored && dialogs.shown.size() > 0) return "a stored set of buttons shows a message at start-up";
        const auto set = bar.StoredSettings().Buttons;
        if (std::all_of(set.begin(), set.end(), [](int b) { return !b; })) return "the Quickbar starts without buttons";
        dialogs.shown.clear();
    }
    return {};
}

}  // namespace dwl::fuzz
