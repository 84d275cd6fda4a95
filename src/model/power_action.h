#pragma once
// The power and session actions. Their codes are what the countdown, the
// hotkeys, the tray menu and the buttons hand to ExitWindows.
namespace dwl {

enum PowerAction : int {
    LogOff = 0,
    Shutdown = 1,
    Reboot = 2,
    PowerOff = 8,  // a shutdown with "Power Off computer after shutdown" checked
    Lock = 9,
    Suspend = 10,
    Hibernate = 11,
};

struct PowerActionInfo {
    PowerAction code;
    const char* text;          // in scenario entries, the action lists and the tray menu
    const char* announcement;  // the countdown's message before the seconds; log off names the user
    const char* actNow;        // the countdown's button that acts at once
    const char* quickbarTip;   // the tooltip of its Quickbar button
};

inline constexpr PowerActionInfo kPowerActions[] = {
    {LogOff, "Log Off Current User", ", you will be logged off in ", "Log Off now", "Log Off"},
    {Shutdown, "Shutdown Windows", "Your computer will be shutted down in ", "Shutdown now", "Shutdown"},
    {Reboot, "Reboot Computer", "Your computer will be rebooted in ", "Reboot now", "Restart"},
    {Lock, "Lock Computer", "Your computer will be locked in ", "Lock now", "Lock"},
    {Suspend, "Suspend", "Your computer will be suspended in ", "Suspend now", "Suspend"},
    {Hibernate, "Hibernate", "Your computer will be hibernated in ", "Hibernate now", "Hibernate"},
};

// The row of an action code; null for power off and for other values.
constexpr const PowerActionInfo* FindPowerAction(int code) {
    for (const auto& action : kPowerActions)
        if (action.code == code) return &action;
    return nullptr;
}

// Action texts of scenario entries and action lists.
inline constexpr const char* kLogOffText = kPowerActions[0].text;
inline constexpr const char* kShutdownText = kPowerActions[1].text;
inline constexpr const char* kRebootText = kPowerActions[2].text;
inline constexpr const char* kLockText = kPowerActions[3].text;
inline constexpr const char* kSuspendText = kPowerActions[4].text;
inline constexpr const char* kHibernateText = kPowerActions[5].text;

}  // namespace dwl
