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
            idle_.push_back({s.text, s.entry->idleMinutes});
    }
}

void Triggers::OpenCopies(ProgramWatch& watch) {
    for (const ProcessInfo& info : services_.processes.Snapshot()) {
        if (info.self || !info.ownSession || !ProcessMatches(info.exeFile, watch.program)) continue;
        auto process = services_.processes.Open(info.id);
        // Only the program listed: an id passed on meanwhile is not waited for.
        if (!process || !ProcessMatches(process->ImageName(), watch.program) || process->Exited()) continue;
        process->WhenExited([this, text = watch.text] { Ended(text); });
        watch.running.push_back(std::move(process));
        watch.seen = true;
    }
}

void Triggers::Ended(const std::string& text) {
    const auto found = std::find_if(programs_.begin(), programs_.end(), [&](const auto& w) { return w->text == text; });
    if (found == programs_.end()) return;
    ProgramWatch& watch = **found;
    std::erase_if(watch.running, [](const auto& process) { return process->Exited(); });
    if (!watch.running.empty()) return;
    // A program that started itself anew on its way out still runs.
    watch.running.clear();
    OpenCopies(watch);
    if (watch.running.empty()) FallDue(text);
}

void Triggers::FallDue(const std::string& text) {
    const std::int64_t now = services_.currentMinute();
    const int warn = services_.warnMinutes();
    agenda_.Trigger(text, now + warn);
    if (warn > 0) return;
    for (const Occurrence& due : agenda_.DueIn(now))
        if (due.text == text) services_.runNow(due);
}

void Triggers::Arm() {
    Follow();
    for (const auto& watch : programs_)
        if (!watch->seen) OpenCopies(*watch);
}

void Triggers::Update() {
    Follow();
    for (const auto& watch : programs_) {
        // Copies started since the last check; one seen that ended unseen.
        const bool wasSeen = watch->seen;
        std::erase_if(watch->running, [](const auto& process) { return process->Exited(); });
        OpenCopies(*watch);
        if (wasSeen && watch->running.empty() && !agenda_.Triggered(watch->text)) FallDue(watch->text);
    }
    const std::int64_t now = services_.currentMinute();
    const std::uint32_t idle = services_.activity.KeptAwake() ? 0 : services_.activity.IdleMilliseconds();
    for (IdleWatch& watch : idle_) {
        // Input since the last check: counted anew.
        if (idle < watch.idle) agenda_.Rearm(watch.text);
        watch.idle = idle;
        const std::int64_t idleMinutes = idle / 60000;
        if (idleMinutes >= watch.minutes - services_.warnMinutes())
            agenda_.Trigger(watch.text, now + std::max<std::int64_t>(watch.minutes - idleMinutes, 0));
    }
}

}  // namespace dwl
