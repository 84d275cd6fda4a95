#include <gtest/gtest.h>

#include <algorithm>

#include "app/program.h"
#include "fakes/fake_platform.h"
#include "model/power_action.h"
#include "model/scramble.h"
#include "fakes/fake_apps.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kScn = "C:\\Users\\ann\\AppData\\Roaming\\Duskwell\\dwl.scn";
constexpr const char* kHotkeys = "SOFTWARE\\Orbelle\\DWL\\HotKeys";

class ProgramTest : public ::testing::Test {
protected:
    ProgramTest() { files.files["C:\\Apps\\Duskwell\\dwl.exe.MANIFEST"] = "<assembly/>"; }
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
    FakeDisk disk{journal};
    FakeQuickbarWindow quickbarWindow{journal};
    FakeProcesses processes{journal};
    FakeInputDialogs input{journal};
    FakeTasksWindow tasks{journal};
    FakeCommandChannel commands{journal};
    Program program{Platform{OsServices{instance, dialogs, registry, files, osVersion, hotkeys, clock, power, user, shell,
                                        disk, processes, input, commands},
                             WindowPorts{window, countdownWindow, disk, quickbarWindow, tasks}}};

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

    EXPECT_EQ(journal,
              (Journal{"instance", "create options", "place quickbar 0 0", "register 0 6 83", "register 2 3 76",
                       "register 3 7 80", "hook", "show options", "add tray Duskwell", "hide options"}));
    EXPECT_EQ(program.Form().frmOptions.Caption(), "Duskwell 2.5");
    // The loaders went through the change handling; start-up leaves nothing pending.
    const OptionsForm& form = program.Form();
    EXPECT_FALSE(form.cmdApply.Enabled() || form.OptionsChanged || form.ScenariosChanged || form.HotkeysChanged);
}

TEST_F(ProgramTest, HotkeysAreUsedOnlyAsTheProgramWritesThem) {
    // A bare key, the no-repeat flag, a key no box takes, a half pair.
    SetHotkey("Shutdown", "0", "65");
    SetHotkey("Reboot", "16390", "82");
    SetHotkey("LogOff", "6", "1000");
    registry.values[{Hive::CurrentUser, kHotkeys, "Reboot"}] = " Ctrl + Shift + R";
    std::vector<std::string> traced;
    program.trace = [&](const std::string& line) { traced.push_back(line); };
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(Filtered("register"), (Journal{"register 3 7 80"}));
    EXPECT_EQ(traced.size(), 3u);
    EXPECT_EQ(program.Form().txtRebootKey.Text(), "");
    EXPECT_EQ(program.Form().mReboot.Caption(), "Reboot Computer\t()");
}

const Journal kExitJournal{
    "remove tray", std::string("write ") + kScn, "unregister 0",     "unregister 1",   "unregister 2", "unregister 3",
    "unhook",      "destroy countdown",          "destroy quickbar", "destroy options"};

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

// A second program with a platform of its own, beside the test's.
struct OtherProgram : ProgramTest {
    void TestBody() override {}
    using ProgramTest::dialogs, ProgramTest::files, ProgramTest::instance, ProgramTest::program, ProgramTest::registry;
};

TEST_F(ProgramTest, TheFileOfAnOlderVersionIsCarriedOverIntoAMissingFileOnly) {
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn";
    files.files[beside] = FormatScenarioFile({{"Reboot Computer; Daily; 7:00"}, {}});
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().lstScen.Items(), std::vector<std::string>{"Reboot Computer; Daily; 7:00"});
    EXPECT_EQ(files.files[kScn], files.files[beside]);
    // Never over a file of the new place, even an empty one.
    OtherProgram again;
    again.files.files[beside] = files.files[beside];
    again.files.files[kScn] = FormatScenarioFile({});
    ASSERT_TRUE(again.program.Main());
    EXPECT_EQ(again.program.Form().lstScen.Count(), 0);
    EXPECT_EQ(again.files.files[kScn], FormatScenarioFile({}));
    EXPECT_TRUE(dialogs.shown.empty() && again.dialogs.shown.empty());
}

