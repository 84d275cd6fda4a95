#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "fakes/fake_apps.h"
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
    FakeClock clock{LocalTime{2026, 12, 7, 1, 8, 59, 10}};  // Monday 8:59:10
    FakePower power{journal};
    FakeUser user;
    FakeCountdownWindow countdownWindow{journal};
    FakeShell shell;
    FakeProcesses processes{journal};
    FakeInputDialogs input{journal};
    FakeTasksWindow tasks{journal};
    Program program{Platform{instance, dialogs, registry, files, osVersion, hotkeys, window, clock, power, user,
                             countdownWindow, shell, processes, input, tasks}};

    void TickAt(int hour, int minute, int second = 30) {
        clock.now = {2026, 12, 7, 1, hour, minute, second};
        program.OnSchedulerTick();
    }

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

    EXPECT_EQ(journal, (Journal{"instance", "create options", "register 0 6 83", "register 2 3 76", "register 3 7 80",
                                "hook", "show options", "add tray Duskwell", "hide options"}));
    EXPECT_EQ(program.Form().frmOptions.Caption(), "Duskwell 2.5");
    // The loaders went through the change handling; start-up leaves nothing pending.
    const OptionsForm& form = program.Form();
    EXPECT_FALSE(form.cmdApply.Enabled() || form.OptionsChanged || form.ScenariosChanged || form.HotkeysChanged);
}

TEST_F(ProgramTest, HotkeyWithAnEmptyOrDamagedValueIsNotRegistered) {
    SetHotkey("Shutdown", "6", "");
    SetHotkey("Reboot", "", "82");
    SetHotkey("LogOff", "x", "76");
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(Filtered("register"), (Journal{"register 3 7 80"}));
}

const Journal kExitJournal{
    "remove tray", std::string("write ") + kScn, "unregister 0",   "unregister 1", "unregister 2", "unregister 3",
    "unhook",      "destroy countdown",          "destroy options"};

TEST_F(ProgramTest, ExitSavesUnregistersUnhooksAndDestroysInOrder) {
    SetHotkey("Reboot", "6", "82");
    ASSERT_TRUE(program.Main());
    journal.clear();
    program.OnMenuCommand(MenuExit);
    EXPECT_EQ(journal, kExitJournal);
    EXPECT_TRUE(program.Exited());
    // A late end-of-session or close request after the orderly exit does nothing more.
    journal.clear();
    program.OnEndSession();
    program.OnEndRequest();
    program.OnMenuCommand(MenuExit);
    EXPECT_TRUE(journal.empty());
}

TEST_F(ProgramTest, TheUsersCloseHidesAndAnyOtherCloseEndsAsExitDoes) {
    ASSERT_TRUE(program.Main());
    program.OnCloseRequest();
    EXPECT_FALSE(program.Exited());
    journal.clear();
    program.OnEndRequest();
    EXPECT_EQ(journal, kExitJournal);
    EXPECT_TRUE(program.Exited());
}

TEST_F(ProgramTest, DamagedFileIsKeptAsideAndNeverOverwritten) {
    files.files[kScn] = "Shutdown Windows; Onetime; 23:15\r\n";
    files.files[std::string(kScn) + ".bad"] = "an older damaged file";
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    EXPECT_EQ(files.files[std::string(kScn) + ".bad"], "an older damaged file");
    EXPECT_EQ(files.files[std::string(kScn) + ".bad2"], "Shutdown Windows; Onetime; 23:15\r\n");
    ASSERT_EQ(dialogs.shown.size(), 1u);

    program.ExitProgram();
    EXPECT_EQ(files.files[kScn], FormatScenarioFile({}));
}

TEST_F(ProgramTest, FileThatCannotBeReadIsLeftAloneAndNeverOverwritten) {
    files.files[kScn] = "whatever it holds";
    files.unreadable[kScn] = true;
    ASSERT_TRUE(program.Main());
    EXPECT_TRUE(Filtered("rename").empty());
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    program.OnEndSession();
    program.ExitProgram();
    EXPECT_TRUE(Filtered("write").empty());
    EXPECT_EQ(files.files[kScn], "whatever it holds");
}

class RunningProgramTest : public ProgramTest {
protected:
    void Start(const std::vector<std::string>& scenarios, const std::vector<ApplicationRecord>& apps = {}) {
        files.files[kScn] = FormatScenarioFile({scenarios, apps});
        ASSERT_TRUE(program.Main());
        journal.clear();
    }
    std::vector<std::string> Saved() { return ParseScenarioFile(files.files[kScn])->scenarios; }
};

TEST_F(RunningProgramTest, PowerOffOptionAndLogOffTextAtTheMomentOfTheCall) {
    Start({"Shutdown Windows; Daily; 9:00", "Log Off Current User; Daily; 9:01"});
    TickAt(9, 0);
    program.Form().chkPower.SetValue(1);  // checked during the count: it counts
    for (int i = 0; i < 6; ++i) program.CountdownWindow().ATimer_Timer();
    EXPECT_EQ(journal.back(), "ExitWindowsEx 12 4294967295");
    TickAt(9, 1);
    EXPECT_EQ(program.CountdownWindow().lblAction.Caption(), "alice, you will be logged off in 5 second(s).");
    program.CountdownWindow().cmdCancel_Click();
    journal.clear();
    TickAt(9, 1, 59);  // the same minute again: nothing more
    EXPECT_TRUE(journal.empty());
}

