#include "model/scramble.h"
#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramLock = ProgramTest;

TEST_F(ProgramLock, ALockSwitchWithoutAReadablePasswordStartsUnlockedAndSaysSo) {
    Stored(kOptions, "Enabled") = "1";
    Stored(kOptions, "Password") = std::string(256, 'x');
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(dialogs.shown.size(), 1u);
    EXPECT_FALSE(program.Lock().InForce());
    EXPECT_TRUE(program.Form().chkStartup.Enabled());
}

TEST_F(ProgramLock, LockNeedsAPasswordAndTheRightOneUnlocksUntilTheWindowIsHidden) {
    ASSERT_TRUE(program.Main());
    OptionsForm& form = program.Form();
    PasswordLock& lock = program.Lock();
    std::optional<std::string> typed;
    std::optional<std::pair<std::string, std::string>> typedTwice;
    lock.askPassword = [&] { return typed; };
    lock.askNewPassword = [&] { return typedTwice; };
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
    EXPECT_EQ(dialogs.shown.size(), 5u);  // the Apply's and four refusals
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

}  // namespace
}  // namespace dwl
