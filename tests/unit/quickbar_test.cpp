#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "ui/options/options_form.h"
#include "ui/quickbar/quickbar.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kAtLeastOne = "message At least one button must be set in the Quickbar.";
constexpr const char* kSection = "SOFTWARE\\Orbelle\\DWL\\Quickbar";

class QuickbarTest : public ::testing::Test {
protected:
    Journal journal;
    FakeDialogs dialogs{journal};
    FakeQuickbarWindow window{journal};
    OptionsForm form;
    // clang-format off
    Quickbar bar{window, Quickbar::Services{form, dialogs,
        [this](int code) { journal.push_back("exit " + std::to_string(code)); }, {}, {}, {}, {}, {}}};
    // clang-format on
};

TEST_F(QuickbarTest, UncheckingTheLastButtonBoxIsRefused) {
    form.cmdApply.SetEnabled(false);
    form.chkQBLock.SetValue(1);
    for (CheckBox* box : {&form.chkQBShutdown, &form.chkQBRestart, &form.chkQBLogoff, &form.chkQBSuspend,
                          &form.chkQBHibernate, &form.chkQBConfig, &form.chkQBAOT})
        box->SetValue(0);
    EXPECT_TRUE(dialogs.shown.empty());
    form.chkQBLock.SetValue(0);
    EXPECT_EQ(form.chkQBLock.Value(), 1);
    EXPECT_EQ(journal, Journal{kAtLeastOne});
    EXPECT_EQ(dialogs.shown[0].style, MbOk | MbIconInformation);
    EXPECT_TRUE(form.cmdApply.Enabled());
    EXPECT_TRUE(form.QuickbarChanged);
}

TEST_F(QuickbarTest, ConfirmsOnlyShutdownRestartAndLogOffWhenAsked) {
    struct Case {
        int index, confirm, answer;
        Journal expected;
    };
    const Case cases[] = {
        {0, 1, IdNo, {"message Are you sure you want to shutdown?"}},
        {0, 1, IdYes, {"message Are you sure you want to shutdown?", "exit 1"}},
        {1, 1, IdYes, {"message Are you sure you want to restart?", "exit 2"}},
        {2, 1, IdYes, {"message Are you sure you want to log off?", "exit 0"}},
        {2, 0, IdNo, {"exit 0"}},
        {3, 1, IdNo, {"exit 10"}},
        {4, 1, IdNo, {"exit 11"}},
        {5, 1, IdNo, {"exit 9"}},
    };
    for (const Case& c : cases) {
        for (auto* set : {&bar.small, &bar.large}) {
            journal.clear();
            dialogs.shown.clear();
            form.chkQBConfirm.SetValue(c.confirm);
            dialogs.answer = c.answer;
            (*set)[static_cast<size_t>(c.index)].Click();
            EXPECT_EQ(journal, c.expected) << c.index;
            for (const auto& box : dialogs.shown)
                EXPECT_EQ(box.caption + " " + std::to_string(box.style), "Action confirmation. 36");
        }
    }
}

TEST_F(QuickbarTest, ClicksQueuedWhileTheMachineSleptAreDroppedWhenItWakes) {
    window.now = 4000000;  // Suspend returns when the machine wakes
    for (unsigned clickedAt : {1000u, 1200u, 4000100u}) {
        window.inputTime = clickedAt;
        bar.small[3].Click();
    }
    EXPECT_EQ(journal, (Journal{"exit 10", "exit 10"}));
}

TEST_F(QuickbarTest, LoadsStoredValuesWithDefaultsAndTheLockRule) {
    FakeRegistry registry;
    MyRegistry my(registry, dialogs, "Duskwell");
    const auto put = [&](const char* v, const char* text) { registry.values[{Hive::CurrentUser, kSection, v}] = text; };
    QuickbarSettings s;
    LoadQuickbarSettings(my, s);
    bar.LoadSettings(s, true);
    EXPECT_EQ(form.chkQBar.Value(), 0);
    EXPECT_EQ(form.chkQBAOT2.Value() + form.chkQBConfirm.Value(), 2);
    EXPECT_TRUE(form.optQBLarge.Value() && form.optQBHorizontal.Value());
    EXPECT_EQ(journal, Journal{"place quickbar 0 0"});

    // Letters load as the default; both placements stored: the later wins.
    for (const char* v : {"qbShutdown", "qbRestart", "qbLogoff", "qbSuspend", "qbHibernate", "qbConfig", "qbAOT"})
        put(v, "0");
    put("qbLock", "yes");
    put("Horizontally", "1");
    put("Vertically", "-1");
    put("PosX", "1234.6");
    put("PosY", " 99 ");
    LoadQuickbarSettings(my, s);
    journal.clear();
    bar.LoadSettings(s, false);
    // Lock alone where locking is not offered: the default buttons, no message.
    EXPECT_EQ(journal, (Journal{"place quickbar 1235 99"}));
    EXPECT_EQ(form.chkQBLock.Value(), 0);
    EXPECT_EQ(form.chkQBShutdown.Value() + form.chkQBConfig.Value() + form.chkQBAOT.Value(), 3);
    EXPECT_FALSE(form.chkQBLock.Enabled());
    EXPECT_TRUE(form.optQBVertical.Value() && !form.optQBHorizontal.Value());

    // Written back as it was read.
    bar.OnMoved(-300, 40);
    bar.OnDragEnded();
    SaveQuickbarSettings(my, bar.StoredSettings());
    QuickbarSettings again;
    LoadQuickbarSettings(my, again);
    EXPECT_EQ(again.Buttons, (std::array<int, 8>{1, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(std::tuple(again.Vertically, again.Horizontally, again.PosX, again.PosY),
              std::tuple(true, false, -300, 40));

    // Numbers as any writer may have stored them; anything else is no position.
    const std::pair<const char*, int> numbers[] = {{"-1.5e3", -1500}, {".25E+2", 25}, {"7.", 7},    {"1e400", 0},
                                                   {"+5", 0},         {"1e", 0},      {"1.2.3", 0}, {"0x10", 0},
                                                   {"-", 0},          {"nan", 0}};
    for (auto [text, twips] : numbers) {
        put("PosX", text);
        LoadQuickbarSettings(my, again);
        EXPECT_EQ(again.PosX, twips) << text;
    }
}

}  // namespace
}  // namespace dwl
