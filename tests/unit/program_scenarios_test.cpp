#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramScenarios = ProgramTest;

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
}  // namespace dwl
