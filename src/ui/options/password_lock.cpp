#include "ui/options/password_lock.h"

#include <initializer_list>

#include "model/scramble.h"
#include "settings/settings.h"
#include "ui/options/scenario_editor.h"

namespace dwl {
namespace {

constexpr const char* kSetCaption = "Set pass&word...";
constexpr const char* kUnlockCaption = "&Unlock...";

}  // namespace

std::vector<Control*> GuardedControls(OptionsForm& f) {
    return {&f.chkPassword,  &f.chkStartup,       &f.chkTray,      &f.chkPower,     &f.cmdAdd,
            &f.cmdDel,       &f.cmdDuration,      &f.cmdAction,    &f.txtTime,      &f.cmdMin,
            &f.cmdPlus,      &f.txtShutdownKey,   &f.txtLogOffKey, &f.txtRebootKey, &f.chkCleanRecycleBin,
            &f.chkCleanTemp, &f.chkCleanNetCashe, &f.cmdWarn,      &f.txtProgram,   &f.cmdProgram,
            &f.txtIdle,      &f.chkWake};
}

void LockedMode(OptionsForm& form, ScenarioEditor& editor, bool blnLocked) {
    // The editor's own controls follow its selection when unlocked; while
    // locked it may not enable them either (choosing another scenario in
    // cmdScen would otherwise make them editable again). That takes in the
    // days, "Find...", the program and the minutes, whose changes would be
    // applied to the scenario too.
    editor.lockedOut = !blnLocked;
    const std::initializer_list<Control*> editorControls{
        &form.cmdAction, &form.cmdDuration, &form.txtTime,    &form.cmdPlus,    &form.cmdMin,
        &form.lstDays,   &form.cmdFind,     &form.txtProgram, &form.cmdProgram, &form.txtIdle};
    auto ofEditor = [&](Control* c) {
        for (Control* e : editorControls)
            if (e == c) return true;
        return false;
    };
    for (Control* control : GuardedControls(form))
        control->SetEnabled(blnLocked && (!ofEditor(control) || editor.SelectionEditable()));
    form.lstDays.SetEnabled(blnLocked && editor.SelectionEditable());
    form.cmdFind.SetEnabled(blnLocked && editor.SelectionEditable());
    form.cmdPassword.SetCaption(blnLocked ? kSetCaption : kUnlockCaption);
}

PasswordLock::PasswordLock(OptionsForm& form, ScenarioEditor& editor) : form_(form), editor_(editor) {
    form_.cmdPassword.onClick = [this] { cmdPassword_Click(); };
}

void PasswordLock::Guard(bool open) {
    LockedMode(form_, editor_, open && !policyLocked_);
    for (Control* control : forced_) control->SetEnabled(false);
}

void PasswordLock::SetPolicy(bool locked, std::vector<Control*> forced) {
    forced_ = std::move(forced);
    // Lifted, the lock is the password's again: locked only while that is in force.
    if (policyLocked_ && !locked) locked_ = locked_ && InForce() && !unlocked_;
    policyLocked_ = locked;
    locked_ = locked_ || locked;
    form_.cmdPassword.SetEnabled(!locked);
    Guard(!locked_);
}

void PasswordLock::BeforeShow() {
    if (unlocked_ || locked_ || !InForce()) return;
    Guard(false);
    locked_ = true;
}

void PasswordLock::Apply() {
    MarkApplied();
    if (storeSwitch) storeSwitch(InForce());
    if (applied_ && ConfigPassword.empty() && tell)
        tell("The configuration is locked only with a password. Please set one with \"Set password...\".");
}

void PasswordLock::CheckLoaded() {
    if (applied_ && ConfigPassword.empty() && tell)
        tell(
            "The configuration lock is on, but its password is missing or cannot be read. The configuration "
            "stays unlocked until a password is set with \"Set password...\".");
}

void PasswordLock::cmdPassword_Click() {
    if (policyLocked_) {
        if (tell) tell("The administrator has locked the configuration of Duskwell on this computer.");
        return;
    }
    if (locked_)
        Unlock();
    else
        SetPassword();
}

void PasswordLock::Unlock() {
    const auto typed = askPassword ? askPassword() : std::nullopt;
    // The administrator may have locked the settings while the dialog was open.
    if (!typed || policyLocked_) return;
    if (*typed != ConfigPassword) {
        if (tell) tell("The password is not correct. The configuration stays locked.");
        return;
    }
    Guard(true);
    locked_ = false;
    unlocked_ = true;
}

void PasswordLock::SetPassword() {
    const auto typed = askNewPassword ? askNewPassword() : std::nullopt;
    if (!typed || policyLocked_) return;
    const auto& [password, again] = *typed;
    std::string refusal;
    if (password != again)
        refusal = "The two passwords are not the same. The password was not changed.";
    else if (password.empty() && form_.chkPassword.Value() != 0)
        refusal = "The configuration cannot be locked with an empty password. The password was not changed.";
    else if (password.size() > kMaxPasswordLength ||
             UnscrambleText(password, kPasswordKey).find('\0') != std::string::npos)
        // Its stored form would be cut or end early: the lock could never be opened.
        refusal = "This password cannot be stored. Please choose another one.";
    else if (!storePassword || !storePassword(password, ConfigPassword))
        refusal = "The password could not be stored. The password was not changed.";
    if (!refusal.empty()) {
        if (tell) tell(refusal);
        return;
    }
    ConfigPassword = password;
    // The box may be applied already: the switch follows the password.
    if (storeSwitch) storeSwitch(InForce());
    if (tell) tell(password.empty() ? "The password has been removed." : "The password has been set.");
}

}  // namespace dwl
