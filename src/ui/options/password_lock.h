#pragma once
// The configuration password lock of the options window. With a password
// stored and "Lock configuration with a password" applied, every showing of
// the window starts locked: the editable controls of the General, Scenarios,
// Hotkeys and Clean Up pages are greyed and the password button offers to
// unlock; the right password unlocks them until the window is hidden again.
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "ui/options/options_form.h"

namespace dwl {

class ScenarioEditor;

// The controls the lock guards, in the order it switches them.
std::vector<Control*> GuardedControls(OptionsForm& form);

// Enables (blnLocked true: the unlocked window) or greys (false: locked) the
// controls the lock guards, and re-labels cmdPassword "Set pass&word..." or
// "&Unlock...". The scenario editor's controls come back as the editor left
// them; the others come back enabled.
void LockedMode(OptionsForm& form, ScenarioEditor& editor, bool blnLocked);

class PasswordLock {
public:
    PasswordLock(OptionsForm& form, ScenarioEditor& editor);

    // What the user types: the password to unlock with, and the new password
    // twice; nullopt when the dialog is cancelled.
    std::function<std::optional<std::string>()> askPassword;
    std::function<std::optional<std::pair<std::string, std::string>>()> askNewPassword;
    // A message to the user.
    std::function<void(const std::string& text)> tell;
    // Store the new password (false when it did not read back whole, the
    // previous one then stays stored) and the lock switch.
    std::function<bool(const std::string& password, const std::string& previous)> storePassword;
    std::function<void(bool locked)> storeSwitch;

    // The password as loaded or last set, in clear.
    std::string ConfigPassword;

    // The box applied and a password stored: the window opens locked and the
    // countdown offers no way to stop a scheduled action.
    bool InForce() const { return applied_ && !ConfigPassword.empty(); }
    bool Locked() const { return locked_; }

    // The loaded state of chkPassword.
    void MarkApplied() { applied_ = form_.chkPassword.Value() != 0; }
    // After loading: a switch that is on without a readable password leaves
    // the window unlocked, and the user is told so.
    void CheckLoaded();
    // Apply: takes the box's state and stores the switch; tells the user
    // when the box cannot lock without a password.
    void Apply();
    // Before every showing of the window, and after it is hidden.
    void BeforeShow();
    void AfterHide() { unlocked_ = false; }

    void cmdPassword_Click();

    // The administrator's lock: the window stays locked, with no unlock, while
    // `locked`. The `forced` controls stay greyed in any case.
    void SetPolicy(bool locked, std::vector<Control*> forced);
    bool PolicyLocked() const { return policyLocked_; }

private:
    void Unlock();
    void SetPassword();
    // LockedMode, with the forced controls greyed.
    void Guard(bool open);

    OptionsForm& form_;
    ScenarioEditor& editor_;
    bool applied_ = false;
    bool locked_ = false;
    bool unlocked_ = false;  // unlocked by the password while shown
    bool policyLocked_ = false;
    std::vector<Control*> forced_;
};

}  // namespace dwl