TEST_F(ProgramTest, ADamagedOlderFileIsKeptAsideWhereItIsAndNotCarriedOver) {
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn";
    files.files[beside] = "cut off";
    files.files["C:\\Apps\\Duskwell\\dwl.portable"] = "";
    OtherProgram portable;  // the same in portable use: the file is the program's own
    portable.files.files = files.files;
    files.files.erase("C:\\Apps\\Duskwell\\dwl.portable");
    const auto check = [&](Program& p, FakeFileSystem& f, FakeDialogs& d) {
        ASSERT_TRUE(p.Main());
        EXPECT_EQ(f.files[beside + ".bad"], "cut off");
        EXPECT_FALSE(f.files.count(beside));
        ASSERT_EQ(d.shown.size(), 1u);
        EXPECT_EQ(d.shown[0].text, "The scenario file could not be read and has been kept as " + beside + ".bad.");
    };
    check(program, files, dialogs);
    check(portable.program, portable.files, portable.dialogs);
    EXPECT_FALSE(files.files.count(kScn));
    EXPECT_FALSE(portable.files.files.count(kScn));
}

TEST_F(ProgramTest, StartupBoxOfAStandardUserAndTheStartByBothEntries) {
    const std::string run = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
    registry.values[{Hive::LocalMachine, run, "DWL"}] = "\"C:\\Apps\\Duskwell\\dwl.exe\"";
    registry.values[{Hive::CurrentUser, run, "DWL"}] = "\"C:\\Apps\\Duskwell\\dwl.exe\"";
    registry.denied.insert({Hive::LocalMachine, run});
    ASSERT_TRUE(program.Main());
    program.Form().chkStartup.SetValue(0);
    program.Options().cmdApply_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text,
              "Windows still starts Duskwell for every user of this computer: setup added it for all users.\r\n"
              "To remove that, untick this box in Duskwell started as an administrator, or uninstall Duskwell.");
    EXPECT_FALSE(registry.values.count({Hive::CurrentUser, run, "DWL"}));

    // Both entries start the program at logon: the second start ends without a word.
    registry.values[{Hive::CurrentUser, run, "DWL"}] = "\"C:\\Apps\\Duskwell\\dwl.exe\"";
    OtherProgram second;
    second.instance.otherRuns = true;
    second.registry.values = registry.values;
    EXPECT_FALSE(second.program.Main());
    EXPECT_TRUE(second.dialogs.shown.empty());
    EXPECT_FALSE(second.registry.values.count({Hive::CurrentUser, run, "DWL"}));
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
    EXPECT_EQ(dialogs.shown[0].text, "The scenarios could not be saved to " + std::string(kScn) + ".");
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

