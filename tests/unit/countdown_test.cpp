#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fakes/fake_platform.h"
#include "ui/countdown/countdown.h"

namespace dwl {
namespace {

struct Bench : fakes::FakeCountdownWindow {
    void Ticks(int n) {
        while (n-- > 0) cd.ATimer_Timer();
    }
    bool Idle() const { return !cd.TimerRunning() && interval == 0 && !visible && !topmost; }

    std::vector<int> exits;
    Countdown cd{*this,
                 {[] { return false; }, nullptr, [] { return std::string("jdoe"); },
                  [this](int code) { exits.push_back(code); }, [](const std::string&, bool, bool) {}}};
};

TEST(Countdown, CountsFiveSecondsActsOnceAndCanBeCancelledOrCutShort) {
    Bench b;
    b.cd.ShowAction(1);
    b.Ticks(3);
    b.cd.ShowAction(2);  // restarts: only the last action counts
    EXPECT_TRUE(b.interval == 1000 && b.visible && b.topmost);
    b.Ticks(5);
    EXPECT_TRUE(b.exits.empty());
    b.Ticks(1);
    EXPECT_TRUE(b.Idle());
    b.Ticks(3);  // late ticks of the stopped timer
    EXPECT_EQ(b.exits, std::vector<int>{2});

    b.cd.ShowAction(1);
    b.Ticks(2);
    b.cd.cmdCancel.Click();
    EXPECT_TRUE(b.Idle());
    b.Ticks(6);          // a tick that was on its way does not bring it back
    b.cd.ShowAction(1);  // a fresh count of six
    b.Ticks(5);
    EXPECT_EQ(b.exits, std::vector<int>{2});
    b.cd.cmdAction.Click();  // "Shutdown now" acts at once
    EXPECT_EQ(b.exits, (std::vector<int>{2, 1}));
    EXPECT_TRUE(b.Idle());
}

}  // namespace
}  // namespace dwl
