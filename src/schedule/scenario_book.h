#pragma once
// The program's scenarios: every entry of the Scenarios page's selector, in
// its order; the active ones, in the order of the "Active scenarios:" list;
// and the programs that "Run Application" entries start. The windows show
// the book, the scheduler runs and consumes its active entries, the scenario
// file is read into it and written from it, and the command line adds to it.
// Entries stay texts, as the file and the lists hold them; each is read once,
// when it enters the book.
//
// Every active entry is also in the selector. The selector may hold more: an
// entry "Add new..." prepared and that was never applied (pending).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"

namespace dwl {

class ScenarioBook {
public:
    // An active entry with what it reads as; nothing for a text that is no
    // scenario (kept and shown, never run).
    struct Scenario {
        std::string text;
        std::optional<ScenarioEntry> entry;
    };
    // What changed: the selector alone, or the active entries (and with them
    // perhaps the selector).
    enum class Change { Selector, Active };
    using Observer = std::function<void(Change)>;

    const std::vector<std::string>& All() const { return all_; }
    const std::vector<Scenario>& Active() const { return active_; }
    std::vector<std::string> ActiveTexts() const;
    bool IsActive(const std::string& text) const;
    // The records of the programs that "Run Application" entries start.
    std::vector<ApplicationRecord>& Applications() { return applications_; }
    const std::vector<ApplicationRecord>& Applications() const { return applications_; }

    // Everything anew, as the scenario file holds it: each entry active.
    void Load(const std::vector<std::string>& entries, std::vector<ApplicationRecord> applications);
    // Appends an entry to the selector alone, to be applied or dropped.
    void AddPending(const std::string& text);
    // Appends an entry to the selector and to the active entries; false, and
    // nothing changed, when it is active already.
    bool AddActive(const std::string& text);
    bool AddActive(const ScenarioEntry& entry, bool use12Hour);
    // Takes an entry out of the selector and of the active entries (the first
    // of equal texts in each); false when it was in neither.
    bool Remove(const std::string& text);
    // Replaces `old` (when there; none when empty) by `text` at the end of
    // both lists, in one change.
    void Replace(const std::string& old, const std::string& text);
    // The selector lists the active entries again: what was pending goes.
    void DropPending();
    // A one-time entry that has fallen due leaves both lists; false when it
    // was no longer active (then nothing changes).
    bool Consume(const std::string& text);

    // Told after each change, in the order observed.
    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

private:
    bool Erase(const std::string& text);
    void Append(const std::string& text, std::optional<ScenarioEntry> entry);
    void Tell(Change change);

    std::vector<std::string> all_;
    std::vector<Scenario> active_;
    std::vector<ApplicationRecord> applications_;
    std::vector<Observer> observers_;
};

}  // namespace dwl