TEST_F(ProgramTest, ManifestJustWrittenEndsStartUpWithTheRestartMessageOnXPAlone) {
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

TEST_F(ProgramTest, MinutesWhileTheSplashIsUpAreChecked) {
    files.files[kScn] = FormatScenarioFile({{"Shutdown Windows; Daily; 9:00"}, {}});
    program.showSplash = [&] { TickAt(9, 0); };
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(Filtered("show countdown").size(), 1u);
}

// The splash and the password dialogs hold the tray and the hotkeys as a
// message box does; setup's close request closes them and ends the program.
TEST_F(ProgramTest, SplashAndPasswordDialogsAreModalAndClosedByACloseRequest) {
    SetHotkey("Shutdown", "6", "83");
    auto whileOpen = [this] {
        program.OnHotkey(HotkeyShutdown, (83 << 16) | 6);
        program.OnTrayNotify(OptionsController::kRightButtonUp);
        EXPECT_EQ(Filtered("ExitWindowsEx").size() + Filtered("tray menu").size(), 0u);
    };
    program.showSplash = whileOpen;
    program.askNewPassword = [&] {
        whileOpen();
        program.OnEndRequest();
        EXPECT_FALSE(program.Exited());
        return std::optional<std::pair<std::string, std::string>>();
    };
    program.closePasswordDialog = [this] { journal.push_back("close password"); };
    ASSERT_TRUE(program.Main());
    journal.clear();
    program.Form().cmdPassword.Click();
    EXPECT_EQ(journal, (Journal{"close password", "post end request"}));
    program.OnEndRequest();  // the request, back from the queue
    EXPECT_TRUE(program.Exited());
}

TEST_F(ProgramTest, ALockSwitchWithoutAReadablePasswordStartsUnlockedAndSaysSo) {
    registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", "Enabled"}] = "1";
    registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", "Password"}] = std::string(256, 'x');
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(program.Lock().InForce());
    EXPECT_TRUE(program.Form().chkStartup.Enabled());
}

TEST_F(ProgramTest, LockNeedsAPasswordAndTheRightOneUnlocksUntilTheWindowIsHidden) {
    ASSERT_TRUE(program.Main());
    OptionsForm& form = program.Form();
    PasswordLock& lock = program.Lock();
    std::optional<std::string> typed;
    std::optional<std::pair<std::string, std::string>> typedTwice;
    lock.askPassword = [&] { return typed; };
    lock.askNewPassword = [&] { return typedTwice; };
    auto stored = [&](const char* value) {
        return registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", value}];
    };
    std::string names;
    for (Control* control : GuardedControls(form)) names += control->Name() + " ";
    EXPECT_EQ(names,
              "chkPassword chkStartup chkTray chkPower cmdAdd cmdDel cmdDuration cmdAction txtTime cmdMin cmdPlus "
              "txtShutdownKey txtLogOffKey txtRebootKey chkCleanRecycleBin chkCleanTemp chkCleanNetCashe ");
    auto locked = [&] {
        int greyed = 0;
        for (Control* control : GuardedControls(form)) greyed += !control->Enabled();
        EXPECT_TRUE(form.lstScen.Enabled() && form.chkQBar.Enabled() && form.cmdOK.Enabled());
        EXPECT_EQ(form.cmdPassword.Caption(), greyed ? "&Unlock..." : "Set pass&word...");
        return greyed == 17 && !form.lstDays.Enabled() ? 1 : greyed == 0 ? 0 : -1;
    };

    // Ticked without a password: no lock.
    form.chkPassword.SetValue(1);
    form.cmdApply.Click();
    EXPECT_EQ(stored("Enabled"), "0");
    program.OnMenuCommand(MenuSettings);
    EXPECT_EQ(locked(), 0);
    EXPECT_FALSE(lock.InForce());
    for (auto refused : {std::pair<std::string, std::string>{"", ""},
                         {"abc", "abd"},
                         {std::string(12, 'x') + " ", std::string(12, 'x') + " "},
                         {std::string(256, 'a'), std::string(256, 'a')}}) {
        typedTwice = refused;
        form.cmdPassword.Click();
    }
    EXPECT_EQ(dialogs.shown.size(), 5u);  // the Apply's and four refusals
    EXPECT_TRUE(lock.ConfigPassword.empty());
    typedTwice = {{"s3cret", "s3cret"}};
    form.cmdPassword.Click();
    EXPECT_EQ(stored("Password"), UnscrambleText("s3cret", kPasswordKey));
    EXPECT_EQ(stored("Enabled"), "1");
    EXPECT_EQ(locked(), 0);  // not while shown

    form.cmdOK.Click();
    program.OnHotkey(HotkeyShowOptions, (80 << 16) | 7);
    typed = "S3cret";
    form.cmdPassword.Click();
    EXPECT_EQ(locked(), 1);
    typed = "s3cret";
    form.cmdPassword.Click();
    EXPECT_EQ(locked(), 0);
    program.OnMenuCommand(MenuAbout);  // shown again before it was hidden
    EXPECT_EQ(locked(), 0);
    form.cmdCancel.Click();
    program.OnTrayNotify(OptionsController::kLeftButtonUp);
    EXPECT_EQ(locked(), 1);

    typed = "s3cret";
    form.cmdPassword.Click();
    form.chkPassword.SetValue(0);
    form.cmdOK.Click();
    EXPECT_EQ(stored("Enabled"), "0");
    program.OnMenuCommand(MenuSettings);
    EXPECT_EQ(locked(), 0);
}

// A record stays while any scenario uses it and the file follows it.
TEST_F(RunningProgramTest, RunScenariosShareTheirRecordUntilTheLastGoes) {
    Start(
        {"Run Application app; Daily; 9:05", "Run Application note; Daily; 9:01", "Run Application note; Daily; 9:02"},
        {{"C:\\Old\\app.exe", "app", ""}, {"C:\\note.exe", "note", ""}});
    OptionsForm& form = program.Form();
    auto saved = [&] { return ParseScenarioFile(files.files[kScn])->applications.size(); };
    dialogs.answer = IdYes;
    for (size_t left : {2u, 1u}) {
        form.cmdScen.SetListIndex(1);
        form.cmdDel.Click();
        EXPECT_EQ(saved(), left);
    }
    EXPECT_EQ(program.ApplicationList(), (std::vector<ApplicationRecord>{{"C:\\Old\\app.exe", "app", ""}}));
}

// A close asks each matching program of the user's session (never this one)
// and returns at once; the waits run on ticks. Only a program without a window,
// or one still hung 5 s after its close timed out, is terminated: one that asks
// its user about unsaved work stays with its question.
TEST_F(RunningProgramTest, CloseScenarioWaitsAsideAndKeepsAProgramThatAsks) {
    using A = FakeProcesses::Answer;
    Start({"Close Application notepad; Daily; 9:00", "Run Application Close Application x; Daily; 9:01"});
    processes.running = {{4, "notepad.exe"},
                         {5, "xnotepad.exe"},
                         {6, "C:\\WINDOWS\\NOTEPAD.EXE"},
                         {7, "notepad.exe", true, true},
                         {8, "notepad.exe", false},
                         {9, "NotePad.exe"},
                         {10, "notepad.exe"}};
    processes.answers = {{6, A::Hangs}, {9, A::Asks}, {10, A::NoWindow}};
    TickAt(9, 0);
    EXPECT_EQ(journal, (Journal{"close 4", "close 6", "close 9", "close 10", "terminate 10 0"}));
    journal.clear();
    TickAt(9, 1);  // the next minute while the waits go on; this run scenario closes nothing
    TickAt(9, 0);  // the clock set back: the programs waited for are not asked again
    processes.Pass(9);
    EXPECT_TRUE(journal.empty());
    processes.Pass(1);
    EXPECT_EQ(journal, Journal{"terminate 6 0"});
    EXPECT_FALSE(processes.tick);
}

// Editing a run scenario runs the program chosen last; one short name stands
// for one program, and the file keeps only the records its scenarios name.
TEST_F(RunningProgramTest, TheLastChoiceRunsAndAnotherScenariosProgramIsKept) {
    Start({"Run Application app; Daily; 9:05", "Run Application note; Onetime; 9:02", "Lock Computer; Daily; 9:30"},
          {{"C:\\Old\\app.exe", "app", ""}, {"C:\\note.exe", "note", ""}});
    OptionsForm& form = program.Form();
    auto choose = [&](const char* path) {
        input.path = path;
        input.answer = "-n";
        form.cmdFind.Click();
    };
    auto records = [&] { return ParseScenarioFile(files.files[kScn])->applications; };
    form.cmdScen.SetListIndex(0);
    choose("C:\\New\\app.exe");
    EXPECT_EQ(Filtered("prompt"),
              Journal{"prompt Run Application: If application app\r\nuse parameters, you can type them below:"});
    form.txtTime.SetText("9:00");
    form.cmdApply.Click();
    EXPECT_EQ(records(),
              (std::vector<ApplicationRecord>{{"C:\\note.exe", "note", ""}, {"C:\\New\\app.exe", "app", "-n"}}));

    form.cmdScen.SetListIndex(1);  // the lock: another program named note is refused
    form.cmdAction.SetText("Run Application");
    choose("D:\\note.exe");
    EXPECT_EQ(dialogs.shown.back().text,
              "Another scenario runs \"C:\\note.exe\" as \"note\".\r\nScenarios tell "
              "programs apart by that name only, so this choice is not taken.");
    choose("C:\\a;b.exe");  // a name the entry cannot hold
    EXPECT_EQ(dialogs.shown.back().text, "The name \"a;b\" cannot be used in a scenario: it holds a \";\".");
    choose("C:\\note.exe");  // the same program, other parameters: refused too
    EXPECT_EQ(dialogs.shown.size(), 3u);
    input.answer = "";
    form.cmdFind.Click();  // the same program as it is: taken
    TickAt(9, 2);          // the one-time run between "Find..." and Apply
    form.cmdApply.Click();
    TickAt(9, 30);
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"\"C:\\New\\app.exe\" -n", "\"C:\\note.exe\"", "\"C:\\note.exe\""}));

    form.cmdScen.SetListIndex(0);
    choose("C:\\zed.exe");
    form.cmdCancel.Click();  // an abandoned choice leaves nothing behind
    program.SaveScenarios();
    EXPECT_EQ(records().size(), 2u);

    form.cmdLink.Click();  // the web site goes to the shell as an address, never to a program found by name
    EXPECT_EQ(shell.opened.back(), "address http://" + form.cmdLink.Caption());
}

}  // namespace
TEST_F(RunningProgramTest, AHotkeyCapturedAndAppliedIsRegisteredStoredShownAndActsAfterTheCleanUp) {
    Start({});
    disk.tree[u"C:\\Temp\\"] = {{u"t.tmp", 0}};
    program.Form().chkCleanTemp.SetValue(1);
    HotkeyCapture& capture = *program.HotkeyCaptureModel();
    capture.GotFocus(HotkeyShutdown);
    capture.KeyUp(HotkeyShutdown, 'K', CtrlMask | AltMask);
    capture.LostFocus(HotkeyShutdown);
    journal.clear();
    program.Form().cmdApply.Click();
    EXPECT_EQ(journal,
              (Journal{"unregister 0", "unregister 1", "unregister 2", "unhook", "register 0 3 75", "hook", "focus"}));
    EXPECT_EQ((registry.values[{Hive::CurrentUser, kHotkeys, "Shutdown"}]), " Ctrl +  Alt + K");
    EXPECT_EQ((registry.values[{Hive::CurrentUser, kHotkeys, "RebootVK"}]), "");
    // Cancel drops a capture with its text, even while its box has the focus.
    capture.GotFocus(HotkeyReboot);
    capture.KeyUp(HotkeyReboot, 'R', 0);
    program.Form().cmdCancel.Click();
    capture.LostFocus(HotkeyReboot);
    EXPECT_EQ(capture.Values().rebootText + capture.Values().rebootVk, "");
    // The procedure's tests: id, modifiers and key must all match.
    journal.clear();
    for (intptr_t lParam : {(75 << 16) | 7, (76 << 16) | 3}) program.OnHotkey(0, lParam);
    program.OnHotkey(1, (75 << 16) | 3);
    EXPECT_EQ(journal, Journal{});
    program.OnHotkey(0, (75 << 16) | 3);
    EXPECT_EQ(journal, (Journal{"delete C:\\Temp\\t.tmp", "clean-up done", "privilege", "ExitWindowsEx 5 4294967295"}));
    // "Do it now!" acts at once, without the countdown.
    journal.clear();
    program.Form().cmdAct.SetText("Hibernate");
    program.Form().cmdIA.Click();
    EXPECT_EQ(journal, (Journal{"privilege", "SetSuspendState 111"}));
}

