#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_platform.h"
#include "model/controls.h"
#include "ui/options/options_controller.h"
#include "ui/options/scenario_editor.h"

namespace dwl {
namespace {

using Texts = std::vector<std::string>;
using fakes::Journal;

// The options window after start-up: `entries` in both scenario lists, nothing
// pending. Every step of Apply and every window call goes into one journal.
struct Page {
    explicit Page(const Texts& entries = {}, bool use12Hour = false, bool lockSupported = true) {
        timeBox.Use12Hour = use12Hour;
        form.FillActionLists(lockSupported);
        book.Load(entries, {});
        form.ClearPendingChanges();
        controller.MarkApplied();
        dialogs.answer = IdYes;
        editor.chooseApplicationToRun = [this] {  // either chooser asks once and takes `chosen`
            ++asks;
            editor.SelectedApplication = chosen;
            return !chosen.empty();
        };
        editor.pickApplicationToClose = [this] { editor.chooseApplicationToRun(); };
        editor.removeApplicationRecords = [this](const std::string& e) { removed.push_back(e); };
        book.Observe([this](ScenarioBook::Change change) {
            if (change == ScenarioBook::Change::Active) journal.push_back("scenarios");
        });
        controller.applyHotkeys = [this] { journal.push_back("hotkeys"); };
        controller.setStartupEntry = [this](bool on) { journal.push_back(on ? "startup on" : "startup off"); };
        controller.saveOptions = [this] { journal.push_back("save"); };
        controller.displayQuickbar = [this] { journal.push_back("quickbar"); };
    }
    Texts Days() const {
        Texts days;
        for (int i = 0; i < form.lstDays.Count(); ++i)
            if (form.lstDays.Checked(i)) days.push_back(form.lstDays.Item(i));
        return days;
    }
    // The scenario step of Apply; the active list after it.
    Texts Apply() {
        editor.ApplyScenarioStep();
        return form.lstScen.Items();
    }

    Journal journal;
    OptionsForm form;
    TimeBox timeBox{form.txtTime, form.cmdPlus, form.cmdMin, form.lstTime};
    fakes::FakeClock clock{9, 41, "09:41:07"};
    fakes::FakeDialogs dialogs{journal};
    ScenarioBook book;
    ScenarioEditor editor{form, book, timeBox, clock, dialogs};
    fakes::FakeOptionsWindow window{journal};
    OptionsController controller{form, window, window, editor};
    std::string chosen;
    int asks = 0;
    Texts removed;
};

TEST(TimeBox, StepsThePartOfTheTextItShows) {
    // clang-format off
    struct Row { bool use12Hour; const char* text; const char* part; bool up; const char* result; const char* selected; };
    const Row rows[] = {
        {true, "12:30 AM", "h", true, "1:30 AM", "1"},     {true, "11:30 PM", "h", true, "12:30 PM", "12"},
        {false, "23:15", "h", true, "0:15", "0"},          {false, "0:15", "h", false, "23:15", "23"},
        {false, "9:00", "n", false, "9:59", "59"},         {true, "9:05 PM", "t", false, "9:05 AM", "AM"},
        {true, "9:05 PM", "", true, "9:05 PM", ""},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.text) + " " + row.part + (row.up ? " up" : " down"));
        Page p({}, row.use12Hour);
        p.form.txtTime.SetText(row.text);  // with `part` selected
        p.timeBox.TimePart = row.part;
        p.timeBox.SelectTimePart();
        (row.up ? p.form.cmdPlus : p.form.cmdMin).Click();
        EXPECT_EQ(p.form.txtTime.Text(), row.result);
        EXPECT_EQ(p.form.txtTime.SelText(), row.selected);
    }
}

TEST(ScenarioEditor, AddNewAppendsTheDefaultOfTheCurrentMinuteOnceAndLeavesTheSelectedEntryAlone) {
    // In 12-hour form; the options window's end-to-end run adds, edits and applies one in 24-hour form.
    Page p({"Reboot Computer; Weekly (Tue); 7:00"}, true);
    p.form.cmdScen.SetListIndex(0);
    p.form.cmdAdd.Click();
    p.form.cmdAdd.Click();  // the same minute: nothing more
    EXPECT_EQ(p.form.cmdScen.Items(),
              (Texts{"Reboot Computer; Weekly (Tue); 7:00", "Shutdown Windows; Onetime; 9:41 AM"}));
    EXPECT_EQ(p.form.cmdScen.ListIndex(), 1);
    EXPECT_FALSE(p.form.lstDays.Visible() || p.form.cmdApply.Enabled());

    // The default applied already: shown, and the entry selected before is left alone.
    Page q({"Reboot Computer; Daily; 7:00", "Shutdown Windows; Onetime; 9:41"});
    q.form.cmdScen.SetListIndex(0);
    q.form.cmdAdd.Click();
    EXPECT_EQ(q.form.cmdScen.ListIndex(), 1);
    EXPECT_FALSE(q.form.cmdApply.Enabled() || q.form.ScenariosChanged);
    // As an Apply that other pages' changes would run.
    EXPECT_EQ(q.Apply(), (Texts{"Reboot Computer; Daily; 7:00", "Shutdown Windows; Onetime; 9:41"}));
}

