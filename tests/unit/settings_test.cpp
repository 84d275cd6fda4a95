#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "settings/settings.h"
#include "ui/options/options_form.h"
#include "ui/quickbar/quickbar.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kOptions = "SOFTWARE\\Orbelle\\DWL\\Options";
constexpr const char* kCleanUp = "SOFTWARE\\Orbelle\\DWL\\CleanUp";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kPathKey = "SOFTWARE\\Orbelle\\DWL\\Run";
constexpr const char* kQuickbar = "SOFTWARE\\Orbelle\\DWL\\Quickbar";

// Each persisted box with its stored place and its first-start state.
struct Persisted {
    const char* key;
    const char* value;
    int BoxSettings::*box;
    int defaultState;
    bool written = true;  // the lock switch is only read
};
// clang-format off
const Persisted kPersisted[] = {
    {kOptions, "PowerOff", &BoxSettings::PowerOff, 0},
    {kOptions, "Enabled", &BoxSettings::Enabled, 0, false},
    {kOptions, "StartUp", &BoxSettings::StartUp, 1},
    {kOptions, "SysTray", &BoxSettings::SysTray, 1},
    {kCleanUp, "Temp", &BoxSettings::Temp, 0},
    {kCleanUp, "NetCashe", &BoxSettings::NetCashe, 0},
    {kCleanUp, "RecycleBin", &BoxSettings::RecycleBin, 0},
};
// clang-format on

class SettingsTest : public ::testing::Test {
protected:
    Journal journal;
    FakeDialogs dialogs{journal};
    FakeRegistry store;
    MyRegistry registry{store, dialogs, "Duskwell"};
    std::string password = "left over";

    void LoadAll(BoxSettings& boxes) {
        LoadOptions(registry, boxes, password);
        LoadCleanUpOptions(registry, boxes);
    }

    // The Quickbar and its boxes on the options window.
    FakeQuickbarWindow window{journal};
    OptionsForm form;
    // clang-format off
    Quickbar bar{window, Quickbar::Services{form, dialogs,
        [this](int code) { journal.push_back("exit " + std::to_string(code)); }, {}, {}, {}, {}, {}}};
    // clang-format on
};
using QuickbarTest = SettingsTest;

TEST_F(SettingsTest, EachBoxIsSavedUnderItsOwnNameButNeverTheLockSwitchAndDamagedStatesLoadAsTheDefault) {
    // One box checked at a time: a swapped or misspelt name shows up, and so
    // does a written lock switch, which would take Cancel off every countdown
    // after the next start although no password was ever set.
    for (const auto& checked : kPersisted) {
        SCOPED_TRACE(checked.value);
        store.values.clear();
        BoxSettings boxes;
        for (const auto& p : kPersisted) boxes.*p.box = &p == &checked ? 1 : 0;
        SaveOptions(registry, boxes);
        EXPECT_EQ(store.values.size(), std::size(kPersisted) - 1);
        for (const auto& p : kPersisted) {
            if (p.written)
                EXPECT_EQ((store.values[{Hive::CurrentUser, p.key, p.value}]), &p == &checked ? "1" : "0") << p.value;
            else
                EXPECT_FALSE(store.values.count({Hive::CurrentUser, p.key, p.value})) << p.value;
        }
        BoxSettings loaded;
        LoadAll(loaded);
        for (const auto& p : kPersisted) EXPECT_EQ(loaded.*p.box, p.written ? boxes.*p.box : p.defaultState) << p.value;
        // The state stored, or -1 where the default is expected.
        for (const auto& [stored, state] :
             {std::pair{"0", 0}, {" 1 ", 1}, {"", -1}, {"2", -1}, {"1x", -1}, {"99999999999", -1}}) {
            store.values[{Hive::CurrentUser, checked.key, checked.value}] = stored;
            BoxSettings again;
            LoadAll(again);
            EXPECT_EQ(again.*checked.box, state >= 0 ? state : checked.defaultState) << stored;
        }
    }
    EXPECT_FALSE(store.values.count({Hive::CurrentUser, kOptions, "Password"}));
}