TEST_F(RunningProgramTest, AFocusedHotkeyBoxCapturesRegisteredCombinationsAndIsSettledByApplyAndOK) {
    SetHotkey("Shutdown", "6", "83");
    registry.values[{Hive::CurrentUser, kHotkeys, "Shutdown"}] = " Ctrl + Shift + S";
    Start({});
    HotkeyCapture& capture = *program.HotkeyCaptureModel();
    const OptionsForm& form = program.Form();
    capture.GotFocus(HotkeyReboot);
    program.OnHotkey(HotkeyShutdown, (83 << 16) | 6);  // captured, not carried out
    EXPECT_EQ(Filtered("ExitWindowsEx"), Journal{});
    EXPECT_EQ(form.txtRebootKey.Text(), " Ctrl +  Shift + S");
    // Apply checks it as leaving the box would: the shutdown box holds it.
    program.Form().cmdApply.Click();
    EXPECT_EQ(form.txtRebootKey.Text() + std::to_string(Filtered("register").size()), "0");
    // Enter (OK) with a new capture in the box stores it and shows it in the tray menu.
    capture.KeyUp(HotkeyReboot, 'R', CtrlMask | AltMask);
    program.Form().cmdOK.Click();
    EXPECT_EQ((registry.values[{Hive::CurrentUser, kHotkeys, "Reboot"}]), " Ctrl +  Alt + R");
    EXPECT_EQ(Filtered("register 1"), Journal{"register 1 3 82"});
    EXPECT_EQ(form.mReboot.Caption(), "Reboot Computer\t(Ctrl+Alt+R)");
}