TEST(ScenarioEditor, DeleteRemovesOnYesOnlyAndLoadsTheFirstRemainingEntry) {
    Page p({"Run Application calc.exe; Daily; 7:00", "Suspend; Onetime; 6:00"});
    p.form.cmdScen.SetListIndex(0);
    p.form.cmdDuration.SetText("Onetime");  // a pending edit
    p.dialogs.answer = IdNo;
    p.form.cmdDel.Click();
    EXPECT_TRUE(p.removed.empty() && p.form.lstScen.Count() == 2 && p.form.ScenariosChanged);
    p.dialogs.answer = IdYes;
    p.form.cmdDel.Click();
    EXPECT_EQ(p.removed, Texts{"Run Application calc.exe; Daily; 7:00"});
    EXPECT_EQ(p.form.lstScen.Items(), Texts{"Suspend; Onetime; 6:00"});
    EXPECT_EQ(p.form.cmdAction.Text(), "Suspend");  // the first remaining one is loaded
    EXPECT_FALSE(p.form.ScenariosChanged || p.form.cmdApply.Enabled());
}

TEST(ScenarioEditor, ApplicationScenariosNeedAnApplication) {
    // clang-format off
    // `preselected` is picked under `pickedFor`, then the action becomes `action`;
    // a run needs a kept program (calc.exe has one).
    struct Row { const char *pickedFor, *action, *preselected, *chosen, *result; int asks; };
    const char* run = "Run Application";
    const Row rows[] = {
        {run, run, "", "notepad.exe", "Run Application notepad.exe; Daily; 7:00", 1},
        {run, run, "calc.exe", "", "Run Application calc.exe; Daily; 7:00", 0},
        {run, run, "gone.exe", "", nullptr, 1},  // no record, and the file dialog is cancelled
        {"Close Application", run, "notepad", "", nullptr, 1},
        {"Close Application", "Close Application", "", "winword.exe", "Close Application winword.exe; Daily; 7:00", 1},
        {"Close Application", "Close Application", " ", "  ", nullptr, 1},
    };
    // clang-format on
    for (const Row& r : rows) {
        Page p({"Reboot Computer; Daily; 7:00"});
        p.editor.hasApplicationRecord = [](const std::string& name) { return name == "calc.exe"; };
        p.form.cmdScen.SetListIndex(0);
        p.form.cmdAction.SetText(r.pickedFor);
        p.editor.SelectedApplication = r.preselected;
        p.form.cmdAction.SetText(r.action);
        p.chosen = r.chosen;
        p.editor.ApplyScenarioStep();
        SCOPED_TRACE(std::string(r.action) + " [" + r.preselected + "]");
        EXPECT_EQ(p.asks, r.asks);
        EXPECT_EQ(p.form.lstScen.Items(), Texts{r.result ? r.result : "Reboot Computer; Daily; 7:00"});
        EXPECT_EQ(p.form.ScenariosChanged, r.result == nullptr);
        EXPECT_TRUE(!r.result || p.editor.SelectedApplication.empty());
    }
}

TEST(ScenarioEditor, EntriesTheControlsCannotShowAreNeverRewrittenButCanBeDeleted) {
    // Lock is not offered here; three damaged entries the scheduler never runs either.
    const Texts entries{"Lock Computer; Daily; 7:00 PM", "Shutdown Windows; Weekly (Mon);x; 8:00 PM", "garbage",
                        "Suspend; After exit; setup", "Suspend; After idle; 30 min"};
    Page p(entries, true, false);
    for (int i : {0, 1, 2, 3}) {
        p.form.cmdScen.SetListIndex(4);
        p.form.cmdScen.SetListIndex(i);
        EXPECT_EQ(p.form.cmdScen.Text(), entries[static_cast<size_t>(i)]);
        EXPECT_FALSE(p.form.cmdAction.Enabled() || p.form.cmdDuration.Enabled() || p.form.txtTime.Enabled() ||
                     p.form.cmdPlus.Enabled() || p.form.txtIdle.Visible() || p.form.txtIdle.Enabled());
        EXPECT_EQ(p.form.cmdAction.Text(), "") << i;  // not the action of the entry shown before
        p.form.ScenariosChanged = true;               // a change is pending when Apply comes
        EXPECT_EQ(p.Apply(), entries);
    }
    p.form.cmdScen.SetListIndex(4);
    EXPECT_TRUE(p.form.cmdAction.Enabled() && p.form.txtIdle.Enabled());
    p.form.cmdScen.SetListIndex(0);
    p.form.cmdDel.Click();
    EXPECT_EQ(p.form.lstScen.Items(), Texts(entries.begin() + 1, entries.end()));
}

