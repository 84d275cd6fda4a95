#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "model/text.h"
#include "ui/options/options_controller.h"
#include "ui/options/scenario_editor.h"

namespace dwl {
namespace {

using Texts = std::vector<std::string>;

using fakes::Journal;

// The options window after start-up; every step of Apply and every window
// call goes into one journal. The options step records the shutdown item's
// caption, to show the captions are updated before it.
struct Shell {
    Shell() {
        form.FillActionLists(true);
        form.ClearPendingChanges();
        editor.onActiveListChanged = [this] { journal.push_back("scenarios"); };
        controller.applyHotkeys = [this] { journal.push_back("hotkeys"); };
        controller.setStartupEntry = [this](bool on) {
            journal.push_back(std::string(on ? "startup on " : "startup off ") + form.mShutdown.Caption());
        };
        controller.saveOptions = [this] { journal.push_back("save"); };
        controller.displayQuickbar = [this] { journal.push_back("quickbar"); };
    }
    Journal journal;
    OptionsForm form;
    TimeBox timeBox{form.txtTime, form.cmdPlus, form.cmdMin, form.lstTime};
    fakes::FakeClock clock{9, 41, "09:41"};
    fakes::FakeDialogs dialogs{journal};
    ScenarioEditor editor{form, timeBox, clock, dialogs};
    fakes::FakeOptionsWindow window{journal};
    OptionsController controller{form, window, editor};
};

const std::string kOptionsStep = "startup off Shutdown Windows\t(Ctrl+Shift+S)";

TEST(OptionsController, ApplyAndOkActOnlyWhileApplyIsEnabledAndRunTheStepsOfTheSetFlagsInOrder) {
    Shell s;
    s.form.txtTime.SetText("8:00");
    s.form.HotkeysChanged = s.form.OptionsChanged = s.form.QuickbarChanged = true;
    s.controller.ApplyReason();
    EXPECT_EQ(s.journal, (Journal{"scenarios", "hotkeys", kOptionsStep, "save", "quickbar"}));
    // The scenario step's reload clears its own flag; a later Apply repeats the others.
    EXPECT_FALSE(s.form.cmdApply.Enabled() || s.form.ScenariosChanged);
    EXPECT_TRUE(s.form.HotkeysChanged && s.form.OptionsChanged && s.form.QuickbarChanged);

    Shell t;
    t.form.cmdApply.Click();
    t.form.cmdOK.Click();
    EXPECT_EQ(t.journal, (Journal{"focus", "hide options"}));
    EXPECT_EQ(t.window.focused, &t.form.cmdCancel);
    t.journal.clear();
    t.form.chkStartup.SetValue(1);
    t.form.cmdApply.Click();
    t.form.cmdApply.SetEnabled(true);  // the flag stays: a later Apply repeats the step
    t.form.cmdOK.Click();
    const std::string step = "startup on Shutdown Windows\t(Ctrl+Shift+S)";
    EXPECT_EQ(t.journal, (Journal{step, "save", "focus", step, "save", "hide options"}));
}

// The General page's active list as applied, and the selector beside it.
void Activate(Shell& s, const Texts& entries) {
    for (const auto& e : entries) {
        s.form.cmdScen.AddItem(e);
        s.form.lstScen.AddItem(e);
    }
    s.controller.MarkApplied();
}

TEST(OptionsController, AnAddedDefaultBecomesActiveOnlyWhenItWasEditedAndApplied) {
    const Texts active{"Reboot Computer; Daily; 7:00", "Suspend; Daily; 8:00"};
    // Add new, then OK for a change on another page (0) or an edit of another
    // entry applied (1): the default never becomes active, and hiding drops it.
    // Edited and applied (2), it is active.
    const Texts after[] = {
        active, {active[1], "Reboot Computer; Daily; 7:30"}, {active[0], active[1], "Shutdown Windows; Daily; 9:41"}};
    for (int way : {0, 1, 2}) {
        Shell s;
        Activate(s, active);
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
    Shell s;
    Activate(s, {"Reboot Computer; Daily; 7:00"});
    s.controller.saveOptions = [&s] {
        s.journal.push_back("save temp " + std::to_string(s.form.chkCleanTemp.Value()) + " power " +
                            std::to_string(s.form.chkPower.Value()));
    };
    s.form.cmdScen.SetListIndex(0);
    s.form.chkCleanTemp.SetValue(1);
    s.form.cmdApply.Click();
    s.form.QuickbarChanged = true;

    // Changes on several pages, an edit of the selected scenario and a new one; then Cancel.
    s.form.chkCleanTemp.SetValue(0);
    s.form.chkPower.SetValue(1);
    s.form.txtRebootKey.SetText("Ctrl + Alt + R");
    s.form.cmdDuration.SetText("Weekly");
    s.form.lstDays.SetChecked(3, true);
    s.form.cmdAdd.Click();
    s.journal.clear();
    s.form.cmdCancel.Click();
    EXPECT_EQ(s.journal, Journal{"hide options"});
    EXPECT_FALSE(s.form.cmdApply.Enabled());
    EXPECT_FALSE(s.form.ScenariosChanged || s.form.HotkeysChanged || s.form.OptionsChanged);
    EXPECT_EQ(s.form.chkCleanTemp.Value(), 1);
    EXPECT_EQ(s.form.chkPower.Value(), 0);
    EXPECT_EQ(s.form.txtRebootKey.Text(), "Ctrl + Shift + R");
    EXPECT_EQ(s.form.cmdScen.Items(), Texts{"Reboot Computer; Daily; 7:00"});
    EXPECT_EQ(s.form.cmdScen.Text(), "Reboot Computer; Daily; 7:00");
    EXPECT_EQ(s.form.cmdDuration.Text(), "Daily");
    EXPECT_FALSE(s.form.lstDays.Visible() || s.form.lstDays.Checked(3));

    // A later, unrelated Apply stores only what was applied, and the Quickbar
    // change that Cancel keeps is redisplayed with it.
    s.journal.clear();
    s.form.chkTray.SetValue(1);
    s.form.cmdApply.Click();
    EXPECT_EQ(s.journal, (Journal{kOptionsStep, "save temp 1 power 0", "quickbar", "focus"}));
    EXPECT_EQ(s.form.lstScen.Items(), Texts{"Reboot Computer; Daily; 7:00"});
}

}  // namespace
}  // namespace dwl
