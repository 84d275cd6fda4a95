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
//
// The administrator's entries (policy) come first among the active ones and
// have programs of their own. They are not the user's: the selector, the
// user's active texts, the file and every edit leave them out. An entry of
// the user's with the text of a policy entry stays the user's, but runs only
// once, as the policy's.
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
        bool policy = false;
    };
    // What changed: the selector alone, or the active entries (and with them
    // perhaps the selector).
    enum class Change { Selector, Active };
    using Observer = std::function<void(Change)>;

    // The selector: the user's entries, pending ones included.
    const std::vector<std::string>& All() const { return all_; }
    // What runs: the policy's entries, then the user's (each text once).
    const std::vector<Scenario>& Active() const { return active_; }
    // The user's active entries, as the file keeps them.
    std::vector<std::string> ActiveTexts() const;
    bool IsActive(const std::string& text) const;
    // The policy's entries, in its order.
    std::vector<std::string> PolicyTexts() const;
    bool IsPolicy(const std::string& text) const;
    const std::vector<ApplicationRecord>& PolicyApplications() const { return policyApplications_; }
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
    // was no longer active (then nothing changes). A policy entry leaves the
    // policy's list and is handed to policyUsedUp.
    bool Consume(const std::string& text);
    std::function<void(const std::string& text)> policyUsedUp;

    // The policy's entries and programs anew; told only when the entries changed.
    void SetPolicy(const std::vector<std::string>& entries, std::vector<ApplicationRecord> applications);

    // Told after each change, in the order observed.
    void Observe(Observer observer) { observers_.push_back(std::move(observer)); }

private:
    bool Erase(const std::string& text);
    void Append(const std::string& text, std::optional<ScenarioEntry> entry);
    // Active() anew from the policy's and the user's entries, then the observers.
    void Tell(Change change);

    std::vector<std::string> all_;
    std::vector<Scenario> own_, policy_, active_;
    std::vector<ApplicationRecord> applications_, policyApplications_;
    std::vector<Observer> observers_;
};

}  // namespace dwl
