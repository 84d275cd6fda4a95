#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "fakes/fake_platform.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kScn = "C:\\Apps\\Duskwell\\dwl.scn";
constexpr const char* kHotkeys = "SOFTWARE\\Orbelle\\DWL\\HotKeys";

class ProgramTest : public ::testing::Test {
protected:
    Journal journal;
    FakeInstanceGuard instance{journal};
    FakeDialogs dialogs{journal};
    FakeRegistry registry;
    FakeFileSystem files{journal};
    FakeOsVersion osVersion;
    FakeHotkeys hotkeys{journal};
    FakeOptionsWindow window{journal};
    Program program{Platform{instance, dialogs, registry, files, osVersion, hotkeys, window}};

    void SetHotkey(const std::string& name, const std::string& mod, const std::string& vk) {
        registry.values[{Hive::CurrentUser, kHotkeys, name + "MOD"}] = mod;
        registry.values[{Hive::CurrentUser, kHotkeys, name + "VK"}] = vk;
    }
    std::vector<std::string> Filtered(const std::string& prefix) const {
        std::vector<std::string> out;
        std::copy_if(journal.begin(), journal.end(), std::back_inserter(out),
                     [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
        return out;
    }
};

TEST_F(ProgramTest, StartsHiddenWithHotkeysRegisteredAndHookInstalledLast) {
    SetHotkey("Shutdown", "6", "83");
    SetHotkey("LogOff", "3", "76");
    ASSERT_TRUE(program.Main());

    EXPECT_EQ(journal, (Journal{"instance", "create options", "register 0 6 83", "register 2 3 76",
                                "register 3 7 80", "hook", "show options", "hide options"}));
    EXPECT_FALSE(window.visible);
    EXPECT_EQ(program.Form().frmOptions.Caption(), "Duskwell 2.5");
    EXPECT_EQ(program.ScenarioFilePath(), kScn);
    // The loaders went through the change handling; start-up leaves nothing pending.
    EXPECT_FALSE(program.Form().cmdApply.Enabled());
    EXPECT_FALSE(program.Form().OptionsChanged);
    EXPECT_FALSE(program.Form().ScenariosChanged);
    EXPECT_FALSE(program.Form().HotkeysChanged);
}

TEST_F(ProgramTest, HotkeyWithAnEmptyOrDamagedValueIsNotRegistered) {
    SetHotkey("Shutdown", "6", "");
    SetHotkey("Reboot", "", "82");
    SetHotkey("LogOff", "x", "76");
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(Filtered("register"), (Journal{"register 3 7 80"}));
}

TEST_F(ProgramTest, SecondInstanceOnlyShowsTheMessageAndTouchesNothing) {
    instance.otherRunning = true;
    EXPECT_FALSE(program.Main());
    EXPECT_EQ(journal, (Journal{"instance", "message Duskwell already running."}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].caption, "Duskwell");
    EXPECT_EQ(dialogs.shown[0].style, static_cast<unsigned>(MbOk));
    EXPECT_TRUE(hotkeys.registered.empty());
}

TEST_F(ProgramTest, ExitSavesUnregistersUnhooksAndDestroysInOrder) {
    SetHotkey("Reboot", "6", "82");
    ASSERT_TRUE(program.Main());
    journal.clear();
    program.OnMenuCommand(MenuExit);
    EXPECT_EQ(journal, (Journal{std::string("write ") + kScn, "unregister 0", "unregister 1", "unregister 2",
                                "unregister 3", "unhook", "destroy options"}));
    EXPECT_TRUE(hotkeys.registered.empty());
    EXPECT_FALSE(window.hooked);
    EXPECT_TRUE(program.Exited());
    // A late end-of-session after the orderly exit writes nothing more.
    journal.clear();
    program.OnEndSession();
    program.OnMenuCommand(MenuExit);
    EXPECT_TRUE(journal.empty());
}

TEST_F(ProgramTest, HotkeyMessagesAreDecodedByIdAndCombination) {
    ASSERT_TRUE(program.Main());
    journal.clear();
    program.OnHotkey(3, (0x50 << 16) | 7);
    EXPECT_EQ(journal, (Journal{"show options"}));
    journal.clear();
    program.OnHotkey(3, (0x51 << 16) | 7);  // wrong key
    program.OnHotkey(2, (0x50 << 16) | 7);  // wrong id
    EXPECT_TRUE(journal.empty());
}

TEST_F(ProgramTest, ScenariosAndApplicationsSurviveARestart) {
    ScenarioFileData data{{"Shutdown Windows; Onetime; 23:15", "Run Application my; app; Daily; 7:00"},
                          {{"C:\\Tools\\my; app.exe", "my; app", "-q \xe9t\xe9"}}};
    files.files[kScn] = FormatScenarioFile(data);
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Items(), data.scenarios);
    EXPECT_EQ(program.Form().cmdScen.Items(), data.scenarios);
    EXPECT_EQ(program.ApplicationList(), data.applications);

    program.Form().lstScen.RemoveItem(0);
    program.OnEndSession();
    auto saved = ParseScenarioFile(files.files[kScn]);
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->scenarios, std::vector<std::string>{data.scenarios[1]});
    EXPECT_EQ(saved->applications, data.applications);
}

TEST_F(ProgramTest, DamagedFileIsKeptAsideAndNeverOverwritten) {
    files.files[kScn] = "Shutdown Windows; Onetime; 23:15\r\n";
    files.files[std::string(kScn) + ".bad"] = "an older damaged file";
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    EXPECT_EQ(program.Form().cmdScen.Count(), 0);
    EXPECT_EQ(files.files[std::string(kScn) + ".bad"], "an older damaged file");
    EXPECT_EQ(files.files[std::string(kScn) + ".bad2"], "Shutdown Windows; Onetime; 23:15\r\n");
    ASSERT_EQ(dialogs.shown.size(), 1u);

    program.ExitProgram();
    EXPECT_EQ(files.files[kScn], FormatScenarioFile({}));
}

TEST_F(ProgramTest, UnreadableFileThatCannotBeMovedBlocksEverySave) {
    files.files[kScn] = "whatever it holds";
    files.unreadable[kScn] = true;
    files.failRenames = true;
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    program.OnEndSession();
    program.ExitProgram();
    EXPECT_TRUE(Filtered("write").empty());
    EXPECT_EQ(files.files[kScn], "whatever it holds");
}

TEST_F(ProgramTest, MissingFileStartsEmptyWithoutAMessage) {
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(ProgramTest, LockIsOfferedOnlyWhereTheWorkstationCanBeLocked) {
    osVersion.record->major = 4;
    osVersion.record->minor = 10;
    ASSERT_TRUE(program.Main());
    const auto& actions = program.Form().cmdAction.Items();
    EXPECT_EQ(std::count(actions.begin(), actions.end(), "Lock Computer"), 0);
    EXPECT_EQ(actions.size(), 7u);
}

} // namespace
} // namespace dwl
