#include "schedule/scenario_book.h"

#include <algorithm>

namespace dwl {

namespace {

std::vector<std::string> TextsOf(const std::vector<ScenarioBook::Scenario>& scenarios) {
    std::vector<std::string> texts;
    for (const ScenarioBook::Scenario& scenario : scenarios) texts.push_back(scenario.text);
    return texts;
}

auto FindText(std::vector<ScenarioBook::Scenario>& scenarios, const std::string& text) {
    return std::find_if(scenarios.begin(), scenarios.end(),
                        [&](const ScenarioBook::Scenario& s) { return s.text == text; });
}

}  // namespace

std::vector<std::string> ScenarioBook::ActiveTexts() const { return TextsOf(own_); }

std::vector<std::string> ScenarioBook::PolicyTexts() const { return TextsOf(policy_); }

bool ScenarioBook::IsPolicy(const std::string& text) const {
    return std::any_of(policy_.begin(), policy_.end(), [&](const Scenario& s) { return s.text == text; });
}

void ScenarioBook::SetPolicy(const std::vector<std::string>& entries, std::vector<ApplicationRecord> applications) {
    policyApplications_ = std::move(applications);
    // Each text once: a policy that lists one twice is the same each time it is read.
    std::vector<std::string> texts;
    for (const std::string& text : entries)
        if (std::find(texts.begin(), texts.end(), text) == texts.end()) texts.push_back(text);
    if (texts == PolicyTexts()) return;
    policy_.clear();
    for (const std::string& text : texts) policy_.push_back({text, ParseScenarioEntry(text), true});
    Tell(Change::Active);
}

bool ScenarioBook::IsActive(const std::string& text) const {
    return std::any_of(active_.begin(), active_.end(), [&](const Scenario& s) { return s.text == text; });
}

void ScenarioBook::Load(const std::vector<std::string>& entries, std::vector<ApplicationRecord> applications) {
    all_.clear();
    own_.clear();
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
    // The user's entry of the same text was the same run: both are used up.
    if (const auto policy = FindText(policy_, text); policy != policy_.end()) {
        policy_.erase(policy);
        if (policyUsedUp) policyUsedUp(text);
    }
    Tell(Change::Active);
    return true;
}

bool ScenarioBook::Erase(const std::string& text) {
    bool erased = false;
    if (const auto found = std::find(all_.begin(), all_.end(), text); found != all_.end()) {
        all_.erase(found);
        erased = true;
    }
    if (const auto own = FindText(own_, text); own != own_.end()) {
        own_.erase(own);
        erased = true;
    }
    return erased;
}

void ScenarioBook::Append(const std::string& text, std::optional<ScenarioEntry> entry) {
    all_.push_back(text);
    own_.push_back({text, std::move(entry)});
}

void ScenarioBook::Tell(Change change) {
    active_ = policy_;
    for (const Scenario& own : own_)
        if (!IsPolicy(own.text)) active_.push_back(own);
    for (const Observer& observer : observers_) observer(change);
}

}  // namespace dwl
