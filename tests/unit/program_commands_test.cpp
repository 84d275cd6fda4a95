#include "model/power_action.h"
#include "model/scramble.h"
#include "program_fixture.h"

namespace dwl {
namespace {

struct ProgramCommands : ProgramTest {
    CommandReply Send(const std::vector<std::string>& args) {
        return static_cast<CommandReply>(program.OnCommand(JoinArguments(args)));
    }
};

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

    TickAt(9, 4);
    EXPECT_EQ(program.CountdownWindow().cmdAction.Caption(), "Reboot now");
    EXPECT_EQ(Saved(), (std::vector<std::string>{active[0], active[2]}));
}

// The running copy's replies in turn, without and with the configuration lock
// in force, and what the countdown says after each ("" while none runs).
TEST_F(ProgramCommands, TheLockRefusesScenariosAndCancelButNotAnActionNow) {
    using R = CommandReply;
    const std::string shutdown = "Your computer will be shutted down in 5 second(s).";
    // clang-format off
    struct Row { bool locked; std::vector<std::string> args; R reply; std::string counting; };
    const Row rows[] = {
        {false, {"/bogus"}, R::NotUnderstood, ""},
        {false, {"/logoff"}, R::Accepted, "alice, you will be logged off in 5 second(s)."},
        {false, {"/cancel"}, R::Accepted, ""},
        {false, {"/cancel"}, R::NoCountdown, ""},
        {true, {"/reboot", "/in", "5"}, R::ScenariosLocked, ""},
        {true, {"/shutdown"}, R::Accepted, shutdown},
        {true, {"/cancel"}, R::CancelLocked, shutdown},
    };
    // clang-format on
    for (bool locked : {false, true}) {
        ProgramCommands p;
        p.Stored(kOptions, "Enabled") = locked ? "1" : "0";
        p.Stored(kOptions, "Password") = UnscrambleText("pw", kPasswordKey);
        p.Start();
        for (const Row& r : rows) {
            if (r.locked != locked) continue;
            SCOPED_TRACE(JoinArguments(r.args));
            EXPECT_EQ(p.Send(r.args), r.reply);
            const Countdown& countdown = p.program.CountdownWindow();
            EXPECT_EQ(countdown.TimerRunning() ? countdown.lblAction.Caption() : "", r.counting);
        }
        EXPECT_EQ(p.program.Form().lstScen.Count(), 0);
    }
}

TEST_F(ProgramCommands, NoLockWhereTheSystemOffersNoneAndNothingStartsDuringAnAction) {
    Start();
    osVersion.record->major = 6;  // no locking offered
    EXPECT_EQ(Send({"/lock", "/in", "5"}), CommandReply::LockUnsupported);
    // The clean-up before a shutdown lets messages in.
    program.Form().chkCleanTemp.SetValue(1);
    CommandReply during = CommandReply::NotTaken;
    disk.whileCleaning = [&] { during = Send({"/reboot"}); };
    program.ExitWindows(PowerAction::Shutdown);
    EXPECT_EQ(during, CommandReply::Busy);
    EXPECT_TRUE(Filtered("show countdown").empty());
}

TEST_F(ProgramCommands, BadArgumentsEndWithTwoALaterStartWithTheRunningCopysAnswer) {
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

TEST_F(ProgramCommands, AFirstStartWithACommandSkipsTheSplashAndCarriesItOutUnlessItMustEnd) {
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

}  // namespace
}  // namespace dwl