TEST_F(RunningProgramTest, QuickbarPageKeepsConfirmationsNoPlacementAndTheUsersPlace) {
    const auto stored = [&](const char* value) -> std::string& {
        return registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Quickbar", value}];
    };
    stored("Horizontally") = stored("Vertically") = "0";
    stored("PosX") = "-9000";  // on a monitor missing today
    Start({});
    program.QuickbarModel().OnMoved(0, 0);  // brought back on screen
    OptionsForm& form = program.Form();
    form.optQBVertical.SetValue(true);
    form.cmdCancel.Click();
    EXPECT_FALSE(form.optQBVertical.Value() || form.optQBHorizontal.Value());
    form.chkQBConfirm.SetValue(0);
    form.cmdOK.Click();
    program.ExitProgram();
    EXPECT_EQ(std::to_string(form.chkQBConfirm.Value()) + stored("Confirmations") + " " + stored("PosX"), "00 -9000");
}

TEST_F(ProgramTest, MenuCaptionsCarryTheStoredHotkeysWithoutBlanks) {
    // The text is made from the values, not taken as edited by hand.
    registry.values[{Hive::CurrentUser, kHotkeys, "Shutdown"}] = " Ctrl + Shift + Q";
    SetHotkey("Shutdown", "3", "75");
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(program.Form().txtShutdownKey.Text(), " Ctrl +  Alt + K");
    EXPECT_EQ(program.Form().mShutdown.Caption(), "Shutdown Windows\t(Ctrl+Alt+K)");
    EXPECT_EQ(program.Form().mLogOff.Caption(), "Log Off Current User\t()");
}

