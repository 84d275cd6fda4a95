#include <map>

#include "model/scramble.h"
#include "program_fixture.h"

namespace dwl {
namespace {

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

TEST_F(ProgramScenarios, AFailedSaveIsToldOnceAndNeverWhileTheSessionEnds) {
    ASSERT_TRUE(program.Main());
    files.failWrites = true;
    program.OnEndSession();
    EXPECT_TRUE(dialogs.shown.empty());
    program.SaveScenarios();
    program.SaveScenarios();
    EXPECT_EQ(Told(), Texts{"The scenarios could not be saved to " + kScn + "."});
}

TEST_F(ProgramScenarios, AFailedSaveInATickIsToldAfterTheHandOverWhileTicksGoOn) {
    Start({"Shutdown Windows; Onetime; 9:00", "Suspend; Daily; 9:01"});
    files.failWrites = true;
    int handedOverBeforeTheBox = 0;
    dialogs.whileShown = [&] {
        handedOverBeforeTheBox = countdownWindow.shows;
        TickAt(9, 1);  // the box's message loop delivers the next ticks
        TickAt(9, 1, 50);
    };
    TickAt(9, 0);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].owner, DialogOwner::Options);
    EXPECT_EQ(handedOverBeforeTheBox, 1);
    TickAt(9, 2);
    EXPECT_EQ(countdownWindow.shows, 2);  // the daily one once, not again after the box
    EXPECT_EQ(program.CountdownWindow().lblAction.Caption(), "Your computer will be suspended in 5 second(s).");
}

// A close asks each matching program of the user's session (never this one)
// and returns at once; the waits run on ticks. Only a program without a window,
// or one still hung 5 s after its close timed out, is terminated: one that asks
// its user about unsaved work stays with its question.
TEST_F(ProgramScenarios, CloseScenarioWaitsAsideAndKeepsAProgramThatAsks) {
    using A = fakes::FakeProcesses::Answer;
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
TEST_F(ProgramScenarios, TheLastChoiceRunsAndAnotherScenariosProgramIsKept) {
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
    choose("C:\\note.exe");  // the same program, other parameters: refused too
    EXPECT_EQ(dialogs.shown.size(), 2u);
    input.answer = "";
    form.cmdFind.Click();  // the same program as it is: taken
    TickAt(9, 2);          // the one-time run between "Find..." and Apply
    form.cmdApply.Click();
    TickAt(9, 30);
    EXPECT_EQ(shell.opened,
              (std::vector<std::string>{"\"C:\\New\\app.exe\" -n", "\"C:\\note.exe\"", "\"C:\\note.exe\""}));
}

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

}  // namespace
}  // namespace dwl