TEST(ScenarioEditor, AProgramOrMinutesTakeTheTimeBoxPlaceAreShownAndCheckedOnApply) {
    // Shown when selected, not rewritten unchanged; edited into "After exit" with a program
    // picked among the running ones (named without ".exe"), into a time of day, into minutes.
    const Texts entries{"Shutdown Windows; After exit; setup.exe", "Suspend; After idle; 30 min"};
    Page p(entries);
    p.form.cmdScen.SetListIndex(0);
    EXPECT_EQ(p.form.lblTime.Caption() + p.form.txtProgram.Text(), "Program:setup.exe");
    EXPECT_TRUE(p.form.cmdProgram.Visible() && !p.form.txtTime.Visible() && !p.form.txtIdle.Visible());
    p.form.cmdScen.SetListIndex(1);
    EXPECT_EQ(p.form.cmdDuration.Text() + "|" + p.form.txtIdle.Text(), "After idle|30");
    EXPECT_TRUE(p.form.lblIdle.Visible() && !p.form.txtProgram.Visible() && !p.form.cmdPlus.Visible());
    EXPECT_FALSE(p.editor.EditPending() || p.form.ScenariosChanged);  // loaded, not to be rewritten
    p.form.cmdDuration.SetText("After exit");
    p.chosen = "game";
    p.form.cmdProgram.Click();
    EXPECT_EQ(p.Apply(), (Texts{entries[0], "Suspend; After exit; game.exe"}));
    p.form.cmdDuration.SetText("Daily");
    EXPECT_EQ(p.Apply(), (Texts{entries[0], "Suspend; Daily; 9:41"}));
    EXPECT_TRUE(p.form.txtTime.Visible() && !p.form.txtProgram.Visible() && p.form.lblTime.Caption() == "Time:");
    p.form.cmdDuration.SetText("Weekly");  // no day ticked: Sunday
    const Texts weekly{entries[0], "Suspend; Weekly (Sun); 9:41"};
    EXPECT_EQ(p.Apply(), weekly);
    EXPECT_EQ(p.Days(), Texts{"  Sun"});

    // A time the box cannot have written: skipped. Names and minutes an entry
    // cannot hold: refused with a message. The edit stays pending.
    p.form.txtTime.SetText("00:30");
    EXPECT_EQ(p.Apply(), weekly);
    for (const char* typed : {"", "setup", " a.exe", "a;b.exe", "1441"}) {
        const bool idle = typed == std::string("1441");
        p.form.cmdDuration.SetText(idle ? "After idle" : "After exit");
        (idle ? p.form.txtIdle : p.form.txtProgram).SetText(typed);
        EXPECT_EQ(p.Apply(), weekly) << typed;
    }
    EXPECT_TRUE(p.dialogs.shown.size() == 5 && p.form.ScenariosChanged && p.editor.EditPending());
    p.form.txtIdle.SetText("45");
    EXPECT_EQ(p.Apply(), (Texts{entries[0], "Suspend; After idle; 45 min"}));
}

TEST(ScenarioEditor, LoadingShowsExactlyTheEntryInEitherTimeFormAndTheTimeBoxStepsItsText) {
    const Texts entries{"Shutdown Windows; Onetime; 7:00 AM", "Reboot Computer; Weekly (Mon, Fri); 19:30",
                        "Log Off Current User; Daily; 10:30 PM"};
    Page p(entries, true);
    p.form.cmdScen.SetListIndex(1);  // the first weekly entry after start-up
    EXPECT_EQ(p.Days(), (Texts{"  Mon", "  Fri"}));
    p.form.cmdScen.SetListIndex(0);
    p.form.cmdScen.SetListIndex(1);  // after a one-time entry
    EXPECT_EQ(p.Days(), (Texts{"  Mon", "  Fri"}));
    // A 24-hour entry in a 12-hour run: shown in the run's form.
    EXPECT_EQ(p.form.cmdAction.Text() + "|" + p.form.cmdDuration.Text() + "|" + p.form.txtTime.Text(),
              "Reboot Computer|Weekly|7:30 PM");
    EXPECT_FALSE(p.form.cmdApply.Enabled() || p.form.ScenariosChanged || p.editor.EditPending());

    // The hours of "10:30 PM" selected, then another entry loaded: "-" steps its hours.
    p.form.cmdScen.SetListIndex(2);
    p.form.txtTime.SetSelection(1, 0);
    p.timeBox.SelectPartAtCaret();
    p.form.cmdScen.SetListIndex(1);
    p.form.cmdMin.Click();
    EXPECT_EQ(p.form.txtTime.Text(), "6:30 PM");
    EXPECT_EQ(p.Apply(), (Texts{entries[0], entries[2], "Reboot Computer; Weekly (Mon, Fri); 6:30 PM"}));
}

