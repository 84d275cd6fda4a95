#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "model/scramble.h"
#include "settings/policy.h"
#include "settings/registry_access.h"
#include "settings/settings.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kOptions = "SOFTWARE\\Orbelle\\DWL\\Options";
constexpr const char* kCleanUp = "SOFTWARE\\Orbelle\\DWL\\CleanUp";
constexpr const char* kRunKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kPathKey = "SOFTWARE\\Orbelle\\DWL\\Run";

// Each persisted box with its stored place and its first-start state; the lock switch is only read.
// clang-format off
struct Persisted { const char *key, *value; int BoxSettings::*box; int defaultState; bool written = true; };
const Persisted kPersisted[] = {
    {kOptions, "PowerOff", &BoxSettings::PowerOff, 0},
    {kOptions, "Enabled", &BoxSettings::Enabled, 0, false},
    {kOptions, "StartUp", &BoxSettings::StartUp, 1},
    {kOptions, "SysTray", &BoxSettings::SysTray, 1},
    {kOptions, "WakeToRun", &BoxSettings::WakeToRun, 0},
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
};

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
        EXPECT_EQ(store.values.size(), std::size(kPersisted));  // the lock switch not, "WarnMinutes" too
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

    // The warning's minutes: one of the offered choices, else the default 5.
    for (const auto& [stored, minutes] : {std::pair{"10", 10}, {" 0 ", 0}, {"3", 5}, {"-1", 5}, {"15m", 5}}) {
        store.values[{Hive::CurrentUser, kOptions, "WarnMinutes"}] = stored;
        BoxSettings loaded;
        LoadAll(loaded);
        EXPECT_EQ(loaded.WarnMinutes, minutes) << stored;
        SaveOptions(registry, loaded);
        EXPECT_EQ((store.values[{Hive::CurrentUser, kOptions, "WarnMinutes"}]), std::to_string(minutes));
    }
}

TEST_F(SettingsTest, StartupEntryIsMachineWideWherePossibleElseTheUsersAndNeverBoth) {
    using Entry = std::optional<std::string>;
    const Entry none;
    // Locked: a standard user cannot open the machine's Run key. Path: the installer's value. Then the Run
    // values before and after. The program itself, quoted, without a Path: see the options' end-to-end run.
    // clang-format off
    struct Case { const char* name; bool enable, machineLocked; Entry path, machine, user, machineAfter, userAfter; };
    const Case cases[] = {
        {"enable keeps an existing entry", true, false, "C:\\new\\dwl.exe", "D:\\old\\dwl.exe", none, "D:\\old\\dwl.exe", none},
        {"and the user's own", true, false, "C:\\new\\dwl.exe", none, "D:\\old\\dwl.exe", none, "D:\\old\\dwl.exe"},
        {"enable copies the install path", true, false, "C:\\new\\dwl.exe", none, none, "C:\\new\\dwl.exe", none},
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
    // A program path the registry's text cannot hold, and no installer's: nothing is written.
    store.values.clear();
    EXPECT_EQ(SetStartupEntry(registry, true, ""), StartupOutcome::NoProgramPath);
    EXPECT_TRUE(store.values.empty());
    EXPECT_TRUE(dialogs.shown.empty());
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

// Reading (at most 255 characters) and a value write that fails unreported: the password test above.
TEST_F(SettingsTest, ReportsEachWriteIntoAKeyThatCannotBeOpened) {
    store.denied.insert({Hive::LocalMachine, "SOFTWARE\\Microsoft"});
    registry.TuneMyRegistry("HKEY_LOCAL_MACHINE", "SOFTWARE\\Microsoft\\Windows\\CurrentVersion");
    EXPECT_FALSE(registry.SaveToRegistry("Run", "DWL", "C:\\dwl.exe"));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Duskwell");  // the text and style: see the startup entry
    EXPECT_FALSE(registry.SaveToRegistry("Run", "B", 2));
    EXPECT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(store.values.empty());
}

// The passwords stored by earlier versions: the key 739, its digits summing to 19, gives the pads 20, 21, ...
// Each value as the machine, else the user sets it; one of the wrong type or
// out of range is ignored with one trace line, and the user's then counts.
TEST(Policy, MachineWinsOverUserAndAWrongValueIsIgnoredWithOneTraceLine) {
    constexpr Hive M = Hive::LocalMachine, U = Hive::CurrentUser;
    fakes::FakeRegistry r;
    r.SetPolicy(M, "Scenarios", {"Shutdown Windows; Daily; 22:00", " "}, 1);
    r.SetPolicy(M, "Applications", {"notes|C:\\notes.exe|/q|x", "bad", "rel|notes.exe|", "a;b|C:\\b.exe|"});
    r.SetPolicy(U, "Scenarios", {"Reboot; Daily; 1:00"});
    r.SetPolicy(U, "Applications", {"user|C:\\u.exe|"});
    r.SetPolicy(M, "WarnMinutes", 3);  // not one of the choices
    r.SetPolicy(U, "WarnMinutes", 10);
    r.SetPolicy(M, "NoCancel");  // a text
    r.SetPolicy(U, "NoCancel", 1);
    r.SetPolicy(M, "LockSettings", 2);
    r.SetPolicy(M, "CleanTemp", 0);
    r.SetPolicy(U, "CleanTemp", 1);
    r.SetPolicy(U, "CleanCache", {"1"});
    std::vector<std::string> traces;
    const Policy policy = ReadPolicy(r, [&](const std::string& line) { traces.push_back(line); });
    EXPECT_EQ(policy.Scenarios, std::vector<std::string>{"Shutdown Windows; Daily; 22:00"});
    EXPECT_EQ(policy.Applications, (std::vector<ApplicationRecord>{{"C:\\notes.exe", "notes", "/q|x"}}));
    EXPECT_EQ(policy.WarnMinutes, 10);
    EXPECT_TRUE(policy.NoCancel && !policy.LockSettings);
    EXPECT_EQ(policy.CleanTemp, 0);
    EXPECT_FALSE(policy.CleanCache || policy.CleanRecycleBin);
    // The lost line, three applications, WarnMinutes, NoCancel, LockSettings, CleanCache.
    EXPECT_EQ(traces.size(), 8u) << traces[0];
    EXPECT_EQ(traces[4], "dwl: policy HKLM\\SOFTWARE\\Policies\\Orbelle\\DWL\\WarnMinutes ignored: out of range (3)");
}

TEST(Scramble, ThePadOfTheStoredPasswordsAndARoundTripOfEveryByte) {
    EXPECT_EQ(UnscrambleText("AB", kPasswordKey),
              (std::string{static_cast<char>(20 ^ 'A'), static_cast<char>(21 ^ 'B')}));
    std::string all;
    for (int c = 0; c < 256; ++c) all += static_cast<char>(c);
    const std::string scrambled = UnscrambleText(all, kPasswordKey);
    ASSERT_EQ(scrambled.size(), all.size());
    EXPECT_EQ(UnscrambleText(scrambled, kPasswordKey), all);
}

}  // namespace
}  // namespace dwl
