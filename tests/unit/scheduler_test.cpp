#include <gtest/gtest.h>

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "fakes/fake_clock.h"
#include "fakes/fake_apps.h"
#include "fakes/fake_platform.h"
#include "schedule/calendar.h"
#include "schedule/mtime.h"
#include "schedule/scheduler.h"
#include "schedule/triggers.h"
#include "schedule/wake_schedule.h"
#include "ui/warning/warnings.h"

namespace dwl {
namespace {

using Texts = std::vector<std::string>;

LocalTime T(int y, int mo, int d, int h, int mi, int s = 0) { return {y, mo, d, 0, h, mi, s}; }

// Scheduler over a book of the active `entries`; records the hand-overs and
// every minute it checks. The warnings and
// the wake timer follow each tick and each change of what comes, as in the program.
struct Bench : IScenarioActions {
    Bench(LocalTime start, const Texts& entries) : clock(start) {
        for (const auto& e : entries) book.AddActive(e);
        scheduler.onMinuteChecked = [this](int h, int m) { checked.push_back(TimeText(h, m, false)); };
        scheduler.onTicked = [this](std::int64_t now) {
            warnings.Update(now);
            Wake();
        };
        agenda.Observe([this] {
            warnings.Update(scheduler.CurrentMinute());
            Wake();
        });
    }
    void Wake() {
        std::string reason;
        wake.Update(scheduler.CurrentMinute(), wakeOn, warnings.Minutes(), reason);
    }
    // The wake timer's calls since the last look; its time as UTC at offset 0.
    Texts Calls() { return std::exchange(wakeCalls, {}); }
    std::string WakeAt(int d, int h, int m) const {
        return "wake at " + std::to_string(MinuteNumber(T(clock.now.year, clock.now.month, d, h, m)) * 60);
    }
    void ShowAction(int code, bool) override {
        calls.push_back("ShowAction " + std::to_string(code));
        if (duringHandOver) duringHandOver();
    }
    void ShowRunCloseAction(const std::string& field, bool oneTime, bool) override {
        calls.push_back("RunClose " + field + (oneTime ? " once" : ""));
    }
    void TickAt(LocalTime t) {
        clock.now = t;
        if (beforeTick) beforeTick();
        scheduler.GTimer_Timer();
    }

    // The warning windows open now, as "id: text", with "(locked)" when they cannot be answered.
    Texts Open() const {
        Texts open;
        for (const auto& [id, shown] : windows.open)
            open.push_back(std::to_string(id) + ": " + shown.first + (shown.second ? "" : " (locked)"));
        return open;
    }
    // Ticks each minute (at second 0) up to `day` `h`:`m` of the bench's month.
    void TickUntil(int day, int h, int m) {
        for (LocalTime t = clock.now; MinuteNumber(t) < MinuteNumber(T(t.year, t.month, day, h, m));) {
            const std::int64_t next = MinuteNumber(t) + 1;
            const std::int64_t d = DayOfMinuteNumber(next) - DayOfMinuteNumber(MinuteNumber(t));
            t = T(t.year, t.month, t.day + static_cast<int>(d), MinuteOfDay(next) / 60, MinuteOfDay(next) % 60);
            TickAt(t);
        }
    }

