#include "app/program.h"

#include "app/cls_os.h"
#include "app/version.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/instance.h"
#include "platform/user.h"
#include "schedule/mtime.h"
#include "schedule/scenario.h"
#include "settings/my_registry.h"

namespace dwl {
namespace {

constexpr const char* kAlreadyRunning = "Duskwell already running.";
constexpr const char* kScenarioFileName = "dwl.scn";
constexpr int kMaxSetAsideNames = 10;

// Steps that later parts of the program fill in. Each is called at its place
// in the start-up and exit order, so the order itself is complete now.
bool InstallManifest() { return false; }
void LoadQuickbarSettings() {}
void UpdateMenuHotkeyCaptions() {}
void DisplayQuickbar() {}
void ShowSplash() {}
void DestroySplashWindow() {}
void DestroyQuickbarWindow() {}
void RunCleanUp() {}

void LoadOptions(OptionsForm& form) {
    // Defaults of a first start.
    form.chkPower.SetValue(0);
    form.chkPassword.SetValue(0);
    form.chkStartup.SetValue(1);
    form.chkTray.SetValue(1);
}

void LoadCleanUpOptions(OptionsForm& form) {
    form.chkCleanTemp.SetValue(0);
    form.chkCleanNetCashe.SetValue(0);
    form.chkCleanRecycleBin.SetValue(0);
}

} // namespace

Program::Program(Platform platform)
    : platform_(platform),
      timeBox_(form_.txtTime, form_.cmdPlus, form_.cmdMin, form_.lstTime),
      countdown_(platform.countdownWindow,
                 Countdown::Services{form_.chkPassword, [this] { return currentUserName_; },
                                     [this](int aOption) { ExitWindows(aOption); },
                                     [this](const std::string& action, bool oneTime) {
                                         RunCloseAction(action, oneTime);
                                     }}),
      scheduler_(form_.cmdScen, form_.lstScen, platform.clock, countdown_,
                 [this](int hour, int minute) { return TimeText(hour, minute, timeBox_.Use12Hour); }) {
    scheduler_.onScenariosConsumed = [this] { SaveScenarios(); };
}

bool Program::Main() {
    if (!platform_.instance.Acquire()) {
        platform_.dialogs.ShowMessage(kAlreadyRunning, DWL_APP_TITLE, MbOk);
        return false;
    }
    if (IsXPOrDotNet(platform_.osVersion) && InstallManifest()) {
        platform_.dialogs.ShowMessage(
            "Windows XP necessary changes has been installed.\r\nPlease, start Duskwell again.",
            DWL_APP_TITLE, MbOk);
        return false;
    }
    InitProgram();
    timeBox_.InitTimeBox(platform_.clock);
    DisplayQuickbar();
    if (form_.chkTray.Value() != 0) {
        ShowForm();
        ShowSplash();
        // cmdCancel_Click: hide and drop what the loaders marked as changed.
        platform_.optionsWindow.Hide();
    }
    form_.ClearPendingChanges();
    started_ = true;
    return true;
}

void Program::InitProgram() {
    platform_.optionsWindow.Create(*this);
    scheduler_.MarkCurrentMinuteChecked();  // GTimer runs from here on
    LoadAboutInfo();
    FillActionLists(form_.cmdAct, form_.cmdAction, form_.cmdDuration, IsLockSupported(platform_.osVersion));
    currentUserName_ = platform_.user.LogonName();
    LoadOptions(form_);
    LoadQuickbarSettings();
    MyRegistry registry(platform_.registry, platform_.dialogs);
    LoadHotkeySettings(registry, form_, hotkeyValues_);
    UpdateMenuHotkeyCaptions();
    LoadCleanUpOptions(form_);
    form_.cmdApply.SetEnabled(false);

    scenarioFilePath_ = platform_.files.ExeFolder() + "\\" + kScenarioFileName;
    RestoreScenarios();

    RegisterUserHotkeys(platform_.hotkeys, hotkeyValues_);
    platform_.hotkeys.Register(HotkeyShowOptions, kShowOptionsModifiers, kShowOptionsKey);
    platform_.optionsWindow.HookHotkeyProc();
}

void Program::ExitProgram() {
    if (exited_) return;
    SaveScenarios();
    applications_.clear();
    exitWindows_.reset();
    for (int id : {HotkeyShutdown, HotkeyReboot, HotkeyLogOff, HotkeyShowOptions})
        platform_.hotkeys.Unregister(id);
    platform_.optionsWindow.UnhookHotkeyProc();
    countdown_.cmdCancel_Click();
    platform_.countdownWindow.Destroy();
    DestroySplashWindow();
    DestroyQuickbarWindow();
    exited_ = true;
    platform_.optionsWindow.Destroy();
}

void Program::LoadAboutInfo() {
    about_.AppTitle = DWL_APP_TITLE;
    about_.VersionText = "Version " + std::to_string(DWL_VERSION_MAJOR) + "." + std::to_string(DWL_VERSION_MINOR);
    about_.CopyrightText = DWL_COPYRIGHT;
    about_.AboutText = about_.AppTitle + "\r\n" + about_.VersionText + "\r\n" + about_.CopyrightText;
    form_.frmOptions.SetCaption(about_.AppTitle + " 2.5");
    countdown_.frmAction.SetCaption(form_.frmOptions.Caption());
}

void Program::ExitWindows(int aOption) {
    if (!exitWindows_) exitWindows_ = std::make_unique<clsExitWindows>(platform_.power, form_.chkPower, RunCleanUp);
    exitWindows_->ExitWindows(aOption);
}

void Program::RunCloseAction(const std::string& /*strAction*/, bool /*oneTime*/) {
    // Starting and closing applications is not part of this version yet.
}

void Program::RestoreScenarios() {
    const FileContent content = platform_.files.ReadFile(scenarioFilePath_);
    if (content.status == ReadStatus::Missing) return;
    if (content.status == ReadStatus::Ok) {
        if (auto data = ParseScenarioFile(content.bytes)) {
            for (const auto& entry : data->scenarios) {
                form_.cmdScen.AddItem(entry);
                form_.lstScen.AddItem(entry);
            }
            applications_ = std::move(data->applications);
            return;
        }
    }
    // The file is damaged or cannot be read: keep it under another name, so
    // the next save does not destroy what it may still hold.
    for (int n = 1; n <= kMaxSetAsideNames; ++n) {
        const std::string aside = scenarioFilePath_ + ".bad" + (n == 1 ? std::string() : std::to_string(n));
        if (platform_.files.Exists(aside)) continue;
        if (platform_.files.Rename(scenarioFilePath_, aside)) {
            platform_.dialogs.ShowMessage("The scenario file could not be read and has been kept as " + aside + ".",
                                         DWL_APP_TITLE, MbOk | MbIconExclamation);
            return;
        }
        break;
    }
    saveBlocked_ = true;
    platform_.dialogs.ShowMessage("The scenario file " + scenarioFilePath_ +
                                     " could not be read. Scenario changes will not be saved in this session.",
                                 DWL_APP_TITLE, MbOk | MbIconExclamation);
}

void Program::SaveScenarios() {
    if (saveBlocked_ || scenarioFilePath_.empty()) return;
    ScenarioFileData data{form_.lstScen.Items(), applications_};
    platform_.files.WriteFileAtomic(scenarioFilePath_, FormatScenarioFile(data));
}

void Program::ShowForm() { platform_.optionsWindow.ShowCentred(); }

void Program::OnHotkey(uintptr_t wParam, intptr_t lParam) {
    for (HotkeyCommand command : DecodeHotkey(hotkeyValues_, wParam, lParam)) {
        switch (command) {
        case HotkeyCommand::Shutdown: ExitWindows(1); break;
        case HotkeyCommand::Reboot: ExitWindows(2); break;
        case HotkeyCommand::LogOff: ExitWindows(0); break;
        case HotkeyCommand::ShowOptions: ShowForm(); break;
        }
    }
}

void Program::OnSchedulerTick() {
    if (started_ && !exited_) scheduler_.GTimer_Timer();
}

void Program::OnMenuCommand(int command) {
    if (command == MenuExit) ExitProgram();
}

void Program::OnEndSession() {
    if (started_ && !exited_) SaveScenarios();
}

} // namespace dwl
