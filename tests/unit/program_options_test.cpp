#include "model/scramble.h"
#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramOptions = ProgramTest;

TEST_F(ProgramOptions, AFocusedHotkeyBoxCapturesRegisteredCombinationsAndIsSettledByApplyAndOK) {
    SetHotkey("Shutdown", "6", "83");
    Stored(kHotkeys, "Shutdown") = " Ctrl + Shift + S";
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
    // Enter (OK) with a new capture in the box stores and registers it.
    capture.KeyUp(HotkeyReboot, 'R', CtrlMask | AltMask);
    program.Form().cmdOK.Click();
    EXPECT_EQ(Stored(kHotkeys, "Reboot"), " Ctrl +  Alt + R");
    EXPECT_EQ(Filtered("register 1"), Journal{"register 1 3 82"});
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
        return greyed == 17 && !form.lstDays.Enabled() ? 1 : greyed == 0 ? 0 : -1;
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

}  // namespace
}  // namespace dwl
