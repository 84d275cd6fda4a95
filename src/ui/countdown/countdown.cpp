#include "ui/countdown/countdown.h"

#include "model/power_action.h"

namespace dwl {

namespace {

const PowerActionInfo* ActionOfCaption(const std::string& caption) {
    for (const auto& action : kPowerActions)
        if (caption == action.actNow) return &action;
    return nullptr;
}

}  // namespace

Countdown::Countdown(ICountdownWindow& window, Services services) : window_(window), services_(std::move(services)) {
    prgAction.SetRange(0, 5);
    prgAction.SetValue(0);
    // A disabled button takes no click, whoever sends it.
    cmdAction.onClick = [this] {
        if (cmdAction.Enabled()) cmdAction_Click();
    };
    cmdCancel.onClick = [this] {
        if (cmdCancel.Enabled()) cmdCancel_Click();
    };
}

void Countdown::ShowAction(int actionCode, bool byPolicy) {
    // An administrator's count that may not be cancelled is not replaced
    // (and so cancelled) by another action either.
    if (HeldByPolicy() && !byPolicy) return;
    window_.StartTimer(CountdownLayout::timerIntervalMs);
    timerRunning_ = true;

    if (const PowerActionInfo* action = FindPowerAction(actionCode)) {
        ActionText = action->announcement;
        if (actionCode == LogOff && services_.currentUserName) ActionText = services_.currentUserName() + ActionText;
        lblAction.SetCaption(ActionText + "5 second(s).");
        cmdAction.SetCaption(action->actNow);
    }

    // While the lock is in force nothing may stop or hasten the count: the
    // buttons are out of sight, hidden and disabled, so that no key, click,
    // message or accessibility tool reaches them. So for an administrator's
    // scenario that may not be cancelled.
    heldByPolicy_ = byPolicy && services_.policyNoCancel && services_.policyNoCancel();
    const bool locked = heldByPolicy_ || (services_.lockInForce && services_.lockInForce());
    for (Button* button : {&cmdAction, &cmdCancel}) {
        button->SetEnabled(!locked);
        button->SetVisible(!locked);
    }
    window_.SetClientHeightTwips(locked ? CountdownLayout::lockedClientHeight : CountdownLayout::clientHeight);
    window_.SetAlwaysOnTop();
    prgAction.SetValue(0);
    window_.Show();
    SecondsLeft = 6;
}

void Countdown::ATimer_Timer() {
    if (!timerRunning_) return;
    if (SecondsLeft >= 2) {
        --SecondsLeft;
        lblAction.SetCaption(ActionText + std::to_string(SecondsLeft) + " second(s).");
        prgAction.SetValue(6 - SecondsLeft);
        return;
    }
    StopCounting();
    if (const PowerActionInfo* action = ActionOfCaption(cmdAction.Caption())) {
        if (services_.exitWindows) services_.exitWindows(action->code);
    }
}

void Countdown::cmdAction_Click() {
    SecondsLeft = 0;
    ATimer_Timer();
}

void Countdown::cmdCancel_Click() { StopCounting(); }

void Countdown::StopCounting() {
    window_.StopTimer();
    timerRunning_ = false;
    window_.Hide();
    window_.ClearAlwaysOnTop();
}

void Countdown::ShowRunCloseAction(const std::string& actionField, bool oneTime, bool byPolicy) {
    if (services_.runCloseAction) services_.runCloseAction(actionField, oneTime, byPolicy);
}

}  // namespace dwl
