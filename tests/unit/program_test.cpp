#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "app/program.h"
#include "fakes/fake_apps.h"
#include "fakes/fake_platform.h"
#include "model/scramble.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

using fakes::Journal;

const std::string kScn = "C:\\Users\\ann\\AppData\\Roaming\\Duskwell\\dwl.scn";
constexpr const char* kHotkeys = "SOFTWARE\\Orbelle\\DWL\\HotKeys";
constexpr const char* kOptions = "SOFTWARE\\Orbelle\\DWL\\Options";

// The program over fakes of every system service, on Monday 2026-12-07 at
// 8:59:10, its manifest in place. Also made as a second program beside a
// test's own (each with a platform of its own).
struct ProgramTest : ::testing::Test {
    ProgramTest() { files.files["C:\\Apps\\Duskwell\\dwl.exe.MANIFEST"] = "<assembly/>"; }
    void TestBody() override {}

    // Starts with these scenarios and applications in the file; the journal is cleared.
    void Start(const std::vector<std::string>& scenarios = {}, const std::vector<ApplicationRecord>& apps = {}) {
        files.files[kScn] = FormatScenarioFile({scenarios, apps});
        ASSERT_TRUE(program.Main());
        journal.clear();
    }
    std::vector<std::string> Saved() { return ParseScenarioFile(files.files[kScn])->scenarios; }
    void TickAt(int hour, int minute, int second = 30) {
        clock.now = {2026, 12, 7, 1, hour, minute, second};
        program.OnSchedulerTick();
    }
    std::string& Stored(const std::string& key, const std::string& value) {
        return registry.values[{Hive::CurrentUser, key, value}];
    }
    void SetHotkey(const std::string& name, const std::string& mod, const std::string& vk) {
        Stored(kHotkeys, name + "MOD") = mod;
        Stored(kHotkeys, name + "VK") = vk;
    }
    Journal Filtered(const std::string& prefix) const {
        Journal out;
        std::copy_if(journal.begin(), journal.end(), std::back_inserter(out),
                     [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
        return out;
    }
    CommandReply Send(const std::vector<std::string>& args) {
        std::string answer;
        return static_cast<CommandReply>(program.OnCommand(JoinArguments(args), answer));
    }
    std::vector<std::string> Told() const {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }

    Journal journal;
    fakes::FakeInstance instance;
    fakes::FakeDialogs dialogs{journal};
    fakes::FakeRegistry registry;
    fakes::FakeFileSystem files{journal};
    fakes::FakeOsVersion osVersion;
    fakes::FakeHotkeys hotkeys{journal};
    fakes::FakeOptionsWindow window{journal};
    fakes::FakeClock clock{LocalTime{2026, 12, 7, 1, 8, 59, 10}};
    fakes::FakePower power{journal};
    fakes::FakeUser user;
    fakes::FakeCountdownWindow countdownWindow;
    fakes::FakeShell shell;
    fakes::FakeDisk disk{journal};
    fakes::FakeQuickbarWindow quickbarWindow{journal};
    fakes::FakeProcesses processes{journal};
    fakes::FakeInputDialogs input{journal};
    fakes::FakeTasksWindow tasks{journal};
    fakes::FakeWarningWindows warnings;
    fakes::FakeWakeTimer wakeTimer{journal};
    Program program{Platform{OsServices{instance, dialogs, registry, files, osVersion, hotkeys, clock, power, user, user,
                                        shell, disk, processes, input, instance, wakeTimer},
                             WindowPorts{window, countdownWindow, disk, quickbarWindow, tasks, window, warnings}}};
};

using ProgramOptions = ProgramTest;

TEST_F(ProgramOptions, AFocusedHotkeyBoxCapturesRegisteredCombinationsAndIsSettledByApplyAndOK) {
    SetHotkey("Shutdown", "6", "83");
    Stored(kHotkeys, "Shutdown") = " Ctrl + Shift + S";
    SetHotkey("Reboot", "16390", "82");      // stored values are used only as the program writes them:
    SetHotkey("LogOff", "6", "4294967361");  // not with the no-repeat flag, nor a key past 32 bits ("A" + 2^32)
    Start({});
    HotkeyCapture& capture = *program.HotkeyCaptureModel();
    const OptionsForm& form = program.Form();
    EXPECT_EQ(form.txtRebootKey.Text() + form.txtLogOffKey.Text(), "");
    capture.GotFocus(HotkeyReboot);
    program.OnHotkey(HotkeyShutdown, (83 << 16) | 6);  // captured, not carried out
    EXPECT_EQ(Filtered("ExitWindowsEx"), Journal{});
    EXPECT_EQ(form.txtRebootKey.Text(), " Ctrl +  Shift + S");
    // Apply checks it as leaving the box would: the shutdown box holds it.
    program.Form().cmdApply.Click();
    EXPECT_EQ(form.txtRebootKey.Text() + std::to_string(Filtered("register").size()), "0");
    // Enter (OK) with a new capture in the box stores and registers it.
    capture.KeyUp(HotkeyReboot, 'R', CtrlMask | AltMask);
    program.Form().cmdOK.Click();
    EXPECT_EQ(Stored(kHotkeys, "Reboot"), " Ctrl +  Alt + R");
    EXPECT_EQ(Filtered("register 1"), Journal{"register 1 3 82"});
}

// The Quickbar page: Cancel brings "no placement" back, and only the user's
// drag, not a move back on screen, changes the stored place.
TEST_F(ProgramOptions, QuickbarPageKeepsConfirmationsNoPlacementAndTheUsersPlace) {
    const std::string qb = "SOFTWARE\\Orbelle\\DWL\\Quickbar";
    Stored(qb, "Horizontally") = Stored(qb, "Vertically") = "0";
    Stored(qb, "PosX") = "-9000";        // on a monitor missing today
    Stored(qb, "PosY") = "-99999999.5";  // rounds past the limit: no place
    Start({});
    program.QuickbarModel().OnMoved(0, 0);  // brought back on screen
    OptionsForm& form = program.Form();
    form.optQBVertical.SetValue(true);
    form.cmdCancel.Click();
    EXPECT_FALSE(form.optQBVertical.Value() || form.optQBHorizontal.Value());
    form.chkQBConfirm.SetValue(0);
    form.cmdOK.Click();
    program.ExitProgram();
    EXPECT_EQ(Stored(qb, "Confirmations") + " " + Stored(qb, "PosX") + " " + Stored(qb, "PosY"), "0 -9000 0");
}

// The splash and the password dialogs hold the menus, the tray and the hotkeys
// as a message box does, not the minutes; setup's close request closes them and
// ends the program.
TEST_F(ProgramOptions, SplashAndPasswordDialogsAreModalButMinutesGoOnAndACloseRequestClosesThem) {
    SetHotkey("Shutdown", "6", "83");
    files.files[kScn] = FormatScenarioFile({{"Shutdown Windows; Daily; 9:00"}, {}});
    auto whileOpen = [this] {
        program.OnHotkey(HotkeyShutdown, (83 << 16) | 6);
        program.OnTrayNotify(OptionsController::kRightButtonUp);
        program.OnMenuCommand(MenuExit);
        EXPECT_EQ(Filtered("ExitWindowsEx").size() + Filtered("tray menu").size(), 0u);
        EXPECT_FALSE(program.Exited());
    };
    program.showSplash = [&] {
        whileOpen();
        TickAt(9, 0);
    };
    program.askNewPassword = [&] {
        whileOpen();
        program.OnEndRequest();
        EXPECT_FALSE(program.Exited());
        return std::optional<std::pair<std::string, std::string>>();
    };
    program.closePasswordDialog = [this] { journal.push_back("close password"); };
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(countdownWindow.shows, 1);
    journal.clear();
    program.Form().cmdPassword.Click();
    EXPECT_EQ(journal, (Journal{"close password", "post end request"}));
    program.OnEndRequest();  // the request, back from the queue
    EXPECT_TRUE(program.Exited());
}

TEST_F(ProgramOptions, LockNeedsAReadablePasswordAndTheRightOneUnlocksUntilTheWindowIsHidden) {
    Stored(kOptions, "Enabled") = "1";
    Stored(kOptions, "Password") = std::string(256, 'x');  // unreadable: starts unlocked, and says so
    ASSERT_TRUE(program.Main());
    OptionsForm& form = program.Form();
    PasswordLock& lock = program.Lock();
    EXPECT_EQ(dialogs.shown.size(), 1u);
    std::optional<std::string> typed;
    std::optional<std::pair<std::string, std::string>> typedTwice;
    lock.askPassword = [&] { return typed; };
    lock.askNewPassword = [&] { return typedTwice; };
    auto locked = [&] {
        int greyed = 0;
        for (Control* control : GuardedControls(form)) greyed += !control->Enabled();
        EXPECT_TRUE(form.lstScen.Enabled() && form.chkQBar.Enabled() && form.cmdOK.Enabled());
        EXPECT_EQ(form.cmdPassword.Caption(), greyed ? "&Unlock..." : "Set pass&word...");
        return greyed == static_cast<int>(GuardedControls(form).size()) && !form.lstDays.Enabled() ? 1 : greyed == 0 ? 0 : -1;
    };
    EXPECT_EQ(locked(), 0);
    EXPECT_FALSE(lock.InForce());

    // Ticked again without a password: no lock.
    form.chkPassword.SetValue(0);
    form.chkPassword.SetValue(1);
    form.cmdApply.Click();
    EXPECT_EQ(Stored(kOptions, "Enabled"), "0");
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
    EXPECT_EQ(dialogs.shown.size(), 6u);  // the start's, the Apply's and four refusals
    EXPECT_TRUE(lock.ConfigPassword.empty());
    typedTwice = {{"s3cret", "s3cret"}};
    form.cmdPassword.Click();
    EXPECT_EQ(Stored(kOptions, "Password"), UnscrambleText("s3cret", kPasswordKey));
    EXPECT_EQ(Stored(kOptions, "Enabled"), "1");
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
    // The administrator locks while the password is typed: the right one opens nothing.
    lock.askPassword = [&] {
        registry.SetPolicy(Hive::LocalMachine, "LockSettings", 1);
        program.OnPolicyChange();
        return typed;
    };
    form.cmdPassword.Click();
    EXPECT_EQ(locked(), 1);
    registry.typed.clear();
    program.OnPolicyChange();
    lock.askPassword = [&] { return typed; };

    typed = "s3cret";
    form.cmdPassword.Click();
    form.chkPassword.SetValue(0);
    form.cmdOK.Click();
    EXPECT_EQ(Stored(kOptions, "Enabled"), "0");
    program.OnMenuCommand(MenuSettings);
    EXPECT_EQ(locked(), 0);
}

// A standard user cannot remove the entry setup made for all users: one message
// says how. Both entries start the program at logon: the second start ends
// without a word and leaves the machine's entry alone.
TEST_F(ProgramOptions, StartupBoxOfAStandardUserAndTheStartByBothEntries) {
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

    ProgramTest second;
    second.instance.otherRuns = true;
    second.registry.values = registry.values;
    second.Stored(run, "DWL") = exe;
    EXPECT_FALSE(second.program.Main());
    EXPECT_TRUE(second.dialogs.shown.empty());
    EXPECT_FALSE(second.registry.values.count({Hive::CurrentUser, run, "DWL"}));
    EXPECT_TRUE(second.registry.values.count({Hive::LocalMachine, run, "DWL"}));
}

// Off, no wake timer is set; the Apply that turns waking on sets it and tells
// a refusal once (the trace names it each time); a resume sets it again; off
// cancels it.
TEST_F(ProgramOptions, WakeTimerFollowsTheOptionAndARefusalIsToldOnce) {
    Start({"Shutdown Windows; Daily; 9:30"});
    program.trace = [this](const std::string& line) { journal.push_back(line); };
    wakeTimer.refusal = "no support";
    for (int on : {0, 1, 1, 0}) {
        program.Form().chkWake.SetValue(on);
        program.Options().cmdApply_Click();
        program.OnResume();
    }
    const std::string at = "wake at " + std::to_string(clock.UtcSecondsOf({2026, 12, 7, 1, 9, 25}));
    EXPECT_EQ(Filtered("wake"), (Journal{at, at, at, "wake cancelled"}));
    EXPECT_EQ(Filtered("dwl: wake timer refused: no support").size(), 3u);
    EXPECT_EQ(Told().size(), 1u);
    EXPECT_EQ(Told()[0].substr(0, 48), "Windows does not let a timer wake this computer,");
}

using ProgramScenarios = ProgramTest;
using Texts = std::vector<std::string>;

// What the user's folder and the program's folder hold before the start and
// after the end of the session; a damaged file is kept, never written over.
TEST_F(ProgramScenarios, ADamagedFileIsKeptAsideAndAnOlderOneCarriedOverOnlyIntoAMissingFile) {
    using Files = std::map<std::string, std::string>;
    const std::string beside = "C:\\Apps\\Duskwell\\dwl.scn", portable = "C:\\Apps\\Duskwell\\dwl.portable";
    const std::string damaged = "Shutdown Windows; Onetime; 23:15\r\n", empty = FormatScenarioFile({});
    const std::string older = FormatScenarioFile({{"Reboot Computer; Daily; 7:00"}, {}});
    const std::string keptAs = "The scenario file could not be read and has been kept as ";
    const std::string unread = "The scenario file " + kScn +
                               " could not be read. Scenario changes will not be saved "
                               "in this session.";
    const struct {
        const char* name;
        Files before, after;
        Texts list, told;
        bool unreadable = false;
        // clang-format off
    } rows[] = {
        {"damaged, beside an older damaged one", {{kScn, damaged}, {kScn + ".bad", "older"}},
         {{kScn, empty}, {kScn + ".bad", "older"}, {kScn + ".bad2", damaged}}, {}, {keptAs + kScn + ".bad2."}},
        {"unreadable: left alone", {{kScn, "whatever it holds"}}, {{kScn, "whatever it holds"}}, {}, {unread}, true},
        {"an older version's", {{beside, older}}, {{beside, older}, {kScn, older}}, {"Reboot Computer; Daily; 7:00"},
         {}},
        {"never over one of the new place, even empty", {{beside, older}, {kScn, empty}},
         {{beside, older}, {kScn, empty}}, {}, {}},
        {"a damaged older one: kept where it is", {{beside, "cut off"}},
         {{beside + ".bad", "cut off"}, {kScn, empty}}, {}, {keptAs + beside + ".bad."}},
        {"and in portable use, the program's own", {{beside, "cut off"}, {portable, ""}},
         {{beside + ".bad", "cut off"}, {beside, empty}, {portable, ""}}, {}, {keptAs + beside + ".bad."}},
    };
    // clang-format on
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        ProgramTest p;
        p.files.files.insert(r.before.begin(), r.before.end());
        if (r.unreadable) p.files.unreadable[kScn] = true;
        ASSERT_TRUE(p.program.Main());
        EXPECT_EQ(p.program.Form().lstScen.Items(), r.list);
        EXPECT_EQ(p.Told(), r.told);
        p.program.OnEndSession();
        p.program.ExitProgram();
        EXPECT_TRUE(!r.unreadable || p.Filtered("write").empty());
        Files after = r.after;
        after["C:\\Apps\\Duskwell\\dwl.exe.MANIFEST"] = "<assembly/>";
        EXPECT_EQ(p.files.files, after);
    }
}

// What a tick has to tell waits until it has handed over the minute's
// scenarios: a failed save (told once, and never while the session ends), and
// a due run whose program is missing (as an older version could write it),
// which starts nothing and writes one trace line.
TEST_F(ProgramScenarios, AFailedSaveOrAMissingProgramInATickIsToldAfterTheHandOverWhileTicksGoOn) {
    Start({"Run Application gone; Onetime; 9:00", "Shutdown Windows; Onetime; 9:00", "Suspend; Daily; 9:01"});
    program.trace = [this](const std::string& line) { journal.push_back("trace " + line); };
    files.failWrites = true;
    program.OnEndSession();
    int handedOverBeforeTheBox = 0;
    dialogs.whileShown = [&] {
        if (!handedOverBeforeTheBox) handedOverBeforeTheBox = countdownWindow.shows;
        TickAt(9, 1);  // the box's message loop delivers the next ticks
        TickAt(9, 1, 50);
    };
    TickAt(9, 0);
    program.SaveScenarios();
    EXPECT_EQ(Told(), (Texts{"The scenarios could not be saved to " + kScn + ".",
                             "The scenario that runs \"gone\" has no program to start, so nothing was started.\r\n"
                             "Choose its program with \"Find...\" on the Scenarios page."}));
    EXPECT_EQ(dialogs.shown[0].owner, DialogOwner::Options);
    EXPECT_EQ(handedOverBeforeTheBox, 1);
    EXPECT_EQ(Filtered("trace").size() + shell.opened.size(), 1u);
    clock.now.minute = 2;
    program.OnResume();                   // back from sleep: the minutes are checked at once, not at the next tick
    EXPECT_EQ(countdownWindow.shows, 2);  // the daily one once, not again after the box
    EXPECT_EQ(program.CountdownWindow().lblAction.Caption(), "Your computer will be suspended in 5 second(s).");
}

// A close asks each matching program of the user's session (never this one)
// and returns at once; the waits run on ticks. Only a program without a window,
// or one still hung 5 s after its close timed out, is terminated: one that asks
// its user about unsaved work stays with its question. An id that another
// program's image holds by the open is left alone.
TEST_F(ProgramScenarios, CloseScenarioWaitsAsideAndKeepsAProgramThatAsks) {
    using A = fakes::FakeProcesses::Answer;
    Start({"Close Application notepad; Daily; 9:00", "Run Application Close Application x; Daily; 9:01"},
          {{"C:\\x.exe", "Close Application x", ""}});
    processes.running = {{4, "notepad.exe"},
                         {5, "xnotepad.exe"},
                         {6, "C:\\WINDOWS\\NOTEPAD.EXE"},
                         {7, "notepad.exe", true, true},
                         {8, "notepad.exe", false},
                         {9, "NotePad.exe"},
                         {10, "notepad.exe"},
                         {11, "notepad.exe"},
                         {12, "notepad.exe"}};
    processes.answers = {{6, A::Hangs}, {9, A::Asks}, {10, A::NoWindow}};
    processes.images = {{11, "calc.exe"}, {12, ""}};  // ids passed on after the snapshot, or unreadable
    TickAt(9, 0);
    EXPECT_EQ(journal, (Journal{"close 4", "close 6", "close 9", "close 10", "terminate 10 0"}));
    journal.clear();
    // The next minute while the waits go on: this run scenario closes nothing, and
    // run as administrator, its program is told not started after the tick.
    shell.elevation = TokenElevation::Full;
    shell.desktopStarts = false;
    TickAt(9, 1);
    program.Form().cmdLink.Click();  // nor the web site, nor the help
    program.OnMenuCommand(MenuHelp);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_EQ(journal,
              Journal{"message The scenario's program \"Close Application x\" was not started: Duskwell runs as "
                      "administrator, and the Windows desktop could not start the program with your normal "
                      "rights. Duskwell does not start it as administrator."});
    journal.clear();
    TickAt(9, 0);  // the clock set back: the programs waited for are not asked again
    processes.Pass(9);
    EXPECT_TRUE(journal.empty());
    processes.Pass(1);
    EXPECT_EQ(journal, Journal{"terminate 6 0"});
    EXPECT_FALSE(processes.tick);
}

// Editing a run scenario runs the program chosen last; one short name stands
// for one program, and the file keeps only the records its scenarios name.
// Run with an administrator's full token, the desktop starts the program.
TEST_F(ProgramScenarios, TheLastChoiceRunsAndAnotherScenariosProgramIsKept) {
    Start({"Run Application app; Daily; 9:05", "Run Application note; Onetime; 9:02", "Lock Computer; Daily; 9:30"},
          {{"C:\\Old\\app.exe", "app", ""}, {"C:\\note.exe", "note", ""}});
    shell.elevation = TokenElevation::Limited;
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
    choose("C:\\note.exe");  // the same program, other parameters: refused too
    EXPECT_EQ(dialogs.shown.size(), 2u);
    input.answer = "";
    form.cmdFind.Click();  // the same program as it is: taken
    TickAt(9, 2);          // the one-time run between "Find..." and Apply
    form.cmdApply.Click();
    shell.elevation = TokenElevation::Full;
    TickAt(9, 30);
    EXPECT_EQ(shell.opened, (std::vector<std::string>{"\"C:\\New\\app.exe\" -n", "\"C:\\note.exe\"",
                                                      "unelevated \"C:\\note.exe\""}));
}

using ProgramCommands = ProgramTest;

TEST_F(ProgramCommands, InAndAtAddAppliedScenariosInTheRunsTimeFormThatFireAndAreConsumed) {
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
    // Inside the warning time (5 minutes unless set): warned of at once, and named by the tray icon.
    ASSERT_EQ(warnings.open.size(), 1u);
    EXPECT_EQ(warnings.open.begin()->second, std::pair(std::string("Reboot Computer at 9:04 AM, in 5 minute(s)."), true));
    EXPECT_EQ(window.trayTip, "Duskwell 2.5 - next: Reboot Computer at 9:04 AM");

    clock.now = {2026, 12, 7, 1, 9, 4, 30, 250};
    program.OnTimeChange();  // the clock set: the minutes are checked at once, the next at its start
    EXPECT_EQ(program.CountdownWindow().cmdAction.Caption(), "Reboot now");
    EXPECT_EQ(window.schedulerDelay, 29750u + Scheduler::kPastTheMinuteMs);
    EXPECT_EQ(Saved(), (std::vector<std::string>{active[0], active[2]}));
    EXPECT_TRUE(warnings.open.empty());
    EXPECT_EQ(window.trayTip, "Duskwell 2.5 - next: Log Off Current User at 9:30 PM");
}

// The running copy reads what it is sent. The clean-up before a shutdown
// lets messages in: a close request, Exit and a hotkey then start nothing and
// tear nothing down; the end follows the action (as it follows a countdown
// that the lock holds: see the end-to-end journey).
TEST_F(ProgramCommands, AnEndRequestedDuringTheCleanUpFollowsTheShutdown) {
    Start();
    EXPECT_EQ(Send({"/bogus"}), CommandReply::NotUnderstood);
    program.Form().chkCleanTemp.SetValue(1);
    disk.temp = u"C:\\Users\\me\\AppData\\Local\\Temp";
    disk.tree[disk.temp + u"\\"] = {{u"f.tmp", 0}};
    disk.beforeDelete = [this] {
        program.OnEndRequest();
        program.OnMenuCommand(MenuExit);
        program.OnHotkey(HotkeyShowOptions, 0);
        program.OnMenuCommand(MenuReboot);
        EXPECT_FALSE(program.Exited());
    };
    program.ExitWindows(1);  // shut down
    EXPECT_EQ(Filtered("ExitWindowsEx"), Journal{"ExitWindowsEx 5 4294967295"});
    EXPECT_EQ(journal.back(), "post end request");
}

// A later start whose command the system drops (the running copy has higher
// rights) or nobody answers says so and ends with 1, never as if it was done.
TEST_F(ProgramCommands, ALaterStartSaysWhenItsCommandWasDroppedOrNotAnswered) {
    instance.otherRuns = true;
    for (const auto outcome : {HandOverResult::Outcome::RunsElevated, HandOverResult::Outcome::NoAnswer}) {
        instance.handOver = {outcome, 0, {}};
        EXPECT_EQ(program.Start({"/cancel"}), std::optional<int>(ExitRefused));
    }
    // What the running copy answers is printed; with no copy running nothing is scheduled.
    instance.handOver = {HandOverResult::Outcome::Answered, 1, "Shutdown Windows at 23:15"};
    EXPECT_EQ(program.Start({"/next"}), std::optional<int>(ExitAccepted));
    instance.otherRuns = false;
    EXPECT_EQ(program.Start({"/skip"}), std::optional<int>(ExitRefused));
    EXPECT_EQ(Told(), (Texts{"Duskwell runs as administrator: start this command as administrator too.",
                             "Duskwell is running but does not answer.", "Shutdown Windows at 23:15",
                             "No scheduled action is coming."}));
}

using ProgramPolicy = ProgramTest;

// The administrator's scenarios come first, marked, and are neither deleted
// nor edited nor stored; under NoCancel nothing stops them, not the program's
// end either. A one-time one runs once, whatever re-reads follow; a run
// starts the policy's program, not the user's of the same name.
TEST_F(ProgramPolicy, ScenariosComeFirstRunOnceWithTheirProgramAndNoCancelHoldsThem) {
    registry.SetPolicy(Hive::LocalMachine, "Scenarios",
                       {"Shutdown Windows; Onetime; 9:05", "Run Application notes; Daily; 9:10", "nonsense"});
    registry.SetPolicy(Hive::LocalMachine, "Applications", {"notes|C:\\IT\\notes.exe|/p"});
    registry.SetPolicy(Hive::CurrentUser, "NoCancel", 1);
    Start({"Reboot; Daily; 9:30", "Shutdown Windows; Onetime; 9:05"}, {{"C:\\Mine\\notes.exe", "notes", ""}});
    OptionsForm& form = program.Form();
    EXPECT_EQ(form.lstScen.Item(0) + "|" + form.cmdScen.Item(1) + "|" + form.cmdScen.Item(2),
              "Shutdown Windows; Onetime; 9:05 (policy)|Run Application notes; Daily; 9:10 (policy)|Reboot; Daily; 9:30");
    form.cmdScen.SetListIndex(0);
    form.cmdDel.Click();
    EXPECT_FALSE(form.cmdAction.Enabled() || form.cmdDuration.Enabled());
    program.SaveScenarios();
    EXPECT_EQ(Saved(), (Texts{"Reboot; Daily; 9:30", "Shutdown Windows; Onetime; 9:05"}));
    program.OnEndRequest();
    EXPECT_EQ(Send({"/skip"}), CommandReply::PolicyHolds);
    TickAt(9, 1);
    EXPECT_FALSE(warnings.open.begin()->second.second);  // Postpone and Skip greyed
    TickAt(9, 5);
    EXPECT_FALSE(program.CountdownWindow().cmdCancel.Enabled());
    program.ExitWindows(0);  // a log off, as the tray menu, a hotkey or the Quickbar asks
    EXPECT_EQ(Send({"/cancel"}), CommandReply::PolicyHolds);
    EXPECT_EQ(Send({"/logoff"}), CommandReply::PolicyHolds);
    for (int i = 0; i < 6; ++i) program.CountdownWindow().ATimer_Timer();
    EXPECT_EQ(Filtered("ExitWindowsEx").size(), 1u);
    program.OnPolicyChange();
    TickAt(9, 10);
    EXPECT_FALSE(program.Exited());
    EXPECT_EQ(Told(), (Texts{"Duskwell cannot be closed: the administrator has set scenarios that must run on this "
                             "computer.",
                             "The administrator's scenario cannot be cancelled, postponed or skipped."}));
    EXPECT_EQ(shell.opened, Texts{"\"C:\\IT\\notes.exe\" /p"});
    // The user's own entry of that text was the same run: both are used up.
    EXPECT_EQ(Saved(), Texts{"Reboot; Daily; 9:30"});
    EXPECT_EQ(form.lstScen.Item(0), "Run Application notes; Daily; 9:10 (policy)");
}

// LockSettings locks the pages with no unlock, forced options are shown and
// greyed but never stored as the user's own, and a policy change is read
// again without a restart (one announced during the start-up's message box
// too): lifted, the user's own values come back, and a pending edit stays.
TEST_F(ProgramPolicy, LockAndForcedOptionsFollowThePolicyAndAreNeverStored) {
    auto& typed = registry.typed;
    registry.SetPolicy(Hive::LocalMachine, "CleanTemp", 1);
    registry.SetPolicy(Hive::LocalMachine, "WarnMinutes", 15);
    files.files[kScn] = "damaged";
    dialogs.whileShown = [&] {
        registry.SetPolicy(Hive::CurrentUser, "LockSettings", 1);
        program.OnPolicyChange();
    };
    ASSERT_TRUE(program.Main());
    dialogs.whileShown = nullptr;
    dialogs.shown.clear();
    OptionsForm& form = program.Form();
    program.Options().Show_Form();
    EXPECT_FALSE(form.chkStartup.Enabled() || form.cmdPassword.Enabled() || form.chkCleanTemp.Enabled());
    EXPECT_EQ(form.chkCleanTemp.Value() * 100 + form.cmdWarn.ListIndex(), 105);
    form.cmdPassword.Click();
    EXPECT_EQ(Send({"/shutdown", "/at", "22:00"}), CommandReply::PolicyLocked);
    typed.erase({Hive::CurrentUser, kPolicyKey, "LockSettings"});
    program.OnPolicyChange();
    EXPECT_TRUE(form.chkStartup.Enabled() && form.cmdPassword.Enabled() && !form.chkCleanTemp.Enabled());
    program.Book().AddActive("Reboot Computer; Daily; 9:30");
    form.cmdScen.SetListIndex(0);
    program.TimeBoxModel()->txtTime.SetText("9:31");
    registry.SetPolicy(Hive::LocalMachine, "Scenarios", {"Lock Computer; Daily; 9:20"});
    program.OnPolicyChange();
    form.chkPower.SetValue(1);
    form.cmdOK.Click();
    EXPECT_EQ(Stored("SOFTWARE\\Orbelle\\DWL\\CleanUp", "Temp") + Stored(kOptions, "WarnMinutes"), "05");
    EXPECT_EQ(Saved(), Texts{"Reboot Computer; Daily; 9:31"});
    typed.clear();
    program.OnPolicyChange();
    program.Options().Show_Form();
    form.cmdCancel.Click();
    EXPECT_EQ(form.chkCleanTemp.Value() * 100 + form.cmdWarn.ListIndex(), 3);
    EXPECT_EQ(Told(), Texts{"The administrator has locked the configuration of Duskwell on this computer."});
}

}  // namespace
}  // namespace dwl
