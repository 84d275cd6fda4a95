#pragma once
// The one reading of a scenario entry, shared by the scheduler, the editor and
// the applications. An entry is exactly
//     action; Onetime|Daily|Weekly (days); time
// three fields joined by "; ", where
//   action  is a power action's text ("Shutdown Windows", ...) or
//           "Run Application <name>" / "Close Application <name>", with no ";"
//   days    are day names "Sun" .. "Sat" joined by ", ", at least one
//   time    is a time text of either form, "21:30" or "9:30 PM", whatever
//           form the program runs in;
// or, falling due on an event rather than at a time of day,
//     action; After exit; <program>.exe     when the last copy of a program ends
//     action; After idle; <minutes> min     after that long without input (1 to 1440)
// Anything else is not a scenario: it is shown with its own text, never run
// and never rewritten; it can only be deleted.
#include <array>
#include <optional>
#include <string>

namespace dwl {

enum class Recurrence { Onetime, Daily, Weekly, AfterExit, AfterIdle };

struct ScenarioEntry {
    std::string action;       // the action's text as the lists show it
    std::string application;  // the name after "Run Application " / "Close Application "
    Recurrence recurrence = Recurrence::Onetime;
    std::array<bool, 7> days{};  // of a weekly entry, Sunday first
    int hour = 0, minute = 0;    // 0..23, 0..59
    std::string program;         // AfterExit: the program's file name, "setup.exe"
    int idleMinutes = 0;         // AfterIdle: 1..kMaxIdleMinutes

    static constexpr int kMaxIdleMinutes = 1440;

    bool operator==(const ScenarioEntry&) const = default;

    // Onetime, Daily and Weekly entries fall due at their time of day.
    bool AtTimeOfDay() const { return recurrence <= Recurrence::Weekly; }
    // Onetime and AfterExit entries leave the book when they fall due.
    bool UsedUpWhenDue() const { return recurrence == Recurrence::Onetime || recurrence == Recurrence::AfterExit; }
    bool IsApplicationAction() const { return !application.empty(); }
    // What the scheduler hands over: the first field and its ";", for example
    // "Shutdown Windows;" or "Run Application app;".
    std::string ActionField() const;
    // The action code for ShowAction, or -1 for an application action.
    int ActionCode() const;
    // The duration field: "Onetime", "Daily", "Weekly (Mon, Fri)", "After exit" or "After idle".
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

// A program's file name as an "After exit" entry takes it: no ";", no blank
// at either end, ".exe" at the end (in any letter case) after a name.
bool IsProgramFileName(const std::string& name);

// The third field of an "After idle" entry: "30 min".
std::string IdleText(int minutes);

// Three-letter English weekday name, 0 "Sun" .. 6 "Sat"; empty for other values.
std::string WeekdayName(int dayOfWeek);

}  // namespace dwl