    std::function<void()> duringHandOver, beforeTick;
    ScenarioBook book;
    fakes::FakeClock clock;
    Texts calls, checked;
    bool locked = false;
    Agenda agenda{book};
    Scheduler scheduler{agenda, clock, *this};
    fakes::FakeWarningWindows windows;
    Warnings warnings{windows, {agenda, [this](const std::vector<Occurrence>&) { return locked; }, [] { return false; }}};
    bool wakeOn = true;
    Texts wakeCalls;
    fakes::FakeWakeTimer timer{wakeCalls};
    WakeSchedule wake{agenda, clock, timer};
};

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
        b.clock.changeAt = MinuteNumber(T(2026, month, saturday + 1, r.changeHour, 0));
        b.clock.laterOffset = shift;
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
        // Woken five minutes ahead of the first, by the offset of that night.
        EXPECT_EQ(b.Calls().front(), b.WakeAt(saturday + 1, r.changeHour - 1, 10));
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

// Five minutes ahead, one window per minute, shared by what falls due in it,
// counting down, closed when its minute comes; at once for what is made
// inside the warning time; never for another weekday.
TEST(Warnings, ComeAheadOfEachRecurrenceAndAtOnceInsideTheWarningTime) {
    Bench b(T(2024, 6, 3, 10, 0), {"Shutdown Windows; Onetime; 10:10", "Reboot Computer; Daily; 10:20",
                                   "Log Off Current User; Weekly (Mon); 10:20", "Suspend; Weekly (Tue); 10:30"});
    b.TickUntil(3, 10, 4);
    EXPECT_EQ(b.Open(), Texts{});
    b.TickUntil(3, 10, 5);
    EXPECT_EQ(b.Open(), Texts{"1: Shutdown Windows at 10:10, in 5 minute(s)."});
    b.TickUntil(3, 10, 9);
    EXPECT_EQ(b.Open(), Texts{"1: Shutdown Windows at 10:10, in 1 minute(s)."});
    b.TickUntil(3, 10, 16);
    EXPECT_EQ(b.Open(), Texts{"2: Reboot Computer at 10:20, in 4 minute(s).\r\n"
                              "Log Off Current User at 10:20, in 4 minute(s)."});
    b.TickUntil(3, 10, 31);
    EXPECT_EQ(b.Open(), Texts{});
    b.book.AddActive("Hibernate; Onetime; 10:33");
    EXPECT_EQ(b.Open(), Texts{"3: Hibernate at 10:33, in 2 minute(s)."});
    b.book.Remove("Hibernate; Onetime; 10:33");
    EXPECT_EQ(b.Open(), Texts{});
    EXPECT_EQ(b.calls, (Texts{"ShowAction 1", "ShowAction 2", "ShowAction 0"}));
    // Off: none.
    b.warnings.SetMinutes(0);
    b.TickUntil(4, 10, 19);
    EXPECT_EQ(b.Open(), Texts{});
    // The wake timer: as long ahead, or a minute; at the minute itself once that has passed.
    EXPECT_EQ(b.Calls(), (Texts{b.WakeAt(3, 10, 5), b.WakeAt(3, 10, 10), b.WakeAt(3, 10, 15), b.WakeAt(3, 10, 20),
                                b.WakeAt(4, 10, 15), b.WakeAt(3, 10, 33), b.WakeAt(4, 10, 15), b.WakeAt(4, 10, 19),
                                b.WakeAt(4, 10, 20)}));
}

// Postponed twice from its warning, a daily entry runs twenty minutes late,
// and its next day as always; skipped, it runs the day after; a skipped
// one-time entry is used up. Under the lock neither button does anything.
TEST(Warnings, PostponeMovesOneOccurrenceAndSkipDropsIt) {
    Bench b(T(2024, 6, 3, 10, 0), {"Shutdown Windows; Daily; 10:20", "Reboot Computer; Onetime; 11:00"});
    auto answer = [&b](WarningAnswer a) { b.windows.answered(b.windows.open.begin()->first, a); };
    b.windows.SetAnswered([&b](int id, WarningAnswer a) { b.warnings.Answer(id, a, b.scheduler.CurrentMinute()); });
    b.TickUntil(3, 10, 15);
    b.locked = true;
    b.TickUntil(3, 10, 16);
    EXPECT_EQ(b.Open(), Texts{"1: Shutdown Windows at 10:20, in 4 minute(s). (locked)"});
    answer(WarningAnswer::Postpone);
    answer(WarningAnswer::Skip);
    EXPECT_EQ(b.Open().size(), 1u);
    b.locked = false;
    answer(WarningAnswer::Postpone);
    EXPECT_EQ(b.Open(), Texts{});
    b.TickUntil(3, 10, 25);
    EXPECT_EQ(b.Open(), Texts{"2: Shutdown Windows at 10:30, in 5 minute(s)."});
    answer(WarningAnswer::Postpone);
    b.TickUntil(3, 10, 39);
    EXPECT_EQ(b.calls, Texts{});
    b.TickUntil(3, 10, 55);
    EXPECT_EQ(b.calls, Texts{"ShowAction 1"});
    answer(WarningAnswer::Skip);
    EXPECT_EQ(b.book.ActiveTexts(), Texts{"Shutdown Windows; Daily; 10:20"});
    b.TickUntil(4, 10, 15);
    answer(WarningAnswer::Ok);
    b.TickUntil(5, 10, 15);
    answer(WarningAnswer::Skip);
    b.TickUntil(6, 11, 0);
    EXPECT_EQ(b.calls, (Texts{"ShowAction 1", "ShowAction 1", "ShowAction 1"}));  // days 3 (late), 4 and 6
}

// The wake timer follows a postponement and the weekly days; a resume sets it
// again; one that woke the computer holds it awake through its minute; off
// cancels it.
TEST(WakeSchedule, FollowsAPostponementAndHoldsTheComputerAwakeWhenItWokeIt) {
    Bench b(T(2024, 6, 3, 10, 0), {"Shutdown Windows; Weekly (Wed); 7:00"});  // a Monday
    b.Wake();
    ASSERT_EQ(b.agenda.Postpone(b.agenda.DueIn(MinuteNumber(T(2024, 6, 5, 7, 0))), 10), Agenda::Moved::Done);
    b.wake.Resumed();  // by the user: set again, not held
    b.Wake();
    EXPECT_EQ(b.Calls(), (Texts{b.WakeAt(5, 6, 55), b.WakeAt(5, 7, 5), b.WakeAt(5, 7, 5)}));
    b.clock.now = T(2024, 6, 5, 7, 5, 5);
    b.timer.cameDue = true;
    b.wake.Resumed();
    b.TickAt(b.clock.now);
    b.TickUntil(5, 7, 11);
    b.wakeOn = false;
    b.Wake();
    EXPECT_EQ(b.calls, Texts{"ShowAction 1"});
    EXPECT_EQ(b.Calls(), (Texts{"hold 1", b.WakeAt(5, 7, 10), b.WakeAt(12, 6, 55), "hold 0", "wake cancelled"}));
}

// Postponing as far as the entry's next own time would run it twice in that
// minute: refused, all occurrences of a minute or none.
TEST(Agenda, APostponementNeverReachesTheEntrysNextTime) {
    ScenarioBook book;
    book.AddActive("Shutdown Windows; Daily; 10:20");
    book.AddActive("Reboot Computer; Onetime; 10:20");
    Agenda agenda(book);
    const std::int64_t now = MinuteNumber(T(2024, 6, 3, 10, 0));
    const std::vector<Occurrence> due = agenda.DueIn(now + 20);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(agenda.Postpone(due, 1439), Agenda::Moved::Done);
    const std::vector<Occurrence> moved = agenda.Between(now, now + 2 * 1440);
    ASSERT_EQ(moved.size(), 4u);  // both at 10:19 on Tuesday, then their own 10:20
    EXPECT_EQ(agenda.Postpone({moved[0], moved[1]}, 1), Agenda::Moved::PastNextTime);
    EXPECT_EQ(agenda.Postpone({due[0]}, 1), Agenda::Moved::Gone);  // no longer as it was read
}

// A program's end brings its scenario due once the last copy seen has ended
// (one started anew on the way out still runs), and it is used up; one never
// seen never fires. Idleness does after its minutes without input, not while
// the display is kept on, once until input comes; with a warning time it is
// warned of that much earlier, and input takes the warning back.
TEST(Triggers, AProgramsEndAndIdlenessBringTheirScenariosDue) {
    Bench b(T(2024, 6, 3, 10, 0), {"Shutdown Windows; After exit; setup.exe", "Reboot Computer; After exit; never.exe",
                                   "Log Off Current User; After exit; app.exe", "Suspend; After idle; 3 min"});
    Texts journal;
    fakes::FakeProcesses processes{journal};
    fakes::FakeUser user;
    processes.running = {{7, "C:\\x\\SETUP.EXE"}, {8, "setup.exe"}, {9, "app.exe"}, {10, "setup.exe", false}};
    processes.elevated = {8};
    b.warnings.SetMinutes(0);
    Triggers triggers(b.agenda, {processes, user, [&b] { return b.scheduler.CurrentMinute(); },
                                 [&b] { return b.scheduler.LastCheckedMinute(); }, [&b] { return b.warnings.Minutes(); },
                                 [&b](const Occurrence& due) { b.scheduler.RunNow(due); }});
    b.beforeTick = [&triggers] { triggers.Update(); };
    triggers.Arm();
    EXPECT_EQ(processes.exitWaits.size(), 3u);  // not another session's
    processes.End(7);
    b.TickUntil(3, 10, 1);
    EXPECT_EQ(processes.opened, 3);  // each copy once, not again at each check
    processes.running.push_back({11, "app.exe"});
    processes.End(9);
    EXPECT_EQ(b.calls, Texts{});
    processes.End(8);
    EXPECT_EQ(b.calls, Texts{"ShowAction 1"});
    processes.End(11);
    EXPECT_EQ(b.calls, (Texts{"ShowAction 1", "ShowAction 0"}));
    EXPECT_EQ(b.book.ActiveTexts(), (Texts{"Reboot Computer; After exit; never.exe", "Suspend; After idle; 3 min"}));

    // From 10:02 on, at each check: 'i' input half a second before it, 'k' a
    // program keeping the display on, '-' neither.
    const std::string events = "i--k----i---";
    auto check = [&](int minute, char event) {
        user.now = static_cast<std::uint32_t>(minute) * 60000;
        if (event == 'i') user.lastInput = user.now - 500;
        user.keptAwake = event == 'k';
        b.TickUntil(3, 10, minute);
    };
    for (size_t i = 0; i < events.size(); ++i) check(2 + static_cast<int>(i), events[i]);
    // Three minutes after the display was let go (10:08), and after the input at 10:10.
    EXPECT_EQ(b.calls, (Texts{"ShowAction 1", "ShowAction 0", "ShowAction 10", "ShowAction 10"}));
    b.warnings.SetMinutes(2);
    for (const auto& [minute, event] : {std::pair{14, 'i'}, {15, '-'}}) check(minute, event);
    EXPECT_EQ(b.Open(), Texts{"1: Suspend at 10:17, in 2 minute(s)."});
    check(16, 'i');
    EXPECT_EQ(b.Open(), Texts{});
}

}  // namespace
}  // namespace dwl