TEST_F(SettingsTest, StartupEntryIsMachineWideWherePossibleElseTheUsersAndNeverBoth) {
    using Entry = std::optional<std::string>;
    const Entry none;
    const struct {
        const char* name;
        bool enable, machineLocked;  // a standard user cannot open the machine's Run key
        Entry path;                  // the installer's Path value
        Entry machine, user;         // the Run values before
        Entry machineAfter, userAfter;
        // clang-format off
    } cases[] = {
        {"enable keeps an existing entry", true, false, "C:\\new\\dwl.exe", "D:\\old\\dwl.exe", none, "D:\\old\\dwl.exe", none},
        {"and the user's own", true, false, "C:\\new\\dwl.exe", none, "D:\\old\\dwl.exe", none, "D:\\old\\dwl.exe"},
        {"enable copies the install path", true, false, "C:\\new\\dwl.exe", none, none, "C:\\new\\dwl.exe", none},
        {"enable without a path writes the program, quoted", true, false, none, none, none, "\"C:\\Program Files\\Duskwell\\dwl.exe\"", none},
        {"enable rewrites a literal False", true, false, "C:\\new\\dwl.exe", "False", none, "C:\\new\\dwl.exe", none},
        {"not elevated: the user's entry", true, true, "C:\\new\\dwl.exe", none, none, none, "C:\\new\\dwl.exe"},
        {"disable removes both entries", false, false, none, "C:\\dwl.exe", "C:\\dwl.exe", none, none},
        {"not elevated, the user's alone: nothing to tell", false, true, none, none, "C:\\dwl.exe", none, none},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        store.values.clear();
        store.denied.clear();
        if (c.machineLocked) store.denied.insert({Hive::LocalMachine, kRunKey});
        if (c.machine) store.values[{Hive::LocalMachine, kRunKey, "DWL"}] = *c.machine;
        if (c.user) store.values[{Hive::CurrentUser, kRunKey, "DWL"}] = *c.user;
        if (c.path) store.values[{Hive::LocalMachine, kPathKey, "Path"}] = *c.path;
        const auto before = store.values.size();
        EXPECT_EQ(SetStartupEntry(registry, c.enable, "C:\\Program Files\\Duskwell\\dwl.exe"), StartupOutcome::Done);
        EXPECT_EQ(store.ReadString(Hive::LocalMachine, kRunKey, "DWL"), c.machineAfter);
        EXPECT_EQ(store.ReadString(Hive::CurrentUser, kRunKey, "DWL"), c.userAfter);
        EXPECT_EQ(store.values.size(), before + !!c.machineAfter + !!c.userAfter - !!c.machine - !!c.user);
    }
    EXPECT_TRUE(dialogs.shown.empty());

    // One entry is no doubled start (the doubled one: see the program's test).
    store.denied.clear();
    EXPECT_FALSE(RemoveDoubledStartupEntry(registry));
    store.values[{Hive::CurrentUser, kRunKey, "DWL"}] = "\"C:\\dwl.exe\"";
    EXPECT_FALSE(RemoveDoubledStartupEntry(registry));
    EXPECT_TRUE(store.values.count({Hive::CurrentUser, kRunKey, "DWL"}));
}

TEST_F(SettingsTest, APasswordCountsOnlyWhenItReadsBackWholeElseThePreviousStays) {
    BoxSettings boxes;
    ASSERT_TRUE(SavePassword(registry, "old", ""));
    EXPECT_FALSE(SavePassword(registry, std::string(kMaxPasswordLength + 1, 'x'), "old"));  // read back as missing
    store.failValueWrites = true;  // written without a word, not stored
    EXPECT_FALSE(SavePassword(registry, "new", "old"));
    store.failValueWrites = false;
    LoadAll(boxes);
    EXPECT_EQ(password, "old");
    EXPECT_TRUE(SavePassword(registry, std::string(kMaxPasswordLength, 'x'), "old"));
    LoadAll(boxes);
    EXPECT_EQ(password, std::string(kMaxPasswordLength, 'x'));
    EXPECT_EQ(journal, Journal{});
}

