#include "actions/countdown.h"

namespace dwl {

namespace {

struct CountdownAction {
    int code;
    const char* caption;
};

constexpr CountdownAction kActions[] = {
    {0, "Log Off now"}, {1, "Shutdown now"},  {2, "Reboot now"},
    {9, "Lock now"},    {10, "Suspend now"}, {11, "Hibernate now"},
};

const char* FixedActionText(int code) {
    switch (code) {
    case 1: return "Your computer will be shutted down in ";
    case 2: return "Your computer will be rebooted in ";
    case 9: return "Your computer will be locked in ";
    case 10: return "Your computer will be suspended in ";
    case 11: return "Your computer will be hibernated in ";
    default: return nullptr;
    }
}

const CountdownAction* ActionOfCode(int code) {
    for (const auto& action : kActions)
        if (action.code == code) return &action;
    return nullptr;
}

const CountdownAction* ActionOfCaption(const std::string& caption) {
    for (const auto& action : kActions)
        if (caption == action.caption) return &action;
    return nullptr;
}

} // namespace

Countdown::Countdown(ICountdownWindow& window, Services services)
    : window_(window), services_(std::move(services)) {
    prgAction.SetRange(0, 5);
    prgAction.SetValue(0);
    cmdAction.onClick = [this] { cmdAction_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
}

void Countdown::ShowAction(int WhichAction) {
    window_.StartTimer(CountdownLayout::timerIntervalMs);
    timerRunning_ = true;

    if (const CountdownAction* action = ActionOfCode(WhichAction)) {
        if (WhichAction == 0) {
            const std::string userName = services_.currentUserName ? services_.currentUserName() : std::string();
            ActionText = userName + ", you will be logged off in ";
        } else {
            ActionText = FixedActionText(WhichAction);
        }
        lblAction.SetCaption(ActionText + "5 second(s).");
        cmdAction.SetCaption(action->caption);
    }

    window_.SetClientHeightTwips(services_.chkPassword.Value() != 0 ? CountdownLayout::lockedClientHeight
                                                                    : CountdownLayout::clientHeight);
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
    if (const CountdownAction* action = ActionOfCaption(cmdAction.Caption())) {
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

void Countdown::ShowRunCloseAction(const std::string& strAction, bool oneTime) {
    if (services_.runCloseAction) services_.runCloseAction(strAction, oneTime);
}

} // namespace dwl
