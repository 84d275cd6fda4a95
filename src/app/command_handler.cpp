#include "app/command_handler.h"

#include "model/power_action.h"
#include "platform/clock.h"
#include "schedule/agenda.h"
#include "schedule/calendar.h"
#include "ui/countdown/countdown.h"

namespace dwl {

// What comes next: /next tells it; /postpone and /skip act on every
// occurrence of its minute, as the warning that names them does.
CommandReply CommandHandler::MoveNext(const Command& command, std::string& answer) {
    Agenda& agenda = services_.agenda;
    const std::int64_t now = MinuteNumber(services_.clock.Now());
    const auto next = agenda.Next(now);
    if (!next) return CommandReply::NothingDue;
    if (command.kind == Command::Kind::Next) {
        answer = DescribeOccurrence(*next, now, services_.use12Hour());
        return CommandReply::Accepted;
    }
    if (services_.lockInForce()) return CommandReply::MovesLocked;
    const std::vector<Occurrence> due = agenda.DueIn(next->minute);
    if (services_.policyHolds(due)) return CommandReply::PolicyHolds;
    const bool use12Hour = services_.use12Hour();
    if (command.kind == Command::Kind::Postpone) {
        const Agenda::Moved moved = agenda.Postpone(due, command.minutes);
        if (moved == Agenda::Moved::PastNextTime) return CommandReply::PastNextTime;
        if (moved != Agenda::Moved::Done) return CommandReply::NothingDue;
        Occurrence later = *next;
        later.minute += command.minutes;
        answer = "Postponed: " + DescribeOccurrence(later, now, use12Hour);
        return CommandReply::Accepted;
    }
    answer = "Skipped: " + DescribeOccurrence(*next, now, use12Hour);
    for (const Occurrence& occurrence : due) agenda.Skip(occurrence);
    return CommandReply::Accepted;
}

CommandReply CommandHandler::Run(const Command& command, std::string& answer) {
    if (command.kind == Command::Kind::Next || command.kind == Command::Kind::Postpone ||
        command.kind == Command::Kind::Skip)
        return MoveNext(command, answer);
    Countdown& countdown = services_.countdown;
    if (command.kind == Command::Kind::Cancel) {
        if (!countdown.TimerRunning()) return CommandReply::NoCountdown;
        if (countdown.HeldByPolicy()) return CommandReply::PolicyHolds;
        if (!countdown.CancelOffered()) return CommandReply::CancelLocked;
        countdown.cmdCancel_Click();
        return CommandReply::Accepted;
    }
    const PowerActionInfo* action = FindPowerAction(command.action);
    if (!action) return CommandReply::NotUnderstood;
    if (command.action == PowerAction::Lock && !services_.lockSupported()) return CommandReply::LockUnsupported;
    if (command.when == Command::When::Now) {
        // Another action would replace (and so cancel) a countdown the lock holds.
        if (countdown.HeldByPolicy()) return CommandReply::PolicyHolds;
        if (countdown.TimerRunning() && !countdown.CancelOffered()) return CommandReply::CancelLocked;
        countdown.ShowAction(command.action);
        return CommandReply::Accepted;
    }
    // Like the editor, which the lock greys.
    if (services_.lockInForce()) return CommandReply::ScenariosLocked;
    if (services_.policyLocked()) return CommandReply::PolicyLocked;
    int minuteOfDay = command.hour * 60 + command.minute;
    if (command.when == Command::When::In) {
        const LocalTime now = services_.clock.Now();
        minuteOfDay = (now.hour * 60 + now.minute + command.minutes) % (24 * 60);
    }
    ScenarioEntry entry;
    entry.action = action->text;
    entry.recurrence = command.when == Command::When::AfterExit   ? Recurrence::AfterExit
                       : command.when == Command::When::AfterIdle ? Recurrence::AfterIdle
                       : command.daily                            ? Recurrence::Daily
                                                                  : Recurrence::Onetime;
    entry.program = command.program;
    if (command.when == Command::When::AfterIdle) entry.idleMinutes = command.minutes;
    entry.hour = minuteOfDay / 60;
    entry.minute = minuteOfDay % 60;
    services_.agenda.Book().AddActive(entry, services_.use12Hour());
    return CommandReply::Accepted;
}

}  // namespace dwl
