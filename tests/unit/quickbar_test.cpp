#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/quickbar_settings.h"
#include "ui/options/options_form.h"
#include "ui/quickbar/quickbar.h"

namespace dwl {
namespace {

using namespace fakes;

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

TEST_F(QuickbarTest, ClicksQueuedWhileTheMachineSleptAreDroppedWhenItWakes) {
    window.now = 4000000;  // Suspend returns when the machine wakes
    for (unsigned clickedAt : {1000u, 1200u, 4000100u}) {
        window.inputTime = clickedAt;
        bar.small[3].Click();
    }
    EXPECT_EQ(journal, (Journal{"exit 10", "exit 10"}));
}

TEST_F(QuickbarTest, LockAloneWhereLockingIsNotOfferedLoadsTheDefaultButtonsWithoutAMessage) {
    QuickbarSettings s;
    s.Buttons = {0, 0, 0, 0, 0, 1, 0, 0};
    bar.LoadSettings(s, false);
    EXPECT_EQ(journal, (Journal{"place quickbar 0 0"}));
    EXPECT_EQ(form.chkQBLock.Value(), 0);
    EXPECT_FALSE(form.chkQBLock.Enabled());
    EXPECT_EQ(form.chkQBShutdown.Value() + form.chkQBConfig.Value() + form.chkQBAOT.Value(), 3);
}

}  // namespace
}  // namespace dwl
