#pragma once
// The one reading of a scenario entry, shared by the scheduler, the editor and
// the applications. An entry is exactly
//     action; Onetime|Daily|Weekly (days); time
// three fields joined by "; ", where
//   action  is a power action's text ("Shutdown Windows", ...) or
//           "Run Application <name>" / "Close Application <name>", with no ";"
//   days    are day names "Sun" .. "Sat" joined by ", ", at least one
//   time    is a time text of either form, "21:30" or "9:30 PM", whatever
//           form the program runs in.
// Anything else is not a scenario: it is shown with its own text, never run
// and never rewritten; it can only be deleted.
#include <array>
#include <optional>
#include <string>

namespace dwl {

enum class Recurrence { Onetime, Daily, Weekly };

struct ScenarioEntry {
    std::string action;       // the action's text as the lists show it
    std::string application;  // the name after "Run Application " / "Close Application "
    Recurrence recurrence = Recurrence::Onetime;
    std::array<bool, 7> days{};  // of a weekly entry, Sunday first
    int hour = 0, minute = 0;    // 0..23, 0..59

    bool operator==(const ScenarioEntry&) const = default;

    bool IsApplicationAction() const { return !application.empty(); }
    // What the scheduler hands over: the first field and its ";", for example
    // "Shutdown Windows;" or "Run Application app;".
    std::string ActionField() const;
    // The action code for ShowAction, or -1 for an application action.
    int ActionCode() const;
    // The duration field: "Onetime", "Daily" or "Weekly (Mon, Fri)".
    std::string DurationText() const;
    bool IsDueOn(int dayOfWeek) const;
};

// Nothing when `text` is not exactly an entry.
std::optional<ScenarioEntry> ParseScenarioEntry(const std::string& text);

// The entry's text with its time in the 12-hour or the 24-hour form. An entry
// that ParseScenarioEntry gave reads back equal.
std::string FormatScenarioEntry(const ScenarioEntry& entry, bool use12Hour);

// Reads a first field: the action alone, or an application action with its
// name. `field` may end in the ";" the scheduler keeps with it.
std::optional<ScenarioEntry> ParseActionField(std::string field);

// The application's name that an entry or an action field gives `action`
// ("Run Application" or "Close Application"); empty when it names none.
std::string ApplicationNameIn(const std::string& entryOrField, const std::string& action);

// The third field of a text made of at least three fields, as it stands:
// what the editor shows of a text that is not a scenario. Empty otherwise.
std::string TimeFieldIn(const std::string& text);

// A time text of either form, exactly as the program writes one: hours
// without a leading zero, two-digit minutes, " AM"/" PM" in the 12-hour form.
std::optional<std::pair<int, int>> ReadTimeText(const std::string& text);

// Three-letter English weekday name, 0 "Sun" .. 6 "Sat"; empty for other values.
std::string WeekdayName(int dayOfWeek);

}  // namespace dwl
