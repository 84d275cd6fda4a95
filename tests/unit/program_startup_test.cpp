#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramStartup = ProgramTest;

TEST_F(ProgramStartup, StartsHiddenWithHotkeysRegisteredAndTheHookLastAndMenusMadeFromTheStoredValues) {
    SetHotkey("Shutdown", "6", "83");
    SetHotkey("LogOff", "3", "76");
    Stored(kHotkeys, "Shutdown") = " Ctrl + Shift + Q";  // the text is made from the values, not taken as edited
    ASSERT_TRUE(program.Main());

    EXPECT_EQ(journal,
              (Journal{"instance", "create options", "place quickbar 0 0", "register 0 6 83", "register 2 3 76",
                       "register 3 7 80", "hook", "show options", "add tray Duskwell", "hide options"}));
    // The loaders went through the change handling; start-up leaves nothing pending.
    const OptionsForm& form = program.Form();
    EXPECT_FALSE(form.cmdApply.Enabled() || form.OptionsChanged || form.ScenariosChanged || form.HotkeysChanged);
    EXPECT_EQ(form.txtShutdownKey.Text(), " Ctrl + Shift + S");
    EXPECT_EQ(form.mShutdown.Caption(), "Shutdown Windows\t(Ctrl+Shift+S)");
}

// The user's close hides; Exit and any other close end the same way, once.
TEST_F(ProgramStartup, ExitAndAnyCloseButTheUsersSaveUnregisterUnhookAndDestroyInOrderOnce) {
    const Journal exit{"remove tray",  "write " + kScn, "unregister 0",      "unregister 1",     "unregister 2",
                       "unregister 3", "unhook",        "destroy countdown", "destroy quickbar", "destroy options"};
    for (bool byMenu : {true, false}) {
        ProgramTest p;
        p.SetHotkey("Reboot", "6", "82");
        ASSERT_TRUE(p.program.Main());
        p.program.OnCloseRequest();
        EXPECT_FALSE(p.program.Exited());
        p.journal.clear();
        byMenu ? p.program.OnMenuCommand(MenuExit) : p.program.OnEndRequest();
        EXPECT_EQ(p.journal, exit) << byMenu;
        EXPECT_TRUE(p.program.Exited());
        p.journal.clear();
        p.program.OnEndSession();
        p.program.OnEndRequest();
        p.program.OnMenuCommand(MenuExit);
        EXPECT_TRUE(p.journal.empty());
    }
}

TEST_F(ProgramStartup, ManifestJustWrittenEndsStartUpWithTheRestartMessageOnXPAlone) {
    files.files.clear();
    EXPECT_FALSE(program.Main());
    EXPECT_EQ(journal,
              (Journal{"instance", "create C:\\Apps\\Duskwell\\dwl.exe.MANIFEST 3",
                       "message Windows XP necessary changes has been installed.\r\nPlease, start Duskwell again."}));
    files.files.clear();
    journal.clear();
    osVersion.record->minor = 0;  // Windows 2000
    EXPECT_TRUE(program.Main());
    EXPECT_TRUE(Filtered("create C:").empty());
}

TEST_F(ProgramStartup, StartupBoxOfAStandardUserAndTheStartByBothEntries) {
    const std::string run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run",
                      exe = "\"C:\\Apps\\Duskwell\\dwl.exe\"";
    registry.values[{Hive::LocalMachine, run, "DWL"}] = Stored(run, "DWL") = exe;
    registry.denied.insert({Hive::LocalMachine, run});
    ASSERT_TRUE(program.Main());
    program.Form().chkStartup.SetValue(0);
    program.Options().cmdApply_Click();
    EXPECT_EQ(Told(), std::vector<std::string>{
                          "Windows still starts Duskwell for every user of this computer: setup added it for all "
                          "users.\r\nTo remove that, untick this box in Duskwell started as an administrator, or "
                          "uninstall Duskwell."});
    EXPECT_FALSE(registry.values.count({Hive::CurrentUser, run, "DWL"}));

    // Both entries start the program at logon: the second start ends without a word.
    ProgramTest second;
    second.instance.otherRuns = true;
    second.registry.values = registry.values;
    second.Stored(run, "DWL") = exe;
    EXPECT_FALSE(second.program.Main());
    EXPECT_TRUE(second.dialogs.shown.empty());
    EXPECT_FALSE(second.registry.values.count({Hive::CurrentUser, run, "DWL"}));
}

}  // namespace
}  // namespace dwl