// ---- The command line ----------------------------------------------------

class CommandTest : public RunningProgramTest {
protected:
    CommandReply Send(const std::vector<std::string>& args) {
        return static_cast<CommandReply>(program.OnCommand(JoinArguments(args)));
    }
};

TEST_F(CommandTest, InAndAtAddAppliedScenariosInTheRunsTimeFormThatFireAndAreConsumed) {
    clock.systemText = "8:59:10 AM";
    Start({"Suspend; Daily; 7:00 AM"});
    OptionsForm& form = program.Form();
    // An edit waiting in the open window is left as it is.
    program.OnMenuCommand(MenuSettings);
    form.cmdScen.SetListIndex(0);
    form.cmdDuration.SetText("Weekly");
    EXPECT_EQ(Send({"/reboot", "/in", "5"}), CommandReply::Accepted);
    EXPECT_EQ(Send({"/logoff", "/at", "21:30", "/daily"}), CommandReply::Accepted);
    EXPECT_EQ(Send({"/logoff", "/at", "9:30", "pm", "/daily"}), CommandReply::Accepted);  // the same: not twice
    const std::vector<std::string> active{"Suspend; Daily; 7:00 AM", "Reboot Computer; Onetime; 9:04 AM",
                                          "Log Off Current User; Daily; 9:30 PM"};
    EXPECT_EQ(form.lstScen.Items(), active);
    EXPECT_EQ(Saved(), active);
    EXPECT_TRUE(form.cmdDuration.Text() == "Weekly" && form.cmdApply.Enabled());
    form.cmdCancel.Click();
    EXPECT_EQ(form.cmdScen.Items(), active);

    TickAt(9, 4);
    EXPECT_EQ(program.CountdownWindow().cmdAction.Caption(), "Reboot now");
    EXPECT_EQ(Saved(), (std::vector<std::string>{active[0], active[2]}));
    EXPECT_EQ(Send({"/bogus"}), CommandReply::NotUnderstood);
}