TEST_F(ProgramTest, AFailedSaveIsToldOnceAndNeverWhileTheSessionEnds) {
    ASSERT_TRUE(program.Main());
    files.failWrites = true;
    program.OnEndSession();
    EXPECT_TRUE(dialogs.shown.empty());
    program.SaveScenarios();
    program.SaveScenarios();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "The scenarios could not be saved to C:\\Apps\\Duskwell\\dwl.scn.");
}

TEST_F(RunningProgramTest, AFailedSaveInATickIsToldAfterTheHandOverWhileTicksGoOn) {
    Start({"Shutdown Windows; Onetime; 9:00", "Suspend; Daily; 9:01"});
    files.failWrites = true;
    size_t handedOverBeforeTheBox = 0;
    dialogs.whileShown = [&] {
        handedOverBeforeTheBox = Filtered("show countdown").size();
        TickAt(9, 1);  // the box's message loop delivers the next ticks
        TickAt(9, 1, 50);
    };
    TickAt(9, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].owner, DialogOwner::Options);
    EXPECT_EQ(handedOverBeforeTheBox, 1u);
    TickAt(9, 2);
    EXPECT_EQ(Filtered("show countdown").size(), 2u);  // the daily one once, not again after the box
    EXPECT_EQ(program.CountdownWindow().lblAction.Caption(), "Your computer will be suspended in 5 second(s).");
}

TEST_F(RunningProgramTest, NothingStartsInsideAMessageBoxAndExitAfterItIsOrderly) {
    SetHotkey("Shutdown", "6", "83");
    Start({"Reboot Computer; Daily; 7:00"});
    program.Form().cmdScen.SetListIndex(0);
    dialogs.answer = IdNo;
    dialogs.whileShown = [&] {
        program.OnMenuCommand(MenuExit);
        program.OnMenuCommand(MenuShutdown);
        program.OnHotkey(0, (83 << 16) | 6);
        program.OnTrayNotify(OptionsController::kRightButtonUp);
        program.OnEndRequest();
    };
    program.Form().cmdDel.Click();
    EXPECT_EQ(journal, Journal{"message Do you really want to delete\r\nReboot Computer; Daily; 7:00 ?"});
    EXPECT_FALSE(program.Exited());

    dialogs.whileShown = nullptr;
    program.OnMenuCommand(MenuExit);
    EXPECT_TRUE(program.Exited());
    EXPECT_EQ(Saved(), std::vector<std::string>{"Reboot Computer; Daily; 7:00"});
}

// A scenario made in the editor starts its program by the quoted path at its
// minute; a record stays while any scenario uses it and the file follows it.
TEST_F(RunningProgramTest, RunScenariosShareTheirRecordUntilTheLastGoes) {
    Start({"Run Application app; Daily; 9:05", "Run Application note; Daily; 9:01"}, {{"C:\\Old\\app.exe", "app", ""}});
    OptionsForm& form = program.Form();
    input.path = "C:\\Program Files\\Some App\\note.pad.exe";
    input.answer = "  /p x ";
    form.cmdAdd.Click();
    form.cmdAction.SetText("Run Application");
    form.cmdDuration.SetText("Onetime");
    form.txtTime.SetText("9:00");
    form.cmdFind.Click();
    EXPECT_EQ(Filtered("prompt"),
              Journal{"prompt Run Application: If application note\r\nuse parameters, you can type them below:"});
    form.cmdApply.Click();
    ASSERT_EQ(form.lstScen.Items(),
              (std::vector<std::string>{"Run Application app; Daily; 9:05", "Run Application note; Daily; 9:01",
                                        "Run Application note; Onetime; 9:00"}));

    TickAt(9, 0);
    TickAt(9, 1);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"\"C:\\Program Files\\Some App\\note.pad.exe\" /p x",
                                                      "\"C:\\Program Files\\Some App\\note.pad.exe\" /p x"}));
    auto saved = [&] { return ParseScenarioFile(files.files[kScn])->applications.size(); };
    EXPECT_EQ(saved(), 2u);

    form.cmdScen.SetListIndex(1);  // the daily one goes too: now nothing names it
    dialogs.answer = IdYes;
    form.cmdDel.Click();
    EXPECT_EQ(program.ApplicationList(), (std::vector<ApplicationRecord>{{"C:\\Old\\app.exe", "app", ""}}));
    EXPECT_EQ(saved(), 1u);
}

TEST_F(RunningProgramTest, CloseScenarioClosesTheNamedProgramOnly) {
    Start({"Close Application notepad; Daily; 9:00", "Run Application Close Application x; Daily; 9:01"});
    processes.running = {{4, "notepad.exe"}, {5, "xnotepad.exe"}, {6, "C:\\WINDOWS\\NOTEPAD.EXE"}, {7, "dwl.exe"}};
    processes.deaf = {6};
    TickAt(9, 0);
    TickAt(9, 1);  // a run scenario whose name holds the other action closes nothing
    EXPECT_EQ(journal, (Journal{"close 4", "close 6", "terminate 6 0"}));
}

}  // namespace
}  // namespace dwl