TEST(ScenarioEditor, ApplyWritesOnlyAWholeEntry) {
    // An entry the editor cannot show, applied with another page, deleted,
    // cancelled; then days ticked without an action.
    Page q({"Shutdown Windows; Daily; 07:00"});
    q.form.cmdScen.SetListIndex(0);
    q.form.OptionsChanged = true;
    q.editor.ApplyScenarioStep();
    q.editor.MarkApplied();
    q.form.cmdDel.Click();
    q.editor.RevertToApplied();
    q.form.cmdDuration.SetText("Weekly");
    q.form.lstDays.SetChecked(1, true);
    q.editor.ApplyScenarioStep();
    EXPECT_EQ(q.form.lstScen.Count() + q.form.cmdScen.Count(), 0);
}

TEST(OptionsController, AnAddedDefaultBecomesActiveOnlyWhenItWasEditedAndApplied) {
    const Texts active{"Reboot Computer; Daily; 7:00", "Suspend; Daily; 8:00"};
    // Add new, then OK for a change on another page (0) or an edit of another
    // entry applied (1): the default never becomes active, and hiding drops it.
    // Edited and applied (2), it is active.
    const Texts after[] = {
        active, {active[1], "Reboot Computer; Daily; 7:30"}, {active[0], active[1], "Shutdown Windows; Daily; 9:41"}};
    for (int way : {0, 1, 2}) {
        Page s(active);
        s.form.cmdAdd.Click();
        if (way == 0) s.form.chkTray.SetValue(1);
        if (way == 1) {
            s.form.cmdScen.SetListIndex(0);
            s.form.txtTime.SetText("7:30");
            s.form.cmdApply.Click();
        }
        if (way == 2) s.form.cmdDuration.SetText("Daily");
        s.form.cmdOK.Click();
        EXPECT_EQ(s.form.lstScen.Items(), after[way]) << way;
        EXPECT_EQ(s.form.cmdScen.Items(), s.form.lstScen.Items());
    }
}

TEST(OptionsController, CancelPutsEveryPageBackToTheLastApply) {
    Page s({"Reboot Computer; Daily; 7:00"});
    s.controller.saveOptions = [&s] {
        s.journal.push_back("save temp " + std::to_string(s.form.chkCleanTemp.Value()));
    };
    s.form.cmdScen.SetListIndex(0);
    s.form.chkCleanTemp.SetValue(1);
    s.form.cmdApply.Click();
    s.form.QuickbarChanged = true;

    // Changes on several pages, an edit of the selected scenario and a new one; then Cancel.
    s.form.chkCleanTemp.SetValue(0);
    s.form.cmdDuration.SetText("Weekly");
    s.form.lstDays.SetChecked(3, true);
    s.form.cmdAdd.Click();
    s.journal.clear();
    s.form.cmdCancel.Click();
    EXPECT_EQ(s.journal, Journal{"hide options"});
    EXPECT_FALSE(s.form.cmdApply.Enabled());
    EXPECT_FALSE(s.form.ScenariosChanged || s.form.HotkeysChanged || s.form.OptionsChanged);
    EXPECT_EQ(s.form.chkCleanTemp.Value(), 1);
    EXPECT_EQ(s.form.cmdScen.Items(), Texts{"Reboot Computer; Daily; 7:00"});
    EXPECT_EQ(s.form.cmdScen.Text(), "Reboot Computer; Daily; 7:00");
    EXPECT_EQ(s.form.cmdDuration.Text(), "Daily");
    EXPECT_FALSE(s.form.lstDays.Visible() || s.form.lstDays.Checked(3));

    // A later, unrelated Apply stores only what was applied, and the Quickbar
    // change that Cancel keeps is redisplayed with it.
    s.journal.clear();
    s.form.chkTray.SetValue(1);
    s.form.cmdApply.Click();
    EXPECT_EQ(s.journal, (Journal{"startup off", "save temp 1", "quickbar", "focus"}));  // no "scenarios"
}

}  // namespace
}  // namespace dwl
