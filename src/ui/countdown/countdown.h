#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "model/controls.h"
#include "model/twips.h"
#include "schedule/scheduler.h"

namespace dwl {

// Layout of the countdown window, in twips.
struct CountdownLayout {
    static constexpr int clientWidth = 4680;
    static constexpr int clientHeight = 1425;
    // While the configuration is locked the client area ends above the
    // buttons: the user sees text and bar but can neither cancel nor hurry.
    static constexpr int lockedClientHeight = 960;
    static constexpr TwipsRect lblAction{120, 120, 4455, 255};
    static constexpr TwipsRect prgAction{120, 480, 4455, 375};
    static constexpr TwipsRect cmdAction{120, 960, 1695, 375};
    static constexpr TwipsRect cmdCancel{2880, 960, 1695, 375};
    static constexpr int timerIntervalMs = 1000;
    static_assert(lockedClientHeight <= cmdAction.top && lockedClientHeight <= cmdCancel.top);
    static_assert(clientHeight >= cmdAction.top + cmdAction.height && clientHeight >= cmdCancel.top + cmdCancel.height);
};

// The window side of the countdown: its timer, visibility, height and
// topmost placement.
class ICountdownWindow {
public:
    virtual ~ICountdownWindow() = default;
    // Ticks arrive at Countdown::ATimer_Timer every `intervalMs`; starting a
    // running timer starts it afresh.
    virtual void StartTimer(int intervalMs) = 0;
    virtual void StopTimer() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // Sizes the window so that its client area, whatever the frame around
    // it, is `height` high (and clientWidth wide).
    virtual void SetClientHeightTwips(int height) = 0;
    virtual void SetAlwaysOnTop() = 0;
    virtual void ClearAlwaysOnTop() = 0;
    // Destroys the window at the program's end.
    virtual void Destroy() {}
};

// The countdown window's model: announces a power action, counts down five
// seconds and hands it to ExitWindows, unless the user cancels.
class Countdown : public IScenarioActions {
public:
    struct Services {
        // Read at ShowAction: true while the configuration lock is in force,
        // and while the administrator's scenarios may not be cancelled.
        std::function<bool()> lockInForce;
        std::function<bool()> policyNoCancel;
        // The user's logon name.
        std::function<std::string()> currentUserName;
        // clsExitWindows::ExitWindows.
        std::function<void(int actionCode)> exitWindows;
        // Runs or closes the application of an application scenario.
        std::function<void(const std::string& actionField, bool oneTime, bool byPolicy)> runCloseAction;
    };

    Countdown(ICountdownWindow& window, Services services);

    // The window's title.
    Label frmAction{"frmAction"};
    Label lblAction{"lblAction", "Your computer will be shut downed in 5 seconds."};
    ProgressBar prgAction{"prgAction"};
    Button cmdAction{"cmdAction", "Shut down now"};
    Button cmdCancel{"cmdCancel", "Cancel"};

    std::int16_t SecondsLeft = 0;
    std::string ActionText;

    void ShowAction(int actionCode, bool byPolicy = false) override;
    void ShowRunCloseAction(const std::string& actionField, bool oneTime, bool byPolicy) override;

    // One countdown step; the window's timer raises it. Does nothing when no
    // count runs (a late tick must not carry the action out a second time).
    void ATimer_Timer();
    void cmdAction_Click();
    void cmdCancel_Click();

    bool TimerRunning() const { return timerRunning_; }
    // A count runs and its window offers Cancel (not while the lock is in force).
    bool CancelOffered() const { return timerRunning_ && cmdCancel.Enabled(); }
    // The count runs for an administrator's scenario that may not be cancelled.
    bool HeldByPolicy() const { return timerRunning_ && heldByPolicy_; }

private:
    void StopCounting();

    ICountdownWindow& window_;
    Services services_;
    bool timerRunning_ = false;
    bool heldByPolicy_ = false;
};

}  // namespace dwl
