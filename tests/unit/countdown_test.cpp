#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "actions/exit_windows.h"
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
                 {[] { return false; }, [] { return std::string("jdoe"); }, [this](int code) { exits.push_back(code); },
                  [](const std::string&, bool) {}}};
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

TEST(ExitWindows, CodesToCleanUpPrivilegeAndPlatformCall) {
    // clang-format off
    struct Row { int code; int power; fakes::Journal journal; };
    const Row rows[] = {
        {0, 1, {"privilege", "ExitWindowsEx 4 4294967295"}},
        {1, 0, {"clean-up", "privilege", "ExitWindowsEx 5 4294967295"}},
        {1, 1, {"clean-up", "privilege", "ExitWindowsEx 12 4294967295"}},
        {2, 1, {"clean-up", "privilege", "ExitWindowsEx 7 4294967295"}},
        {8, 0, {"privilege", "ExitWindowsEx 12 4294967295"}},
        {5, 1, {"privilege"}},
    };
    // clang-format on
    fakes::Journal journal;
    fakes::FakePower power(journal);
    CheckBox chkPower{"chkPower"};
    clsExitWindows exitWindows(power, chkPower, [&] { journal.push_back("clean-up"); });
    for (const Row& r : rows) {
        SCOPED_TRACE("code " + std::to_string(r.code) + " chkPower " + std::to_string(r.power));
        journal.clear();
        chkPower.SetValue(r.power);  // read at the moment of the call
        exitWindows.ExitWindows(r.code);
        EXPECT_EQ(journal, r.journal);
    }
}

}  // namespace
}  // namespace dwl
