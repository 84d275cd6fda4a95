#include "ui/options/options_controller.h"

#include "model/text.h"
#include "ui/options/scenario_editor.h"

namespace dwl {
namespace {

constexpr const char* kHelpFile = "dwl.chm";

std::string WithoutBlanks(const std::string& text) {
    std::string result;
    for (char c : text)
        if (c != ' ') result += c;
    return result;
}

void SetCaptionIfDifferent(Button& item, const std::string& action, const TextBox& hotkey) {
    const std::string caption = action + "\t(" + WithoutBlanks(hotkey.Text()) + ")";
    if (item.Caption() != caption) item.SetCaption(caption);
}

}  // namespace

OptionsController::OptionsController(OptionsForm& form, IOptionsWindow& window, IMessageWindow& tray,
                                     ScenarioEditor& editor)
    : form_(form), window_(window), tray_(tray), editor_(editor) {
    form_.tbsOptions.onChange = [this] { ShowPage(); };
    form_.cmdApply.onClick = [this] { cmdApply_Click(); };
    form_.cmdOK.onClick = [this] { cmdOK_Click(); };
    form_.cmdCancel.onClick = [this] { cmdCancel_Click(); };
    form_.cmdHelp.onClick = [this] { OpenHelp(); };
    form_.cmdIA.onClick = [this] { cmdIA_Click(); };
    form_.mSettings.onClick = [this] { mSettings_Click(); };
    form_.mAbout.onClick = [this] { mAbout_Click(); };
    form_.mHelp.onClick = [this] { OpenHelp(); };
    form_.mExit.onClick = [this] { mExit_Click(); };
    form_.mLogOff.onClick = [this] {
        if (exitWindows) exitWindows(LogOff);
    };
    form_.mShutdown.onClick = [this] {
        if (exitWindows) exitWindows(Shutdown);
    };
    form_.mReboot.onClick = [this] {
        if (exitWindows) exitWindows(Reboot);
    };
    ShowPage();
}

void OptionsController::ShowPage() {
    const int index = form_.tbsOptions.ListIndex();
    if (index >= 0 && index < OptionsForm::kPageCount) shownPage_ = index;
}

void OptionsController::ApplyReason() {
    if (form_.ScenariosChanged) editor_.ApplyScenarioStep();
    if (form_.HotkeysChanged && applyHotkeys) applyHotkeys();
    if (form_.HotkeysChanged || form_.OptionsChanged) UpdateMenuHotkeyCaptions();
    if (form_.OptionsChanged) {
        if (setStartupEntry) setStartupEntry(form_.chkStartup.Value() != 0);
        if (saveOptions) saveOptions();
    }
    if (form_.QuickbarChanged && displayQuickbar) displayQuickbar();
    form_.cmdApply.SetEnabled(false);
    form_.MarkApplied();
    // An edit still pending was not applied (its application choice was
    // cancelled): the editor's applied state stays the one before it.
    if (!editor_.EditPending()) editor_.MarkApplied();
}

void OptionsController::MarkApplied() {
    form_.MarkApplied();
    editor_.MarkApplied();
}

void OptionsController::RevertToApplied() {
    const bool quickbarChanged = form_.QuickbarChanged;
    form_.RestoreApplied();
    if (revertHotkeys) revertHotkeys();
    editor_.RevertToApplied();
    form_.ClearPendingChanges();
    form_.QuickbarChanged = quickbarChanged;
}

void OptionsController::cmdApply_Click() {
    if (settleHotkeys) settleHotkeys();
    if (form_.cmdApply.Enabled()) ApplyReason();
    window_.FocusControl(&form_.cmdCancel);
}

void OptionsController::cmdOK_Click() {
    if (settleHotkeys) settleHotkeys();
    if (form_.cmdApply.Enabled()) ApplyReason();
    RevertToApplied();
    HideWindow();
}

void OptionsController::cmdCancel_Click() {
    RevertToApplied();
    HideWindow();
}

void OptionsController::ShowWindow(bool centred) {
    if (beforeShow) beforeShow();
    if (centred)
        window_.ShowCentred();
    else
        window_.ShowNormal();
}

void OptionsController::HideWindow() {
    window_.Hide();
    if (afterHide) afterHide();
}

void OptionsController::Show_Form() {
    ShowWindow(true);
    tray_.AddTrayIcon(trayTip_.empty() ? appTitle.c_str() : trayTip_.c_str());
    trayIconAdded_ = true;
}

void OptionsController::ShowOnPage(int page) {
    form_.tbsOptions.SetListIndex(page);
    ShowPage();
    ShowWindow(false);
}

void OptionsController::mSettings_Click() { ShowOnPage(OptionsForm::kPageGeneral); }

void OptionsController::mAbout_Click() { ShowOnPage(OptionsForm::kPageAbout); }

void OptionsController::OpenHelp() {
    if (openDocument) openDocument(programFolder + "\\" + kHelpFile);
}

void OptionsController::mExit_Click() {
    if (exitRefused && exitRefused()) return;
    tray_.RemoveTrayIcon();
    if (exitProgram) exitProgram();
}

void OptionsController::cmdIA_Click() {
    for (const int code : {LogOff, Reboot, Shutdown, Lock, Suspend, Hibernate}) {
        if (form_.cmdAct.Text() != FindPowerAction(code)->text) continue;
        if (exitWindows) exitWindows(code);
        return;
    }
}

void OptionsController::UpdateMenuHotkeyCaptions() {
    SetCaptionIfDifferent(form_.mLogOff, kLogOffText, form_.txtLogOffKey);
    SetCaptionIfDifferent(form_.mReboot, kRebootText, form_.txtRebootKey);
    SetCaptionIfDifferent(form_.mShutdown, kShutdownText, form_.txtShutdownKey);
}

void OptionsController::OnCloseRequest() { cmdCancel_Click(); }

void OptionsController::OnEndRequest() { mExit_Click(); }

// A minimised window is hidden, and a hidden window holds nothing unapplied.
void OptionsController::OnMinimized() { cmdCancel_Click(); }

void OptionsController::OnCtrlTab() {
    const int count = form_.tbsOptions.Count();
    if (count == 0) return;
    form_.tbsOptions.SetListIndex((form_.tbsOptions.ListIndex() + 1) % count);
}

void OptionsController::OnTrayNotify(unsigned mouseMessage) {
    switch (mouseMessage) {
    case kLeftButtonUp:
    case kLeftButtonDoubleClick: ShowWindow(false); break;
    case kRightButtonUp: tray_.ShowTrayMenu(); break;
    default: break;
    }
}

void OptionsController::OnMenuCommand(int command) {
    switch (command) {
    case MenuSettings: form_.mSettings.Click(); break;
    case MenuAbout: form_.mAbout.Click(); break;
    case MenuHelp: form_.mHelp.Click(); break;
    case MenuLogOff: form_.mLogOff.Click(); break;
    case MenuReboot: form_.mReboot.Click(); break;
    case MenuShutdown: form_.mShutdown.Click(); break;
    case MenuExit: form_.mExit.Click(); break;
    default: break;
    }
}

void OptionsController::SetTrayTip(const std::string& tip) {
    if (tip == trayTip_) return;
    trayTip_ = tip;
    if (trayIconAdded_) tray_.AddTrayIcon(trayTip_.c_str());
}

}  // namespace dwl
