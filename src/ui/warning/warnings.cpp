#include "ui/warning/warnings.h"

#include <algorithm>


namespace dwl {

Warnings::Warnings(IWarningWindows& windows, Services services)
    : windows_(windows), services_(std::move(services)) {}

std::string Warnings::LineFor(const Occurrence& occurrence, std::int64_t now, bool use12Hour) {
    return ActionAndTime(occurrence, use12Hour) + ", in " + std::to_string(occurrence.minute - now) + " minute(s).";
}

void Warnings::SetMinutes(int minutes) { minutes_ = std::max(minutes, 0); }

bool Warnings::Warned(const Occurrence& occurrence) const {
    return std::find(warned_.begin(), warned_.end(), std::pair(occurrence.text, occurrence.minute)) != warned_.end();
}

void Warnings::Update(std::int64_t now) {
    std::erase_if(warned_, [now](const auto& warned) { return warned.second <= now; });
    const std::vector<Occurrence> coming =
        minutes_ > 0 ? services_.agenda.Between(now, now + minutes_) : std::vector<Occurrence>{};
    const bool use12Hour = services_.use12Hour();

    // A window shows what of its minute it showed before and still comes,
    // and what comes in that minute and was not warned of yet.
    for (auto window = open_.begin(); window != open_.end();) {
        std::vector<Occurrence> shown;
        for (const Occurrence& occurrence : coming)
            if (occurrence.minute == window->minute &&
                (!Warned(occurrence) ||
                 std::find(window->shown.begin(), window->shown.end(), occurrence) != window->shown.end()))
                shown.push_back(occurrence);
        if (shown.empty()) {
            windows_.CloseWarning(window->id);
            window = open_.erase(window);
            continue;
        }
        window->shown = std::move(shown);
        ++window;
    }
    for (const Occurrence& occurrence : coming) {
        if (Warned(occurrence)) continue;
        auto window = std::find_if(open_.begin(), open_.end(),
                                   [&](const Window& w) { return w.minute == occurrence.minute; });
        if (window == open_.end()) window = open_.insert(open_.end(), Window{nextId_++, occurrence.minute, {}, {}, false});
        if (std::find(window->shown.begin(), window->shown.end(), occurrence) == window->shown.end())
            window->shown.push_back(occurrence);
        warned_.emplace_back(occurrence.text, occurrence.minute);
    }
    for (Window& window : open_) {
        std::string text;
        for (const Occurrence& occurrence : window.shown)
            text += (text.empty() ? "" : "\r\n") + LineFor(occurrence, now, use12Hour);
        const bool answerable = !services_.movesLocked(window.shown);
        if (text == window.text && answerable == window.answerable) continue;
        window.text = text;
        window.answerable = answerable;
        windows_.ShowWarning(window.id, text, answerable);
    }
}

void Warnings::Answer(int id, WarningAnswer answer, std::int64_t now) {
    const auto window = std::find_if(open_.begin(), open_.end(), [id](const Window& w) { return w.id == id; });
    if (window == open_.end()) return;
    // The buttons are greyed under the lock; an answer that comes anyway changes nothing.
    const std::vector<Occurrence> shown = window->shown;
    if (answer != WarningAnswer::Ok && services_.movesLocked(shown)) return;
    // A postponement the agenda refuses (it would reach the scenario's next
    // time) leaves the window as it is: Skip and OK remain.
    if (answer == WarningAnswer::Postpone && services_.agenda.Postpone(shown, kPostponeMinutes) != Agenda::Moved::Done)
        return;
    if (answer == WarningAnswer::Skip)
        for (const Occurrence& occurrence : shown) services_.agenda.Skip(occurrence);
    // The agenda's observers may have closed it already.
    if (const auto still = std::find_if(open_.begin(), open_.end(), [id](const Window& w) { return w.id == id; });
        still != open_.end()) {
        windows_.CloseWarning(id);
        open_.erase(still);
    }
    Update(now);
}

}  // namespace dwl
