#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_clock.h"
#include "schedule/mtime.h"
#include "schedule/scheduler.h"

namespace dwl {
namespace {

using Texts = std::vector<std::string>;

LocalTime T(int y, int mo, int d, int h, int mi, int s = 0) { return {y, mo, d, 0, h, mi, s}; }

// Scheduler over a book of the active `entries`; records the hand-overs, the
// changes of the active entries and every minute it checks.
struct Bench : IScenarioActions {
    Bench(LocalTime start, const Texts& entries) : clock(start) {
        for (const auto& e : entries) book.AddActive(e);
        book.Observe([this](ScenarioBook::Change change) { saves += change == ScenarioBook::Change::Active; });
        scheduler.onMinuteChecked = [this](int h, int m) { checked.push_back(TimeText(h, m, false)); };
    }
    void ShowAction(int code) override {
        calls.push_back("ShowAction " + std::to_string(code));
        if (duringHandOver) duringHandOver();
    }
    void ShowRunCloseAction(const std::string& field, bool oneTime) override {
        calls.push_back("RunClose " + field + (oneTime ? " once" : ""));
    }
    void TickAt(LocalTime t) {
        clock.now = t;
        scheduler.GTimer_Timer();
    }

    std::function<void()> duringHandOver;
    ScenarioBook book;
    fakes::FakeClock clock;
    Texts calls, checked;
    int saves = 0;
    Scheduler scheduler{book, clock, *this};
};

TEST(Scheduler, SimulatedWeekWithDriftingTicks) {
    // From Monday 2024-06-03 00:00 for a week; the timer fires every 61 seconds.
    // An entry that is not exactly a scenario never runs; a 12-hour one runs at its 24-hour time.
    Bench b(T(2024, 6, 3, 0, 0), {"Close Application app; Onetime; 9:00", "Shutdown Windows; Daily; 10:30 PM",
                                  "shutdown windows; Daily; 9:00", "Log Off Current User; Weekly (Mon, Wed); 18:00",
                                  "Run Application app; Weekly (Sat); 7:05"});
    Texts fired;
    for (int s = 61; s < 7 * 86400; s += 61) {
        const size_t before = b.calls.size();
        b.TickAt(T(2024, 6, 3 + s / 86400, s / 3600 % 24, s / 60 % 60, s % 60));
        for (size_t i = before; i < b.calls.size(); ++i) fired.push_back(std::to_string(s / 86400) + " " + b.calls[i]);
    }
    EXPECT_EQ(fired, (Texts{"0 RunClose Close Application app; once", "0 ShowAction 0", "0 ShowAction 1",
                            "1 ShowAction 1", "2 ShowAction 0", "2 ShowAction 1", "3 ShowAction 1", "4 ShowAction 1",
                            "5 RunClose Run Application app;", "5 ShowAction 1", "6 ShowAction 1"}));
    EXPECT_EQ(b.saves, 1);
    EXPECT_EQ(b.book.ActiveTexts(),
              (Texts{"Shutdown Windows; Daily; 10:30 PM", "shutdown windows; Daily; 9:00",
                     "Log Off Current User; Weekly (Mon, Wed); 18:00", "Run Application app; Weekly (Sat); 7:05"}));
    EXPECT_EQ(b.checked.size(), 7u * 1440 - 1);  // every minute after the start-up one, once
}

// GTimer is set for just after the next minute begins, a leap second included.
TEST(Scheduler, EachCheckComesJustAfterAMinuteBegins) {
    for (auto [second, millisecond, delay] :
         {std::tuple{25, 0, 35000u}, {59, 999, 1u}, {0, 0, 60000u}, {60, 500, 500u}})
        EXPECT_EQ(Scheduler::DelayToNextMinute({2026, 12, 7, 1, 9, 0, second, millisecond}),
                  delay + Scheduler::kPastTheMinuteMs);
}

TEST(Scheduler, ChecksEachMinuteOnceWithBoundedCatchUp) {
    // clang-format off
    struct Row { const char* name; LocalTime start; std::vector<LocalTime> ticks; Texts checked; };
    // clang-format on
    auto M = [](int d, int h, int mi, int s = 0) { return T(2024, 6, d, h, mi, s); };
    // clang-format off
    const Row rows[] = {
        {"two ticks in a minute", M(3, 22, 29, 10), {M(3, 22, 30, 1), M(3, 22, 30, 59)}, {"22:30"}},
        {"five minutes late", M(3, 22, 26), {M(3, 22, 31)}, {"22:27", "22:28", "22:29", "22:30", "22:31"}},
        {"six minutes late", M(3, 22, 25), {M(3, 22, 31)}, {"22:31"}},
        {"resume after hours", M(3, 22, 29), {M(3, 22, 30), M(4, 3, 15), M(4, 3, 16)}, {"22:30", "3:15", "3:16"}},
        // Set back: the minutes not checked yet are, the one that fired is not again.
        {"clock set back", M(3, 22, 29), {M(3, 22, 30, 10), M(3, 22, 27, 30), M(3, 22, 31, 10)},
         {"22:30", "22:27", "22:28", "22:31"}},
        {"set back within the minute", M(3, 22, 30, 10), {M(3, 22, 30, 50), M(3, 22, 30, 20)}, {}},
        {"Tuesday to Wednesday", M(4, 23, 58, 40), {M(5, 0, 1, 5)}, {"23:59", "0:00", "0:01"}},
    };
    // clang-format on
    // Each minute caught up is of its own weekday: on a Wednesday at 0:00 only the Wednesday entry is due.
    const std::map<std::string, std::string> due{
        {"22:30", "ShowAction 1"}, {"23:59", "ShowAction 0"}, {"0:00", "ShowAction 10"}};
    for (const Row& r : rows) {
        Bench b(r.start, {"Shutdown Windows; Daily; 22:30", "Log Off Current User; Weekly (Sat, Tue); 23:59",
                          "Lock Computer; Weekly (Tue); 0:00", "Suspend; Weekly (Wed); 0:00"});
        for (const LocalTime& t : r.ticks) b.TickAt(t);
        EXPECT_EQ(b.checked, r.checked) << r.name;
        Texts calls;
        for (const std::string& minute : r.checked)
            if (due.count(minute)) calls.push_back(due.at(minute));
        EXPECT_EQ(b.calls, calls) << r.name;
    }
}

TEST(Scheduler, DaylightSavingNightsRunEachScenarioOnce) {
    // On Sunday at 2:00 or 3:00 the clock jumps an hour ahead (spring) or back
    // (autumn) while UTC goes on. Ticks every 61 seconds from Saturday noon to
    // Monday night; each hand-over as "day hour code", day 1 the Sunday.
    // clang-format off
    struct Row { int changeHour; bool spring; Texts fired; };
    const Row rows[] = {
        {2, true, {"1 3h 0", "1 3h 1", "1 3h 2", "2 2h 1"}},  // the skipped hour at once, after the jump
        {3, true, {"1 4h 0", "1 4h 1", "1 4h 2", "2 3h 1"}},
        {2, false, {"1 1h 0", "1 1h 1", "1 1h 2", "2 1h 1"}},  // the repeated hour not again
        {3, false, {"1 2h 0", "1 2h 1", "1 2h 2", "2 2h 1"}},
    };
    // clang-format on
    for (const Row& r : rows) {
        const std::string h = std::to_string(r.spring ? r.changeHour : r.changeHour - 1);
        const int month = r.spring ? 3 : 10, saturday = r.spring ? 28 : 24;
        Bench b(T(2026, month, saturday, 12, 0),
                {"Log Off Current User; Weekly (Sun); " + h + ":15", "Shutdown Windows; Daily; " + h + ":30",
                 "Reboot Computer; Onetime; " + h + ":45"});
        const int change = 86400 + r.changeHour * 3600, shift = r.spring ? 3600 : -3600;
        Texts fired;
        for (int t = 12 * 3600 + 61; t < 3 * 86400; t += 61) {
            b.clock.utcOffset = t < change ? 0 : shift;
            const int s = t + b.clock.utcOffset;  // local seconds since Saturday 0:00
            const size_t before = b.calls.size();
            b.TickAt(T(2026, month, saturday + s / 86400, s / 3600 % 24, s / 60 % 60, s % 60));
            for (size_t i = before; i < b.calls.size(); ++i)
                fired.push_back(std::to_string(s / 86400) + " " + std::to_string(s / 3600 % 24) + "h " +
                                b.calls[i].back());
        }
        EXPECT_EQ(fired, r.fired) << r.changeHour << (r.spring ? " spring" : " autumn");
    }
}

TEST(Scheduler, ATickArrivingDuringTheHandOverIsDroppedAndItsMinuteCaughtUpOnce) {
    Bench b(T(2026, 12, 7, 9, 0, 30), {"Shutdown Windows; Daily; 9:01", "Suspend; Daily; 9:02"});
    // A modal loop inside the hand-over delivers the next minute's tick.
    b.duringHandOver = [&b] { b.TickAt(T(2026, 12, 7, 9, 2, 10)); };
    b.TickAt(T(2026, 12, 7, 9, 1, 30));
    EXPECT_EQ(b.calls, Texts{"ShowAction 1"});
    b.duringHandOver = nullptr;
    b.TickAt(T(2026, 12, 7, 9, 2, 40));
    b.TickAt(T(2026, 12, 7, 9, 2, 50));
    EXPECT_EQ(b.calls, (Texts{"ShowAction 1", "ShowAction 10"}));
    EXPECT_EQ(b.checked, (Texts{"9:01", "9:02"}));
}

}  // namespace
}  // namespace dwl
