#pragma once
// The warning ahead of a scheduled action: a small window near the
// notification area that names what is coming ("Shutdown Windows at 23:15,
// in 5 minute(s).") and offers to postpone it by ten minutes or skip it this
// time. One window per minute that something falls due in; the occurrences
// of that minute share it. It closes itself when they fall due, when they
// are deleted, deactivated, postponed or skipped, and when it is answered.
#include <cstdint>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "schedule/agenda.h"

namespace dwl {

enum class WarningAnswer { Postpone, Skip, Ok };

// The warning windows as the program drives them.
class IWarningWindows {
public:
    using Answered = std::function<void(int id, WarningAnswer answer)>;
    virtual ~IWarningWindows() = default;
    // Where the windows report the user's answers.
    virtual void SetAnswered(Answered answered) = 0;
    // Shows window `id` with `text` near the notification area, without
    // taking the focus, or changes the text of the one shown. Postpone and
    // Skip are enabled when `answerable`.
    virtual void ShowWarning(int id, const std::string& text, bool answerable) = 0;
    virtual void CloseWarning(int id) = 0;
};

class Warnings {
public:
    static constexpr int kPostponeMinutes = 10;
    // The choices of "Warn before a scheduled action:", 0 being off.
    static constexpr int kMinuteChoices[] = {0, 1, 2, 5, 10, 15};
    static constexpr int kDefaultMinutes = 5;

    struct Services {
        Agenda& agenda;
        // Postpone and Skip are refused for these occurrences (the lock, the administrator's).
        std::function<bool(const std::vector<Occurrence>&)> movesLocked;
        std::function<bool()> use12Hour;    // the form of the times shown
    };
    Warnings(IWarningWindows& windows, Services services);

    // How long ahead the windows come; 0 closes them and shows none.
    void SetMinutes(int minutes);
    int Minutes() const { return minutes_; }

    // Brings the windows up to date at `now` (a local minute number that has
    // been checked): opens one for what falls due within the warning time and
    // was not warned of yet, and closes those whose minute came or whose
    // occurrences are gone.
    void Update(std::int64_t now);
    // The user's answer in window `id`; the windows follow at once.
    void Answer(int id, WarningAnswer answer, std::int64_t now);

    // "<action text> at <time>, in <n> minute(s)."
    static std::string LineFor(const Occurrence& occurrence, std::int64_t now, bool use12Hour);

private:
    struct Window {
        int id;
        std::int64_t minute;
        std::vector<Occurrence> shown;
        std::string text;
        bool answerable;
    };
    bool Warned(const Occurrence& occurrence) const;

    IWarningWindows& windows_;
    Services services_;
    int minutes_ = kDefaultMinutes;
    std::vector<Window> open_;
    std::vector<std::pair<std::string, std::int64_t>> warned_;  // text and minute of each occurrence warned of
    int nextId_ = 1;
};

}  // namespace dwl
