#include "schedule/agenda.h"

#include <algorithm>

#include "schedule/calendar.h"
#include "schedule/mtime.h"

namespace dwl {
namespace {

constexpr std::int64_t kMinutesPerDay = 24 * 60;

std::string TimeOf(std::int64_t minute, bool use12Hour) {
    const int timeOfDay = MinuteOfDay(minute);
    return TimeText(timeOfDay / 60, timeOfDay % 60, use12Hour);
}

}  // namespace

std::string ActionAndTime(const Occurrence& occurrence, bool use12Hour) {
    std::string action = occurrence.entry.ActionField();
    action.pop_back();  // its ";"
    return action + " at " + TimeOf(occurrence.minute, use12Hour);
}

std::string DescribeOccurrence(const Occurrence& occurrence, std::int64_t now, bool use12Hour) {
    std::string text = ActionAndTime(occurrence, use12Hour);
    const std::int64_t day = DayOfMinuteNumber(occurrence.minute);
    if (day != DayOfMinuteNumber(now)) text += " on " + WeekdayName(WeekdayOfDayNumber(day));
    if (occurrence.Postponed()) text += " (postponed from " + TimeOf(occurrence.scheduled, use12Hour) + ")";
    return text;
}

Agenda::Agenda(ScenarioBook& book) : book_(book) {
    book_.Observe([this](ScenarioBook::Change change) {
        if (change != ScenarioBook::Change::Active) return;
        std::erase_if(moves_, [this](const Move& move) { return !book_.IsActive(move.text); });
        std::erase_if(triggered_, [this](const Trigger_& t) { return !book_.IsActive(t.text); });
        Tell();
    });
}

void Agenda::Tell() {
    for (const auto& observer : observers_) observer();
}

std::optional<std::int64_t> Agenda::OwnNext(const ScenarioEntry& entry, std::int64_t after) {
    if (!entry.AtTimeOfDay()) return std::nullopt;
    const std::int64_t firstDay = DayOfMinuteNumber(after);
    const int timeOfDay = entry.hour * 60 + entry.minute;
    for (std::int64_t day = firstDay; day <= firstDay + 7; ++day) {
        const std::int64_t minute = day * kMinutesPerDay + timeOfDay;
        if (minute > after && entry.IsDueOn(WeekdayOfDayNumber(day))) return minute;
    }
    return std::nullopt;
}

Agenda::Move* Agenda::MoveOf(const std::string& text, std::int64_t scheduled) {
    const auto found = std::find_if(moves_.begin(), moves_.end(),
                                    [&](const Move& m) { return m.text == text && m.scheduled == scheduled; });
    return found == moves_.end() ? nullptr : &*found;
}

const Agenda::Move* Agenda::MoveOf(const std::string& text, std::int64_t scheduled) const {
    return const_cast<Agenda*>(this)->MoveOf(text, scheduled);
}

std::vector<Occurrence> Agenda::Between(std::int64_t after, std::int64_t last) const {
    std::vector<Occurrence> found;
    for (const ScenarioBook::Scenario& active : book_.Active()) {
        if (!active.entry) continue;
        for (auto own = OwnNext(*active.entry, after); own && *own <= last; own = OwnNext(*active.entry, *own))
            if (!MoveOf(active.text, *own)) found.push_back({active.text, *active.entry, *own, *own});
        for (const Trigger_& t : triggered_)
            if (t.text == active.text && !t.spent && t.minute > after && t.minute <= last && !MoveOf(t.text, t.minute))
                found.push_back({active.text, *active.entry, t.minute, t.minute});
        for (const Move& move : moves_)
            if (move.text == active.text && move.to && *move.to > after && *move.to <= last)
                found.push_back({active.text, *active.entry, *move.to, move.scheduled});
    }
    // Soonest first, in the order found within a minute (a few at most: no sort's code for it).
    for (size_t i = 1; i < found.size(); ++i)
        for (size_t j = i; j > 0 && found[j].minute < found[j - 1].minute; --j) std::swap(found[j], found[j - 1]);
    return found;
}

std::vector<Occurrence> Agenda::DueIn(std::int64_t minute) const { return Between(minute - 1, minute); }

std::optional<Occurrence> Agenda::Next(std::int64_t after) const {
    std::vector<Occurrence> coming = Between(after, after + 8 * kMinutesPerDay);
    if (coming.empty()) return std::nullopt;
    return coming.front();
}

bool Agenda::Holds(const Occurrence& occurrence) const {
    const auto active = std::find_if(book_.Active().begin(), book_.Active().end(),
                                     [&](const ScenarioBook::Scenario& s) { return s.text == occurrence.text; });
    if (active == book_.Active().end() || !active->entry) return false;
    const Move* move = MoveOf(occurrence.text, occurrence.scheduled);
    if (!active->entry->AtTimeOfDay()) {
        const auto found = std::find_if(triggered_.begin(), triggered_.end(), [&](const Trigger_& t) {
            return t.text == occurrence.text && t.minute == occurrence.scheduled;
        });
        if (found == triggered_.end()) return false;
        return occurrence.Postponed() ? move && move->to == occurrence.minute : !move && !found->spent;
    }
    if (occurrence.Postponed()) return move && move->to == occurrence.minute;
    return !move && OwnNext(*active->entry, occurrence.scheduled - 1) == occurrence.scheduled;
}

Agenda::Moved Agenda::Postpone(const std::vector<Occurrence>& occurrences, int minutes) {
    for (const Occurrence& occurrence : occurrences) {
        if (!Holds(occurrence) || minutes < 1 || minutes > kMaxPostponeMinutes) return Moved::Gone;
        const auto next = OwnNext(occurrence.entry, occurrence.scheduled);
        if (next && occurrence.minute + minutes >= *next) return Moved::PastNextTime;
    }
    for (const Occurrence& occurrence : occurrences) {
        const std::int64_t to = occurrence.minute + minutes;
        if (Move* move = MoveOf(occurrence.text, occurrence.scheduled))
            move->to = to;
        else
            moves_.push_back({occurrence.text, occurrence.scheduled, to});
    }
    if (!occurrences.empty()) Tell();
    return Moved::Done;
}

bool Agenda::Skip(const Occurrence& occurrence) {
    if (!Holds(occurrence)) return false;
    if (occurrence.entry.UsedUpWhenDue()) return book_.Consume(occurrence.text);
    if (!occurrence.entry.AtTimeOfDay()) {
        std::erase_if(moves_, [&](const Move& m) { return m.text == occurrence.text; });
        TriggerOf(occurrence.text)->spent = true;
        Tell();
        return true;
    }
    if (Move* move = MoveOf(occurrence.text, occurrence.scheduled))
        move->to.reset();
    else
        moves_.push_back({occurrence.text, occurrence.scheduled, std::nullopt});
    Tell();
    return true;
}

void Agenda::Passed(std::int64_t minute) {
    std::erase_if(moves_, [minute](const Move& move) { return move.to.value_or(move.scheduled) <= minute; });
    for (Trigger_& t : triggered_) t.spent = t.spent || t.minute <= minute;
}

Agenda::Trigger_* Agenda::TriggerOf(const std::string& text) {
    const auto found = std::find_if(triggered_.begin(), triggered_.end(), [&](const Trigger_& t) { return t.text == text; });
    return found == triggered_.end() ? nullptr : &*found;
}

bool Agenda::Triggered(const std::string& text) const { return const_cast<Agenda*>(this)->TriggerOf(text) != nullptr; }

void Agenda::Trigger(const std::string& text, std::int64_t minute) {
    if (TriggerOf(text) || !book_.IsActive(text)) return;
    triggered_.push_back({text, minute});
    Tell();
}

void Agenda::Withdraw(const std::string& text) {
    if (const Trigger_* t = TriggerOf(text); t && !t->spent && !MoveOf(text, t->minute)) Rearm(text);
}

void Agenda::Ran(const Occurrence& occurrence) {
    std::erase_if(moves_, [&](const Move& m) { return m.text == occurrence.text && m.scheduled == occurrence.scheduled; });
    if (Trigger_* t = TriggerOf(occurrence.text); t && t->minute == occurrence.scheduled) t->spent = true;
}

void Agenda::Rearm(const std::string& text) {
    if (!TriggerOf(text)) return;
    std::erase_if(triggered_, [&](const Trigger_& t) { return t.text == text; });
    std::erase_if(moves_, [&](const Move& m) { return m.text == text; });
    Tell();
}

}  // namespace dwl