TEST_F(QuickbarTest, ConfirmsOnlyShutdownRestartAndLogOffWhenAsked) {
    // clang-format off
    struct Case { int index, confirm, answer; Journal expected; };
    const Case cases[] = {
        {0, 1, IdNo, {"message Are you sure you want to shutdown?"}},
        {0, 1, IdYes, {"message Are you sure you want to shutdown?", "exit 1"}},
        {1, 1, IdYes, {"message Are you sure you want to restart?", "exit 2"}},
        {2, 1, IdYes, {"message Are you sure you want to log off?", "exit 0"}},
        {2, 0, IdNo, {"exit 0"}},
        {3, 1, IdNo, {"exit 10"}},
    };
    // clang-format on
    for (const Case& c : cases) {
        for (auto* set : {&bar.small, &bar.large}) {
            journal.clear();
            dialogs.shown.clear();
            form.chkQBConfirm.SetValue(c.confirm);
            dialogs.answer = c.answer;
            (*set)[static_cast<size_t>(c.index)].Click();
            EXPECT_EQ(journal, c.expected) << c.index;
            for (const auto& box : dialogs.shown)
                EXPECT_EQ(box.caption + " " + std::to_string(box.style), "Action confirmation. 36");
        }
    }
}

TEST_F(QuickbarTest, ClicksQueuedWhileTheMachineSleptAreDroppedWhenItWakes) {
    window.now = 4000000;  // Suspend returns when the machine wakes
    for (unsigned clickedAt : {1000u, 1200u, 4000100u}) {
        window.inputTime = clickedAt;
        bar.small[3].Click();
    }
    EXPECT_EQ(journal, (Journal{"exit 10", "exit 10"}));
}

TEST_F(QuickbarTest, LoadsStoredValuesWithDefaultsAndTheLockRule) {
    const auto put = [&](const char* v, const char* text) { store.values[{Hive::CurrentUser, kQuickbar, v}] = text; };
    QuickbarSettings s;
    LoadQuickbarSettings(registry, s);
    bar.LoadSettings(s, true);
    EXPECT_EQ(form.chkQBar.Value(), 0);
    EXPECT_EQ(form.chkQBAOT2.Value() + form.chkQBConfirm.Value(), 2);
    EXPECT_TRUE(form.optQBLarge.Value() && form.optQBHorizontal.Value());
    EXPECT_EQ(journal, Journal{"place quickbar 0 0"});

    // Letters load as the default; both placements stored: the later wins.
    for (const char* v : {"qbShutdown", "qbRestart", "qbLogoff", "qbSuspend", "qbHibernate", "qbConfig", "qbAOT"})
        put(v, "0");
    put("qbLock", "yes");
    put("Horizontally", "1");
    put("Vertically", "-1");
    put("PosX", "1234.6");
    put("PosY", " 99 ");
    LoadQuickbarSettings(registry, s);
    journal.clear();
    bar.LoadSettings(s, false);
    // Lock alone where locking is not offered: the default buttons, no message.
    EXPECT_EQ(journal, (Journal{"place quickbar 1235 99"}));
    EXPECT_EQ(form.chkQBLock.Value(), 0);
    EXPECT_EQ(form.chkQBShutdown.Value() + form.chkQBConfig.Value() + form.chkQBAOT.Value(), 3);
    EXPECT_FALSE(form.chkQBLock.Enabled());
    EXPECT_TRUE(form.optQBVertical.Value() && !form.optQBHorizontal.Value());

    // Written back as it was read.
    bar.OnMoved(-300, 40);
    bar.OnDragEnded();
    SaveQuickbarSettings(registry, bar.StoredSettings());
    QuickbarSettings again;
    LoadQuickbarSettings(registry, again);
    EXPECT_EQ(again.Buttons, (std::array<int, 8>{1, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(std::tuple(again.Vertically, again.Horizontally, again.PosX, again.PosY),
              std::tuple(true, false, -300, 40));

    // Numbers as any writer may have stored them; anything else is no position.
    const std::pair<const char*, int> numbers[] = {{"-1.5e3", -1500}, {".25E+2", 25}, {"7.", 7},    {"1e400", 0},
                                                   {"+5", 0},         {"1e", 0},      {"1.2.3", 0}, {"0x10", 0},
                                                   {"-", 0},          {"nan", 0}};
    for (auto [text, twips] : numbers) {
        put("PosX", text);
        LoadQuickbarSettings(registry, again);
        EXPECT_EQ(again.PosX, twips) << text;
    }
}

}  // namespace
}  // namespace dwl