TEST_F(CommandTest, TheLockRefusesScenariosAndCancelButNotAnActionNow) {
    registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", "Enabled"}] = "1";
    registry.values[{Hive::CurrentUser, "SOFTWARE\\Orbelle\\DWL\\Options", "Password"}] =
        UnscrambleText("pw", kPasswordKey);
    Start({});
    EXPECT_EQ(Send({"/reboot", "/in", "5"}), CommandReply::ScenariosLocked);
    EXPECT_EQ(program.Form().lstScen.Count(), 0);
    EXPECT_EQ(Send({"/shutdown"}), CommandReply::Accepted);
    EXPECT_EQ(Send({"/cancel"}), CommandReply::CancelLocked);
    EXPECT_TRUE(program.CountdownWindow().TimerRunning());
}

TEST_F(CommandTest, CancelStopsTheCountdownAsItsButtonDoesAndNothingStartsDuringAnAction) {
    Start({});
    EXPECT_EQ(Send({"/hibernate"}), CommandReply::Accepted);
    EXPECT_EQ(Send({"/cancel"}), CommandReply::Accepted);
    EXPECT_EQ(Send({"/cancel"}), CommandReply::NoCountdown);
    osVersion.record->major = 6;  // no locking offered
    EXPECT_EQ(Send({"/lock", "/in", "5"}), CommandReply::LockUnsupported);
    // The clean-up before a shutdown lets messages in.
    program.Form().chkCleanTemp.SetValue(1);
    CommandReply during = CommandReply::NotTaken;
    disk.whileCleaning = [&] { during = Send({"/reboot"}); };
    program.ExitWindows(PowerAction::Shutdown);
    EXPECT_EQ(during, CommandReply::Busy);
    EXPECT_EQ(Filtered("show countdown").size(), 1u);
}

TEST_F(ProgramTest, BadArgumentsEndWithTwoALaterStartWithTheRunningCopysAnswer) {
    EXPECT_EQ(program.Start({"/bogus"}), 2);
    EXPECT_EQ(dialogs.shown.at(0).text.rfind("Unknown argument: /bogus\r\n\r\nUsage: ", 0), 0u);
    EXPECT_EQ(dialogs.shown.at(0).owner, DialogOwner::None);
    EXPECT_TRUE(journal.size() == 1 && journal[0].rfind("message", 0) == 0);  // nothing else
    commands.console = true;
    EXPECT_EQ(program.Start({"/?"}), 2);
    EXPECT_EQ(commands.written.at(0).rfind("Usage: ", 0), 0u);

    instance.otherRuns = true;
    commands.answer = static_cast<int>(CommandReply::Accepted);
    EXPECT_EQ(program.Start({"/reboot", "/in", "1"}), 0);
    EXPECT_EQ(Filtered("send"), Journal{"send /reboot\n/in\n1"});
    for (std::optional<int> refused : {std::optional<int>(static_cast<int>(CommandReply::CancelLocked)),
                                       std::optional<int>(0), std::optional<int>()}) {
        commands.answer = refused;
        EXPECT_EQ(program.Start({"/cancel"}), 1);
    }
    EXPECT_EQ(commands.written.back(), "Duskwell is running but does not answer.");
    EXPECT_EQ(dialogs.shown.size(), 1u);
    journal.clear();
    EXPECT_EQ(program.Start({}), 0);  // without arguments, as ever
    EXPECT_EQ(journal, (Journal{"instance", "message Duskwell already running."}));
}

TEST_F(ProgramTest, AFirstStartWithACommandSkipsTheSplashAndCarriesItOutUnlessItMustEnd) {
    EXPECT_EQ(program.Start({"/cancel"}), 1);
    EXPECT_EQ(dialogs.shown.back().text, "No countdown is running.");
    files.files.clear();  // on XP, the manifest is written now
    EXPECT_EQ(program.Start({"/shutdown"}), 1);
    EXPECT_EQ(dialogs.shown.back().text,
              "Windows XP necessary changes has been installed.\r\nPlease, start Duskwell again.");
    EXPECT_TRUE(Filtered("create options").empty());

    bool splash = false;
    program.showSplash = [&] { splash = true; };
    EXPECT_EQ(program.Start({"/suspend"}), std::nullopt);
    EXPECT_FALSE(splash);
    EXPECT_EQ(program.CountdownWindow().cmdAction.Caption(), "Suspend now");
}

}  // namespace dwl
