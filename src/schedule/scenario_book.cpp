#include "schedule/scenario_book.h"

#include <algorithm>

namespace dwl {

std::vector<std::string> ScenarioBook::ActiveTexts() const {
    std::vector<std::string> texts;
    for (const Scenario& scenario : active_) texts.push_back(scenario.text);
    return texts;
}

bool ScenarioBook::IsActive(const std::string& text) const {
    return std::any_of(active_.begin(), active_.end(), [&](const Scenario& s) { return s.text == text; });
}

void ScenarioBook::Load(const std::vector<std::string>& entries, std::vector<ApplicationRecord> applications) {
    all_.clear();
    active_.clear();
    for (const std::string& text : entries) Append(text, ParseScenarioEntry(text));
    applications_ = std::move(applications);
    Tell(Change::Active);
}

void ScenarioBook::AddPending(const std::string& text) {
    all_.push_back(text);
    Tell(Change::Selector);
}

bool ScenarioBook::AddActive(const std::string& text) {
    if (IsActive(text)) return false;
    Append(text, ParseScenarioEntry(text));
    Tell(Change::Active);
    return true;
}

bool ScenarioBook::AddActive(const ScenarioEntry& entry, bool use12Hour) {
    const std::string text = FormatScenarioEntry(entry, use12Hour);
    if (IsActive(text)) return false;
    Append(text, entry);
    Tell(Change::Active);
    return true;
}

bool ScenarioBook::Remove(const std::string& text) {
    if (!Erase(text)) return false;
    Tell(Change::Active);
    return true;
}

void ScenarioBook::Replace(const std::string& old, const std::string& text) {
    if (!old.empty()) Erase(old);
    Append(text, ParseScenarioEntry(text));
    Tell(Change::Active);
}

void ScenarioBook::DropPending() {
    const std::vector<std::string> active = ActiveTexts();
    if (all_ == active) return;
    all_ = active;
    Tell(Change::Selector);
}

bool ScenarioBook::Consume(const std::string& text) {
    if (!IsActive(text)) return false;
    Erase(text);
    Tell(Change::Active);
    return true;
}

bool ScenarioBook::Erase(const std::string& text) {
    bool erased = false;
    if (const auto found = std::find(all_.begin(), all_.end(), text); found != all_.end()) {
        all_.erase(found);
        erased = true;
    }
    const auto active = std::find_if(active_.begin(), active_.end(), [&](const Scenario& s) { return s.text == text; });
    if (active != active_.end()) {
        active_.erase(active);
        erased = true;
    }
    return erased;
}

void ScenarioBook::Append(const std::string& text, std::optional<ScenarioEntry> entry) {
    all_.push_back(text);
    active_.push_back({text, std::move(entry)});
}

void ScenarioBook::Tell(Change change) {
    for (const Observer& observer : observers_) observer(change);
}

}  // namespace dwl
