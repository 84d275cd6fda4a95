#pragma once
// What the active scenarios will do, minute by minute: the occurrences of
// their entries at local minute numbers, with the ones the user moved or
// dropped. Entries that fall due on an event (a program's end, idleness) have
// an occurrence once their watch triggers them. Postponing and skipping act on one occurrence only: the entry in
// the book (and in the file) stays as it is, and the moves live as long as
// the program runs. A skipped one-time entry is used up at once, as if it
// had run.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "schedule/scenario_book.h"

namespace dwl {

struct Occurrence {
    std::string text;  // the entry's text, as the book holds it
    ScenarioEntry entry;
    std::int64_t minute = 0;     // the local minute number it falls due in
    std::int64_t scheduled = 0;  // the minute of its own time (the same unless postponed)

    bool Postponed() const { return minute != scheduled; }
    bool operator==(const Occurrence&) const = default;
};

// "Shutdown Windows at 23:15": the entry's action and the time it falls due at.
std::string ActionAndTime(const Occurrence& occurrence, bool use12Hour);
// That, with " on Sat" when it is not on the day of
// `now`, and " (postponed from 23:05)" when it was moved.
std::string DescribeOccurrence(const Occurrence& occurrence, std::int64_t now, bool use12Hour);

class Agenda {
public:
    static constexpr int kMaxPostponeMinutes = 1439;

    // Watches the book: the moves of an entry that leaves it go with it.
    explicit Agenda(ScenarioBook& book);

    // The occurrences that fall due in `minute`, in the order of the active list.
    std::vector<Occurrence> DueIn(std::int64_t minute) const;
    // Those that fall due after `after` up to `last`, soonest first (then in
    // the order of the active list).
    std::vector<Occurrence> Between(std::int64_t after, std::int64_t last) const;
    // The first after `after` (within eight days: a weekly entry comes in seven).
    std::optional<Occurrence> Next(std::int64_t after) const;

    // True while the occurrence is still to come as it was read: its entry
    // is active and it was neither moved nor dropped since.
    bool Holds(const Occurrence& occurrence) const;

    enum class Moved { Done, Gone, PastNextTime };
    // Moves occurrences `minutes` (1 to kMaxPostponeMinutes) after their
    // present time, all or none. Gone when one no longer holds; PastNextTime
    // when one would reach its entry's next own time (two runs of one entry
    // in one minute).
    Moved Postpone(const std::vector<Occurrence>& occurrences, int minutes);
    // Drops the occurrence: a one-time or after-exit entry leaves the book; a
    // daily or weekly one falls due again at its next day, an after-idle one
    // once input has come again. False when it no longer holds.
    bool Skip(const Occurrence& occurrence);

    // An event entry's occurrence, due in `minute`; nothing when it has one
    // already (due, or spent: run or skipped).
    void Trigger(const std::string& text, std::int64_t minute);
    // The event entry has no occurrence any more: it may be triggered anew.
    void Rearm(const std::string& text);
    // Its occurrence to come is taken back; one spent stays spent.
    void Withdraw(const std::string& text);
    // The occurrence was handed over outside its minute's check.
    void Ran(const Occurrence& occurrence);
    // Whether the event entry has an occurrence, due or spent.
    bool Triggered(const std::string& text) const;
    // Called with each minute checked: moves of minutes now past are dropped.
    void Passed(std::int64_t minute);

    ScenarioBook& Book() { return book_; }
    // Told after each change of what is coming: the book's active entries,
    // a postponement, a skip.
    void Observe(std::function<void()> observer) { observers_.push_back(std::move(observer)); }

private:
    struct Move {
        std::string text;
        std::int64_t scheduled;
        std::optional<std::int64_t> to;  // nothing: skipped
    };
    // The entry's own next minute after `after`, moved or not.
    static std::optional<std::int64_t> OwnNext(const ScenarioEntry& entry, std::int64_t after);
    Move* MoveOf(const std::string& text, std::int64_t scheduled);
    const Move* MoveOf(const std::string& text, std::int64_t scheduled) const;

    void Tell();

    struct Trigger_ {
        std::string text;
        std::int64_t minute;
        bool spent = false;
    };
    Trigger_* TriggerOf(const std::string& text);

    ScenarioBook& book_;
    std::vector<Move> moves_;
    std::vector<Trigger_> triggered_;
    std::vector<std::function<void()>> observers_;
};

}  // namespace dwl
