#include "schedule/triggers.h"

#include <algorithm>

#include "model/text.h"

namespace dwl {

Triggers::Triggers(Agenda& agenda, Services services) : agenda_(agenda), services_(std::move(services)) {}

void Triggers::Follow() {
    const auto& active = agenda_.Book().Active();
    auto activeKind = [&](const std::string& text, Recurrence kind) {
        return std::any_of(active.begin(), active.end(), [&](const ScenarioBook::Scenario& s) {
            return s.text == text && s.entry && s.entry->recurrence == kind;
        });
    };
    std::erase_if(programs_, [&](const auto& w) { return !activeKind(w->text, Recurrence::AfterExit); });
    std::erase_if(idle_, [&](const IdleWatch& w) { return !activeKind(w.text, Recurrence::AfterIdle); });
    for (const ScenarioBook::Scenario& s : active) {
        if (!s.entry) continue;
        if (s.entry->recurrence == Recurrence::AfterExit &&
            std::none_of(programs_.begin(), programs_.end(), [&](const auto& w) { return w->text == s.text; }))
            programs_.push_back(std::make_unique<ProgramWatch>(ProgramWatch{s.text, s.entry->program, {}, false}));
        if (s.entry->recurrence == Recurrence::AfterIdle &&
            std::none_of(idle_.begin(), idle_.end(), [&](const IdleWatch& w) { return w.text == s.text; }))
            idle_.push_back({s.text, s.entry->idleMinutes, services_.activity.LastInput()});
    }
}

void Triggers::OpenCopies(ProgramWatch& watch) {
    for (const ProcessInfo& info : services_.processes.Snapshot()) {
        if (info.self || !info.ownSession || !ProcessMatches(info.exeFile, watch.program)) continue;
        if (std::any_of(watch.running.begin(), watch.running.end(), [&](const auto& r) { return r.first == info.id; }))
            continue;
        // To wait only: a program of higher rights (an elevated setup) can be waited for.
        auto process = services_.processes.Open(info.id, true);
        // Only the program listed: an id passed on meanwhile is not waited for.
        if (!process || !ProcessMatches(process->ImageName(), watch.program) || process->Exited()) continue;
        process->WhenExited([this, text = watch.text] { Ended(text); });
        watch.running.emplace_back(info.id, std::move(process));
        watch.seen = true;
    }
}

void Triggers::Ended(const std::string& text) {
    const auto found = std::find_if(programs_.begin(), programs_.end(), [&](const auto& w) { return w->text == text; });
    if (stopped_ || found == programs_.end()) return;
    ProgramWatch& watch = **found;
    std::erase_if(watch.running, [](const auto& r) { return r.second->Exited(); });
    if (!watch.running.empty()) return;
    // A program that started itself anew on its way out still runs.
    OpenCopies(watch);
    if (watch.running.empty()) FallDue(watch.text, services_.currentMinute() + services_.warnMinutes());
}

void Triggers::FallDue(std::string text, std::int64_t minute) {
    agenda_.Trigger(text, minute);
    if (minute > services_.lastCheckedMinute()) return;  // the minute's check hands it over
    for (const Occurrence& due : agenda_.DueIn(minute))
        if (due.text == text) services_.runNow(due);
}

void Triggers::Arm() {
    if (stopped_) return;
    Follow();
    for (const auto& watch : programs_)
        if (!watch->seen) OpenCopies(*watch);
}

void Triggers::Stop() {
    stopped_ = true;
    programs_.clear();
    idle_.clear();
}

void Triggers::Update() {
    if (stopped_) return;
    Follow();
    const std::int64_t now = services_.currentMinute();
    const int warn = services_.warnMinutes();
    // Copies started since the last check; a copy seen that ended unnoticed.
    // Handed over after the look at every watch: a hand-over changes the book.
    std::vector<std::string> ended;
    for (const auto& watch : programs_) {
        std::erase_if(watch->running, [](const auto& r) { return r.second->Exited(); });
        OpenCopies(*watch);
        if (watch->seen && watch->running.empty() && !agenda_.Triggered(watch->text)) ended.push_back(watch->text);
    }
    for (std::string& text : ended) FallDue(std::move(text), now + warn);

    const std::uint32_t tick = services_.activity.Now();
    const bool kept = services_.activity.KeptAwake();
    if (kept) {
        keptAwakeAt_ = tick;
        keptAwakeSeen_ = true;
    }
    std::vector<std::pair<std::string, std::int64_t>> due;
    for (IdleWatch& watch : idle_) {
        const std::uint32_t lastInput = services_.activity.LastInput();
        if (lastInput != watch.lastInput) agenda_.Rearm(watch.text);  // someone was at the machine
        watch.lastInput = lastInput;
        if (kept) {
            agenda_.Withdraw(watch.text);
            continue;
        }
        const std::uint32_t idle = std::min(tick - lastInput, keptAwakeSeen_ ? tick - keptAwakeAt_ : tick - lastInput);
        const std::int64_t idleMinutes = idle / 60000;
        if (idleMinutes >= watch.minutes - warn)
            due.emplace_back(watch.text, now + std::max<std::int64_t>(watch.minutes - idleMinutes, 0));
    }
    for (auto& [text, minute] : due) FallDue(std::move(text), minute);
}

}  // namespace dwl
