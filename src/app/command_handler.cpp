#include "app/command_handler.h"

#include "model/power_action.h"
#include "platform/clock.h"
#include "schedule/scenario_book.h"
#include "ui/countdown/countdown.h"

namespace dwl {

CommandReply CommandHandler::Run(const Command& command) {
    Countdown& countdown = services_.countdown;
    if (command.kind == Command::Kind::Cancel) {
        if (!countdown.TimerRunning()) return CommandReply::NoCountdown;
        if (!countdown.CancelOffered()) return CommandReply::CancelLocked;
        countdown.cmdCancel_Click();
        return CommandReply::Accepted;
    }
    const PowerActionInfo* action = FindPowerAction(command.action);
    if (!action) return CommandReply::NotUnderstood;
    if (command.action == PowerAction::Lock && !services_.lockSupported()) return CommandReply::LockUnsupported;
    if (command.when == Command::When::Now) {
        // Another action would replace (and so cancel) a countdown the lock holds.
        if (countdown.TimerRunning() && !countdown.CancelOffered()) return CommandReply::CancelLocked;
        countdown.ShowAction(command.action);
        return CommandReply::Accepted;
    }
    // Like the editor, which the lock greys.
    if (services_.lockInForce()) return CommandReply::ScenariosLocked;
    int minuteOfDay = command.hour * 60 + command.minute;
    if (command.when == Command::When::In) {
        const LocalTime now = services_.clock.Now();
        minuteOfDay = (now.hour * 60 + now.minute + command.minutes) % (24 * 60);
    }
    ScenarioEntry entry;
    entry.action = action->text;
    entry.recurrence = command.daily ? Recurrence::Daily : Recurrence::Onetime;
    entry.hour = minuteOfDay / 60;
    entry.minute = minuteOfDay % 60;
    services_.book.AddActive(entry, services_.use12Hour());
    return CommandReply::Accepted;
}

}  // namespace dwl
