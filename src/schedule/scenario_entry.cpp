#include "schedule/scenario_entry.h"

#include "model/power_action.h"
#include "model/text.h"
#include "schedule/mtime.h"

namespace dwl {
namespace {

constexpr const char* kDayNames[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
constexpr const char* kOnetime = "Onetime";
constexpr const char* kDaily = "Daily";
constexpr const char* kWeeklyOpen = "Weekly (";
constexpr const char* kAfterExit = "After exit";
constexpr const char* kAfterIdle = "After idle";
constexpr const char* kIdleUnit = " min";

bool StartsWith(const std::string& text, const std::string& prefix) { return text.rfind(prefix, 0) == 0; }

bool ReadDuration(const std::string& field, ScenarioEntry& entry) {
    if (field == kOnetime) {
        entry.recurrence = Recurrence::Onetime;
        return true;
    }
    if (field == kDaily) {
        entry.recurrence = Recurrence::Daily;
        return true;
    }
    if (field == kAfterExit || field == kAfterIdle) {
        entry.recurrence = field == kAfterExit ? Recurrence::AfterExit : Recurrence::AfterIdle;
        return true;
    }
    const std::string open = kWeeklyOpen;
    if (!StartsWith(field, open) || field.size() <= open.size() || field.back() != ')') return false;
    entry.recurrence = Recurrence::Weekly;
    for (const std::string& name : Split(field.substr(open.size(), field.size() - open.size() - 1), ", ")) {
        int day = 0;
        while (day < 7 && name != kDayNames[day]) ++day;
        if (day == 7) return false;
        entry.days[static_cast<size_t>(day)] = true;
    }
    return true;
}

// "30 min", exactly as IdleText writes it.
std::optional<int> ReadIdleText(const std::string& text) {
    const std::string unit = kIdleUnit;
    if (text.size() <= unit.size() || text.compare(text.size() - unit.size(), unit.size(), unit) != 0)
        return std::nullopt;
    const auto minutes = ReadMinuteCount(text.substr(0, text.size() - unit.size()), ScenarioEntry::kMaxIdleMinutes);
    if (!minutes || IdleText(*minutes) != text) return std::nullopt;
    return minutes;
}

}  // namespace

bool IsProgramFileName(const std::string& name) {
    constexpr size_t kExe = 4;
    return name.size() > kExe && name.find_first_of(";\\/") == std::string::npos && TrimBlanks(name) == name &&
           AsciiLowered(name.substr(name.size() - kExe)) == ".exe";
}

std::string IdleText(int minutes) { return std::to_string(minutes) + kIdleUnit; }

std::string WeekdayName(int dayOfWeek) {
    if (dayOfWeek < 0 || dayOfWeek > 6) return {};
    return kDayNames[dayOfWeek];
}

std::optional<std::pair<int, int>> ReadTimeText(const std::string& text) {
    const auto time = ReadTimeOfDay(text);
    if (!time) return std::nullopt;
    const auto [hour, minute] = *time;
    if (text != TimeText(hour, minute, false) && text != TimeText(hour, minute, true)) return std::nullopt;
    return time;
}

std::optional<ScenarioEntry> ParseActionField(std::string field) {
    if (!field.empty() && field.back() == ';') field.pop_back();
    if (field.find(';') != std::string::npos) return std::nullopt;
    ScenarioEntry entry;
    for (const auto& action : kPowerActions) {
        if (field == action.text) {
            entry.action = field;
            return entry;
        }
    }
    for (const std::string action : {kRunAppText, kCloseAppText}) {
        if (!StartsWith(field, action + " ")) continue;
        entry.action = action;
        entry.application = field.substr(action.size() + 1);
        if (TrimBlanks(entry.application).empty()) return std::nullopt;
        return entry;
    }
    return std::nullopt;
}

std::optional<ScenarioEntry> ParseScenarioEntry(const std::string& text) {
    const std::vector<std::string> fields = Split(text, kFieldSeparator);
    if (fields.size() != 3) return std::nullopt;
    auto entry = ParseActionField(fields[0]);
    if (!entry || fields[0].empty() || fields[0].back() == ';' || !ReadDuration(fields[1], *entry)) return std::nullopt;
    if (entry->recurrence == Recurrence::AfterExit) {
        if (!IsProgramFileName(fields[2])) return std::nullopt;
        entry->program = fields[2];
        return entry;
    }
    if (entry->recurrence == Recurrence::AfterIdle) {
        const auto minutes = ReadIdleText(fields[2]);
        if (!minutes) return std::nullopt;
        entry->idleMinutes = *minutes;
        return entry;
    }
    const auto time = ReadTimeText(fields[2]);
    if (!time) return std::nullopt;
    entry->hour = time->first;
    entry->minute = time->second;
    return entry;
}

std::string ScenarioEntry::ActionField() const {
    return (application.empty() ? action : action + " " + application) + ";";
}

int ScenarioEntry::ActionCode() const {
    if (IsApplicationAction()) return -1;
    for (const auto& power : kPowerActions)
        if (action == power.text) return power.code;
    return -1;
}

std::string ScenarioEntry::DurationText() const {
    if (recurrence == Recurrence::Onetime) return kOnetime;
    if (recurrence == Recurrence::Daily) return kDaily;
    if (recurrence == Recurrence::AfterExit) return kAfterExit;
    if (recurrence == Recurrence::AfterIdle) return kAfterIdle;
    std::string names;
    for (int day = 0; day < 7; ++day) {
        if (!days[static_cast<size_t>(day)]) continue;
        if (!names.empty()) names += ", ";
        names += kDayNames[day];
    }
    return kWeeklyOpen + names + ")";
}

bool ScenarioEntry::IsDueOn(int dayOfWeek) const {
    if (recurrence != Recurrence::Weekly) return true;
    return dayOfWeek >= 0 && dayOfWeek < 7 && days[static_cast<size_t>(dayOfWeek)];
}

std::string FormatScenarioEntry(const ScenarioEntry& entry, bool use12Hour) {
    std::string text = entry.ActionField();
    text.pop_back();
    const std::string value = entry.recurrence == Recurrence::AfterExit   ? entry.program
                              : entry.recurrence == Recurrence::AfterIdle ? IdleText(entry.idleMinutes)
                                                                          : TimeText(entry.hour, entry.minute, use12Hour);
    return text + kFieldSeparator + entry.DurationText() + kFieldSeparator + value;
}

std::string TimeFieldIn(const std::string& text) {
    const std::vector<std::string> fields = Split(text, kFieldSeparator);
    return fields.size() > 2 ? fields[2] : std::string();
}

std::string ApplicationNameIn(const std::string& entryOrField, const std::string& action) {
    const auto read = ParseActionField(entryOrField.substr(0, entryOrField.find(';')));
    if (!read || read->action != action) return {};
    return TrimBlanks(read->application);
}

}  // namespace dwl
