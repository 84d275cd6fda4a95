#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_clock.h"
#include "schedule/scenario.h"
#include "schedule/scenario_editor.h"
#include "ui/options/options_controller.h"

namespace dwl {
namespace {

using Journal = std::vector<std::string>;

struct RecordingWindow : IOptionsWindow {
    RecordingWindow(Journal& j, const OptionsForm& f) : journal(j), form(f) {}
    void Create(IOptionsEvents&) override {}
    void ShowCentred() override { journal.push_back("ShowCentred"); }
    void Hide() override { journal.push_back("Hide"); }
    void HookHotkeyProc() override {}
    void UnhookHotkeyProc() override {}
    void Destroy() override {}
    void ShowNormal() override { journal.push_back("ShowNormal"); }
    void ShowTrayMenu() override { journal.push_back("ShowTrayMenu"); }
    void AddTrayIcon(const char* tip) override { journal.push_back(std::string("AddTrayIcon ") + tip); }
    void RemoveTrayIcon() override { journal.push_back("RemoveTrayIcon"); }
    void FocusControl(const void* c) override { journal.push_back(c == &form.cmdCancel ? "Focus Cancel" : "Focus ?"); }
    Journal& journal;
    const OptionsForm& form;
};

struct NoDialogs : IDialogs {
    int ShowMessage(const std::string&, const std::string&, unsigned) override { return IdNo; }
};

// The options window after start-up; every step of Apply and every window
// call goes into one journal. The options step records the shutdown item's
// caption, to show the captions are updated before it.
struct Shell {
    Shell() {
        FillActionLists(form.cmdAct, form.cmdAction, form.cmdDuration, true);
        form.ClearPendingChanges();
        editor.onActiveListRebuilt = [this] { journal.push_back("scenarios"); };
        controller.appTitle = "Duskwell";
        controller.programFolder = "C:\\Apps\\Duskwell";
        controller.applyHotkeys = [this] { journal.push_back("hotkeys"); };
        controller.setStartupEntry = [this](bool on) {
            journal.push_back(std::string(on ? "startup on " : "startup off ") + form.mShutdown.Caption());
        };
        controller.saveOptions = [this] { journal.push_back("save"); };
        controller.displayQuickbar = [this] { journal.push_back("quickbar"); };
        controller.openDocument = [this](const std::string& path) { journal.push_back("open " + path); };
        controller.exitWindows = [this](int code) { journal.push_back("exit windows " + std::to_string(code)); };
        controller.exitProgram = [this] { journal.push_back("exit program"); };
    }
    Journal journal;
    OptionsForm form;
    TimeBox timeBox{form.txtTime, form.cmdPlus, form.cmdMin, form.lstTime};
    fakes::FakeClock clock{9, 41, "09:41"};
    NoDialogs dialogs;
    ScenarioEditor editor{form, timeBox, clock, dialogs};
    RecordingWindow window{journal, form};
    OptionsController controller{form, window, editor};
};

const std::string kOptionsStep = "startup off Shutdown Windows\t(Ctrl+Shift+S)";

TEST(OptionsController, ApplyRunsTheStepsOfTheSetFlagsInOrder) {
    struct Row { bool scenarios, hotkeys, options, quickbar; Journal steps; };
    const Row rows[] = {
        {false, false, false, false, {}},
        {true, false, false, false, {"scenarios"}},
        {false, false, true, false, {kOptionsStep, "save"}},
        {true, true, true, true, {"scenarios", "hotkeys", kOptionsStep, "save", "quickbar"}},
    };
    for (const Row& r : rows) {
        Shell s;
        if (r.scenarios) s.form.txtTime.SetText("8:00");
        s.form.HotkeysChanged = r.hotkeys;
        s.form.OptionsChanged = r.options;
        s.form.QuickbarChanged = r.quickbar;
        s.form.cmdApply.SetEnabled(true);
        s.controller.ApplyReason();
        EXPECT_EQ(s.journal, r.steps) << r.steps.size();
        EXPECT_FALSE(s.form.cmdApply.Enabled());
        // Apply leaves the flags; the scenario step's reload clears its own.
        EXPECT_FALSE(s.form.ScenariosChanged);
        EXPECT_EQ(s.form.HotkeysChanged, r.hotkeys);
        EXPECT_EQ(s.form.OptionsChanged, r.options);
        EXPECT_EQ(s.form.QuickbarChanged, r.quickbar);
    }
}

TEST(OptionsController, ApplyAndOkActOnlyWhileApplyIsEnabled) {
    Shell s;
    s.form.cmdApply.Click();
    s.form.cmdOK.Click();
    EXPECT_EQ(s.journal, (Journal{"Focus Cancel", "Hide"}));

    s.journal.clear();
    s.form.chkStartup.SetValue(1);
    s.form.cmdApply.Click();
    s.form.cmdApply.SetEnabled(true);  // the flag stays: a later Apply repeats the step
    s.form.cmdOK.Click();
    const std::string step = "startup on Shutdown Windows\t(Ctrl+Shift+S)";
    EXPECT_EQ(s.journal, (Journal{step, "save", "Focus Cancel", step, "save", "Hide"}));
}

TEST(OptionsController, CancelDropsTheFlagsButKeepsTheControls) {
    Shell s;
    s.form.QuickbarChanged = true;
    s.form.chkCleanTemp.SetValue(1);
    s.form.txtTime.SetText("8:00");
    s.form.HotkeysChanged = true;
    s.form.cmdCancel.Click();
    EXPECT_EQ(s.journal, Journal{"Hide"});
    EXPECT_FALSE(s.form.cmdApply.Enabled());
    EXPECT_FALSE(s.form.ScenariosChanged || s.form.HotkeysChanged || s.form.OptionsChanged);
    EXPECT_EQ(s.form.chkCleanTemp.Value(), 1);
    EXPECT_EQ(s.form.txtTime.Text(), "8:00");

    // The Quickbar change survived Cancel: the next Apply redisplays it too.
    s.journal.clear();
    s.form.chkTray.SetValue(1);
    s.form.cmdApply.Click();
    EXPECT_EQ(s.journal, (Journal{kOptionsStep, "save", "quickbar", "Focus Cancel"}));
}

TEST(OptionsController, MenuCaptionsShowTheHotkeysWithoutBlanks) {
    Shell s;
    s.form.txtShutdownKey.SetText(" Ctrl +  Shift + S");
    s.form.txtLogOffKey.SetText("");
    s.controller.UpdateMenuHotkeyCaptions();
    EXPECT_EQ(s.form.mShutdown.Caption(), "Shutdown Windows\t(Ctrl+Shift+S)");
    EXPECT_EQ(s.form.mReboot.Caption(), "Reboot Computer\t(Ctrl+Shift+R)");
    EXPECT_EQ(s.form.mLogOff.Caption(), "Log Off Current User\t()");
}

} // namespace
} // namespace dwl
