#include "app/program.h"

#include <algorithm>
#include <tuple>
#include <utility>

#include "actions/applications.h"
#include "app/version.h"
#include "app/windows_version.h"
#include "app/xp_manifest.h"
#include "model/scope_guard.h"
#include "model/text.h"
#include "platform/command_channel.h"
#include "platform/dialogs.h"
#include "platform/disk.h"
#include "platform/files.h"
#include "platform/hotkeys.h"
#include "platform/instance.h"
#include "platform/shell.h"
#include "platform/user.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"
#include "settings/quickbar_settings.h"
#include "settings/registry_access.h"
#include "settings/settings.h"

namespace dwl {
namespace {

constexpr const char* kMachineEntryStays =
    "Windows still starts Duskwell for every user of this computer: setup added it for all users.\r\n"
    "To remove that, untick this box in Duskwell started as an administrator, or uninstall Duskwell.";
constexpr const char* kNoProgramPath =
    "Windows cannot be told to start Duskwell: the name of its folder cannot be written in this system's "
    "code page.\r\nMove Duskwell to a folder with another name and tick this box again.";
constexpr const char* kDisclaimer =
    "This program ends sessions and switches the computer off without asking applications for unsaved work.\r\n"
    "It is provided as is, without any warranty; you use it at your own risk.";
constexpr const char* kNoWakeTimer =
    "Windows does not let a timer wake this computer, so scenarios do not run while it sleeps or hibernates.\r\n"
    "To allow it, turn on \"Allow wake timers\" in the power plan's advanced settings, under Sleep "
    "(Control Panel, Power Options, Change plan settings). Duskwell goes on without it.";

// The clean-up options the administrator may force: policy, stored value, box.
constexpr std::tuple<std::optional<int> Policy::*, int BoxSettings::*, CheckBox OptionsForm::*> kForcedBoxes[] = {
    {&Policy::CleanTemp, &BoxSettings::Temp, &OptionsForm::chkCleanTemp},
    {&Policy::CleanCache, &BoxSettings::NetCashe, &OptionsForm::chkCleanNetCashe},
    {&Policy::CleanRecycleBin, &BoxSettings::RecycleBin, &OptionsForm::chkCleanRecycleBin},
};

// Steps that later parts of the program fill in. Each is called at its place
// in the start-up and exit order, so the order itself is complete now.
void DestroySplashWindow() {}

}  // namespace

// A close request that came while the window was open is carried out once
// the outermost one has closed, through the window's queue: the command that
// opened it must finish first.
template <typename Show>
auto Program::RunModalWindow(const Show& show, const std::function<void()>& close) -> decltype(show()) {
    if (!show) return decltype(show())();
    struct Open {
        Program& program;
        std::function<void()> previous;
        Open(Program& p, const std::function<void()>& c)
            : program(p), previous(std::exchange(p.closeModalWindow_, c ? c : std::function<void()>([] {}))) {}
        ~Open() {
            program.closeModalWindow_ = std::move(previous);
            if (!program.endRequested_ || program.closeModalWindow_) return;
            program.endRequested_ = false;
            program.platform_.messageWindow.PostEndRequest();
        }
    } open(*this, close);
    return platform_.dialogs.RunModal(show);
}

// Builds the models over the platform and wires them to each other; what
// each part does lives in that part.
Program::Program(Platform platform)
    : platform_(platform),
      timeBox_(form_.txtTime, form_.cmdPlus, form_.cmdMin, form_.lstTime),
      scenarioEditor_(form_, book_, timeBox_, platform.clock, platform.dialogs),
      options_(form_, platform.optionsWindow, platform.messageWindow, scenarioEditor_),
      lock_(form_, scenarioEditor_),
      countdown_(platform.countdownWindow, CountdownServices()),
      quickbar_(platform.quickbarWindow, QuickbarServices()),
      scheduler_(agenda_, platform.clock, countdown_),
      warnings_(platform.warningWindows,
                Warnings::Services{
                    agenda_,
                    [this](const std::vector<Occurrence>& shown) { return lock_.InForce() || PolicyHolds(shown); },
                    [this] { return timeBox_.Use12Hour; }}),
      triggers_(agenda_, Triggers::Services{platform.processes, platform.activity,
                                            [this] { return scheduler_.CurrentMinute(); },
                                            [this] { return scheduler_.LastCheckedMinute(); },
                                            [this] { return warnings_.Minutes(); },
                                            [this](const Occurrence& due) { scheduler_.RunNow(due); }}),
      wake_(agenda_, platform.clock, platform.wakeTimer),
      picker_(platform.tasksWindow, platform.processes, platform.dialogs,
              [this] {
                  return platform_.dialogs.RunModal(
                      [this] { return platform_.inputDialogs.ShowOpenDialog(DialogOwner::Tasks, AnsiExeFolder()); });
              }),
      commands_(CommandHandler::Services{countdown_, agenda_, platform.clock, [this] { return lock_.InForce(); },
                                         [this] { return policy_.LockSettings; },
                                         [this](const std::vector<Occurrence>& due) { return PolicyHolds(due); },
                                         [this] { return IsLockSupported(platform_.osVersion); },
                                         [this] { return timeBox_.Use12Hour; }}),
      store_(platform.files, platform.dialogs, DWL_APP_TITLE) {
    WireScenarios();
    WireOptions();
    WireLock();
}

Countdown::Services Program::CountdownServices() {
    return {[this] { return lock_.InForce(); }, [this] { return policy_.NoCancel; },
            [this] { return currentUserName_; }, [this](int actionCode) { ExitWindows(actionCode); },
            [this](const std::string& action, bool oneTime, bool byPolicy) {
                RunCloseAction(action, oneTime, byPolicy);
            }};
}

Quickbar::Services Program::QuickbarServices() {
    return {form_,
            platform_.dialogs,
            [this](int actionCode) { ExitWindows(actionCode); },
            [this] { options_.mSettings_Click(); },
            [this] { options_.Show_Form(); },
            [this] { return options_.TrayIconAdded(); },
            [this](const char* value, int state) { SaveQuickbarBox(Registry(), value, state); },
            [this](int left, int top) { SaveQuickbarPosition(Registry(), left, top); }};
}

void Program::WireScenarios() {
    // The file follows the active scenarios from the end of the start-up on.
    // No message box inside the tick or a command: the tick's message loop
    // would deliver the next ticks while it is unfinished, and a command's
    // sender waits. A failure is told after it.
    book_.Observe([this](ScenarioBook::Change change) {
        if (ticking_ && change == ScenarioBook::Change::Active)
            SaveScenarios(scheduler_.Ticking() || inCommand_ ? SaveFailure::AfterTick : SaveFailure::Tell);
    });
    // What is coming is shown as it changes: entries applied, deleted,
    // postponed or skipped, and each minute.
    agenda_.Observe([this] {
        if (ticking_ && !exited_) triggers_.Arm();
        ShowWhatComes();
    });
    scheduler_.onTicked = [this](std::int64_t) { ShowWhatComes(); };
    // An administrator's one-time scenario runs once for the user, whatever
    // restarts and policy refreshes follow.
    book_.policyUsedUp = [this](const std::string& text) {
        if (!MarkPolicyScenarioUsedUp(Registry(), text) && trace)
            trace("dwl: the run of policy scenario \"" + text + "\" could not be remembered");
    };
    platform_.warningWindows.SetAnswered([this](int id, WarningAnswer answer) {
        warnings_.Answer(id, answer, scheduler_.CurrentMinute());
    });

    scenarioEditor_.chooseApplicationToRun = [this] {
        // The entry being edited gives its name up when it is applied.
        std::vector<std::string> others = AllEntries();
        std::erase(others, form_.cmdScen.Text());
        return ChooseApplicationToRun({platform_.inputDialogs, platform_.dialogs, AnsiExeFolder(), DWL_APP_TITLE},
                                      book_.Applications(), others, chosenApplication_,
                                      scenarioEditor_.SelectedApplication);
    };
    scenarioEditor_.onScenarioApplied = [this](const std::string& entry) {
        if (chosenApplication_ && RunsApplication(entry, chosenApplication_->shortName))
            CommitApplication(book_.Applications(), *std::exchange(chosenApplication_, std::nullopt));
    };
    scenarioEditor_.hasApplicationRecord = [this](const std::string& name) {
        return (chosenApplication_ && chosenApplication_->shortName == name) ||
               FindApplication(book_.Applications(), name);
    };
    scenarioEditor_.pickApplicationToClose = [this] {
        scenarioEditor_.SelectedApplication = picker_.ShowApplicationPicker();
    };
    scenarioEditor_.removeApplicationRecords = [this](const std::string& entry) {
        RemoveApplicationRecords(book_.Applications(), entry, AllEntries());
    };
}

void Program::WireOptions() {
    hotkeyCapture_.onChange = [this] {
        form_.HotkeysChanged = true;
        form_.cmdApply.SetEnabled(true);
    };
    options_.applyHotkeys = [this] { ApplyHotkeys(); };
    options_.revertHotkeys = [this] { hotkeyCapture_.Reset(hotkeyValues_); };
    options_.settleHotkeys = [this] { hotkeyCapture_.Settle(); };
    options_.setStartupEntry = [this](bool enable) {
        // The entry is ANSI text: the path as the code page spells it, or its short name.
        switch (SetStartupEntry(Registry(), enable, platform_.files.AnsiPath(platform_.files.ExePath()))) {
        case StartupOutcome::Done: break;
        case StartupOutcome::MachineEntryStays:
            platform_.dialogs.ShowMessage(kMachineEntryStays, DWL_APP_TITLE, MbOk | MbIconInformation);
            break;
        case StartupOutcome::NoProgramPath:
            platform_.dialogs.ShowMessage(kNoProgramPath, DWL_APP_TITLE, MbOk | MbIconExclamation);
            break;
        }
    };
    options_.saveOptions = [this] {
        // What the administrator forces is shown, never stored as the user's own.
        BoxSettings boxes = form_.StoredBoxes();
        if (policy_.WarnMinutes) boxes.WarnMinutes = ownBoxes_.WarnMinutes;
        for (const auto& [forced, own, box] : kForcedBoxes)
            if (policy_.*forced) boxes.*own = ownBoxes_.*own;
        SaveOptions(Registry(), boxes);
        ownBoxes_ = boxes;
        lock_.Apply();
        warnings_.SetMinutes(EffectiveBoxes().WarnMinutes);
        // Turned on, the timer is set anew and a refusal told once.
        const bool wake = boxes.WakeToRun != 0;
        if (wake && !wakeOn_) wake_.Forget();
        tellWakeRefusal_ = wake && (tellWakeRefusal_ || !wakeOn_);
        wakeOn_ = wake;
        ShowWhatComes();
    };
    form_.cmdLink.onClick = [this] { OpenWithUsersRights(platform_.shell, "http://" + form_.cmdLink.Caption(), true); };
    options_.displayQuickbar = [this] {
        quickbar_.DisplayQuickbar();
        SaveQuickbarSettings(Registry(), quickbar_.StoredSettings());
    };
    options_.openDocument = [this](const std::string& command) { OpenWithUsersRights(platform_.shell, command); };
    options_.exitWindows = [this](int code) { ExitWindows(code); };
    options_.exitRefused = [this] { return PolicyHoldsProgram(); };
    // Under the lock a countdown cannot be cancelled, by ending the program
    // neither; and an action being carried out (its clean-up lets messages
    // in) is not torn down. The end waits until the action is done.
    options_.exitProgram = [this] {
        if (inExitWindows_ || (countdown_.TimerRunning() && !countdown_.CancelOffered()))
            endAfterAction_ = true;
        else
            ExitProgram();
    };
}

void Program::WireLock() {
    // The lock decides whether a warning may be answered.
    options_.beforeShow = [this] {
        ShowForcedOptions(policy_);  // a Cancel may have shown the values applied before
        lock_.BeforeShow();
        ShowWhatComes();
    };
    options_.afterHide = [this] {
        lock_.AfterHide();
        ShowWhatComes();
    };
    lock_.tell = [this](const std::string& text) {
        platform_.dialogs.ShowMessage(text, DWL_APP_TITLE, MbOk | MbIconExclamation);
    };
    lock_.askPassword = [this] { return RunModalWindow(askPassword, closePasswordDialog); };
    lock_.askNewPassword = [this] { return RunModalWindow(askNewPassword, closePasswordDialog); };
    lock_.storePassword = [this](const std::string& password, const std::string& previous) {
        return SavePassword(Registry(), password, previous);
    };
    lock_.storeSwitch = [this](bool locked) { SaveLockSwitch(Registry(), locked); };
}

std::string Program::AnsiExeFolder() { return platform_.files.AnsiPath(platform_.files.ExeFolder()); }

MyRegistry& Program::Registry() {
    if (!registry_) registry_ = std::make_unique<MyRegistry>(platform_.registry, platform_.dialogs, DWL_APP_TITLE);
    return *registry_;
}

void Program::StartUp(bool splash) {
    InitProgram();
    timeBox_.InitTimeBox(platform_.clock);
    options_.MarkApplied();
    quickbar_.DisplayQuickbar();
    if (form_.chkTray.Value() != 0) {
        options_.Show_Form();
        if (splash) RunModalWindow(showSplash, closeSplash);
        options_.cmdCancel_Click();
    } else {
        form_.ClearPendingChanges();
    }
    started_ = true;
}

void Program::InitProgram() {
    platform_.messageWindow.Create(*this);
    platform_.optionsWindow.Create(*this);
    scheduler_.MarkCurrentMinuteChecked();  // GTimer runs from here on
    LoadAboutInfo();
    options_.appTitle = about_.AppTitle;
    picker_.appTitle = about_.AppTitle;
    options_.programFolder = AnsiExeFolder();
    quickbar_.appTitle = about_.AppTitle;
    form_.FillActionLists(IsLockSupported(platform_.osVersion));
    currentUserName_ = platform_.user.LogonName();
    BoxSettings boxes;
    LoadOptions(Registry(), boxes, lock_.ConfigPassword);
    QuickbarSettings quickbarSettings;
    LoadQuickbarSettings(Registry(), quickbarSettings);
    quickbar_.LoadSettings(quickbarSettings, IsLockSupported(platform_.osVersion));
    LoadHotkeySettings(Registry(), hotkeyValues_, trace);
    form_.LoadHotkeyTexts(hotkeyValues_);
    hotkeyCapture_.Reset(hotkeyValues_);
    options_.UpdateMenuHotkeyCaptions();
    LoadCleanUpOptions(Registry(), boxes);
    form_.LoadStoredBoxes(boxes);
    ownBoxes_ = boxes;
    warnings_.SetMinutes(boxes.WarnMinutes);
    wakeOn_ = boxes.WakeToRun != 0;
    lock_.MarkApplied();
    lock_.CheckLoaded();
    ApplyPolicy();
    form_.cmdApply.SetEnabled(false);

    // Windows virtualised the 32-bit program's writes to its folder until it had a manifest.
    store_.Restore(LocateScenarioFile(platform_.files, sizeof(void*) == 4), book_);

    RegisterUserHotkeys(platform_.hotkeys, hotkeyValues_);
    platform_.hotkeys.Register(HotkeyShowOptions, kShowOptionsModifiers, kShowOptionsKey);
    platform_.messageWindow.HookHotkeyProc();
    ticking_ = true;
    if (std::exchange(policyChanged_, false)) ApplyPolicy();
    ArmSchedulerTimer();
    triggers_.Arm();
    ShowWhatComes();
}

void Program::ExitProgram() {
    if (exited_) return;
    SaveScenarios();
    triggers_.Stop();
    closer_.Release();
    book_.Applications().clear();
    exitWindows_.reset();
    registry_.reset();
    for (int id : {HotkeyShutdown, HotkeyReboot, HotkeyLogOff, HotkeyShowOptions}) platform_.hotkeys.Unregister(id);
    platform_.messageWindow.UnhookHotkeyProc();
    countdown_.cmdCancel_Click();
    platform_.countdownWindow.Destroy();
    warnings_.SetMinutes(0);
    warnings_.Update(scheduler_.CurrentMinute());
    DestroySplashWindow();
    quickbar_.Destroy();
    exited_ = true;
    platform_.optionsWindow.Destroy();
    platform_.messageWindow.Destroy();  // ends the message loop
}

void Program::LoadAboutInfo() {
    about_.AppTitle = DWL_APP_TITLE;
    about_.VersionText = "Version " + std::to_string(DWL_VERSION_MAJOR) + "." + std::to_string(DWL_VERSION_MINOR);
    about_.CopyrightText = DWL_COPYRIGHT;
    about_.AboutText = about_.AppTitle + "\r\n" + about_.VersionText + "\r\n" + about_.CopyrightText;
    form_.lblDisclaimer.SetCaption(kDisclaimer);
    form_.lblTitle.SetCaption(about_.AboutText);
    form_.frmOptions.SetCaption(about_.AppTitle + " " DWL_VERSION_TEXT);
    countdown_.frmAction.SetCaption(form_.frmOptions.Caption());
}

void Program::ExitWindows(int actionCode) {
    if (!exitWindows_)
        exitWindows_ = std::make_unique<clsExitWindows>(platform_.power, [this] {
            RunCleanUp({form_.chkCleanTemp.Value() != 0, form_.chkCleanNetCashe.Value() != 0,
                        form_.chkCleanRecycleBin.Value() != 0},
                       platform_.disk, Registry(), &platform_.cleanUpProgress);
        });
    // One action at a time: a hotkey, menu item or Quickbar button that the
    // clean-up's messages deliver starts no second one.
    if (inExitWindows_) return;
    // Nor one that would end the session before the administrator's action
    // that may not be cancelled (whose count has stopped when it calls).
    if (countdown_.HeldByPolicy()) {
        platform_.dialogs.ShowMessage(ReplyText(CommandReply::PolicyHolds), DWL_APP_TITLE, MbOk | MbIconExclamation);
        return;
    }
    {
        const FlagScope running(inExitWindows_);
        exitWindows_->ExitWindows(actionCode, form_.chkPower.Value() != 0);
    }
    if (std::exchange(endAfterAction_, false)) platform_.messageWindow.PostEndRequest();
}

// Apply's hotkey step: the boxes' combinations become the registered and
// stored ones; the fixed Ctrl+Shift+Alt+P stays registered throughout.
void Program::ApplyHotkeys() {
    UnregisterUserHotkeys(platform_.hotkeys);
    platform_.messageWindow.UnhookHotkeyProc();
    hotkeyValues_ = hotkeyCapture_.Values();
    RegisterUserHotkeys(platform_.hotkeys, hotkeyValues_);
    platform_.messageWindow.HookHotkeyProc();
    SaveHotkeySettings(Registry(), hotkeyValues_);
}

// Runs inside the scheduler tick, which has already taken a one-time entry
// out of the lists.
void Program::RunCloseAction(const std::string& actionField, bool oneTime, bool byPolicy) {
    // The administrator's scenarios start the administrator's programs, never the user's.
    std::vector<ApplicationRecord> policyRecords = book_.PolicyApplications();
    const ApplicationRun run =
        byPolicy ? RunScenarioApplication(actionField, false, policyRecords, {}, platform_.shell, closer_, {})
                 : RunScenarioApplication(actionField, oneTime, book_.Applications(), AllEntries(), platform_.shell,
                                          closer_, [this] { SaveScenarios(SaveFailure::AfterTick); });
    const std::string name = ApplicationNameIn(actionField, kRunAppText);
    if (run == ApplicationRun::NoRecord && byPolicy) {
        if (trace) trace("dwl: policy scenario run of \"" + name + "\" not carried out: no such line in Applications");
        untoldRuns_.push_back("The administrator's scenario that runs \"" + name +
                              "\" names no program of the policy, so nothing was started.");
    } else if (run == ApplicationRun::NoRecord) {
        if (trace) trace("dwl: scenario run of \"" + name + "\" not carried out: no program is kept for it");
        untoldRuns_.push_back("The scenario that runs \"" + name +
                              "\" has no program to start, so nothing was started.\r\nChoose its program with "
                              "\"Find...\" on the Scenarios page.");
    } else if (run == ApplicationRun::NotStartedElevated) {
        untoldRuns_.push_back(
            "The scenario's program \"" + name +
            "\" was not started: Duskwell runs as administrator, and the Windows desktop could not "
            "start the program with your normal rights. Duskwell does not start it as administrator.");
    }
}

// A box inside the tick would hold the scenarios due after the one told of.
void Program::TellUntoldRuns() {
    for (const std::string& text : std::exchange(untoldRuns_, {}))
        platform_.dialogs.ShowMessage(text, DWL_APP_TITLE, MbOk | MbIconExclamation);
}

std::vector<std::string> Program::AllEntries() const {
    std::vector<std::string> entries = book_.All();
    for (const std::string& active : book_.ActiveTexts()) entries.push_back(active);
    return entries;
}

void Program::SaveScenarios() { SaveScenarios(SaveFailure::Tell); }

void Program::SaveScenarios(SaveFailure report) { store_.Save(book_.ActiveTexts(), book_.Applications(), report); }

void Program::OnHotkey(uintptr_t wParam, intptr_t lParam) {
    // Nothing starts inside another command's message box.
    if (platform_.dialogs.BoxOpen()) return;
    // Pressed again in a hotkey box, a combination is being entered, not used.
    if (wParam != HotkeyShowOptions &&
        hotkeyCapture_.CaptureRegistered(LoWord(lParam), static_cast<uint16_t>(HiWord(lParam))))
        return;
    for (HotkeyCommand command : DecodeHotkey(hotkeyValues_, wParam, lParam)) {
        switch (command) {
        case HotkeyCommand::Shutdown: ExitWindows(Shutdown); break;
        case HotkeyCommand::Reboot: ExitWindows(Reboot); break;
        case HotkeyCommand::LogOff: ExitWindows(LogOff); break;
        case HotkeyCommand::ShowOptions: options_.Show_Form(); break;
        }
    }
}

void Program::OnSchedulerTick() {
    // Minutes that pass while the splash waits for the user are checked too.
    if (!ticking_ || exited_) return;
    triggers_.Update();
    scheduler_.GTimer_Timer();
    ArmSchedulerTimer();
    store_.TellPendingFailure();
    TellUntoldRuns();
}

// Each check at the start of a minute: a scenario's countdown begins within
// moments of its minute, whenever the program started. Still one wake-up a minute.
void Program::ArmSchedulerTimer() {
    platform_.messageWindow.SetSchedulerTimer(Scheduler::DelayToNextMinute(platform_.clock.Now()));
}

void Program::ShowWhatComes() {
    if (!ticking_ || exited_) return;
    const std::int64_t now = scheduler_.CurrentMinute();
    warnings_.Update(now);
    std::string reason;
    // No box inside a tick or a command: a refusal found there is told later.
    if (!wake_.Update(now, wakeOn_, warnings_.Minutes(), reason)) {
        if (trace) trace("dwl: wake timer refused: " + reason);
        if (!scheduler_.Ticking() && !inCommand_ && std::exchange(tellWakeRefusal_, false))
            platform_.dialogs.ShowMessage(kNoWakeTimer, DWL_APP_TITLE, MbOk | MbIconExclamation);
    }
    const auto next = agenda_.Next(now);
    options_.SetTrayTip(next ? form_.frmOptions.Caption() + " - next: " + DescribeOccurrence(*next, now, timeBox_.Use12Hour)
                             : about_.AppTitle);
}

void Program::OnResume() {
    wake_.Resumed();
    OnSchedulerTick();
    ShowWhatComes();
}

void Program::OnTimeChange() {
    wake_.Forget();
    OnSchedulerTick();
    ShowWhatComes();
}

void Program::OnPolicyChange() {
    // One announced while the start-up's boxes are open is read once it is over.
    policyChanged_ = !ticking_;
    if (ticking_ && !exited_) ApplyPolicy();
}

BoxSettings Program::EffectiveBoxes() const {
    BoxSettings boxes = ownBoxes_;
    boxes.WarnMinutes = policy_.WarnMinutes.value_or(boxes.WarnMinutes);
    for (const auto& [forced, own, box] : kForcedBoxes) boxes.*own = (policy_.*forced).value_or(boxes.*own);
    return boxes;
}

void Program::ApplyPolicy() {
    const Policy previous = std::exchange(policy_, ReadPolicy(platform_.registry, trace));
    std::vector<std::string> entries;
    for (const std::string& text : policy_.Scenarios) {
        const auto entry = ParseScenarioEntry(text);
        if (!entry) {
            if (trace) trace("dwl: policy scenario \"" + text + "\" ignored: not a scenario");
            continue;
        }
        if (!entry->UsedUpWhenDue() || !PolicyScenarioUsedUp(Registry(), text)) entries.push_back(text);
    }
    book_.SetPolicy(entries, policy_.Applications);
    ShowForcedOptions(previous);
    warnings_.SetMinutes(EffectiveBoxes().WarnMinutes);
    ShowWhatComes();
}

void Program::ShowForcedOptions(const Policy& previous) {
    const BoxSettings boxes = EffectiveBoxes();
    std::vector<Control*> forced;
    if (policy_.WarnMinutes) forced.push_back(&form_.cmdWarn);
    // Shown as applied: neither a change of the user's to apply nor one Cancel takes back.
    const bool changed = form_.OptionsChanged, applyOffered = form_.cmdApply.Enabled();
    if (policy_.WarnMinutes || previous.WarnMinutes) {
        form_.cmdWarn.SetListIndex(OptionsForm::WarnChoiceIndex(boxes.WarnMinutes));
        form_.MarkAppliedValue(form_.cmdWarn);
    }
    for (const auto& [force, own, box] : kForcedBoxes) {
        if (policy_.*force) forced.push_back(&(form_.*box));
        if (!(policy_.*force) && !(previous.*force)) continue;
        (form_.*box).SetValue(boxes.*own);
        form_.MarkAppliedValue(form_.*box);
    }
    form_.OptionsChanged = changed;
    form_.cmdApply.SetEnabled(applyOffered);
    lock_.SetPolicy(policy_.LockSettings, std::move(forced));
}

bool Program::PolicyHolds(const std::vector<Occurrence>& occurrences) const {
    return policy_.NoCancel && std::any_of(occurrences.begin(), occurrences.end(),
                                           [this](const Occurrence& o) { return book_.IsPolicy(o.text); });
}

bool Program::PolicyHoldsProgram() {
    if (!policy_.NoCancel || book_.PolicyTexts().empty()) return false;
    platform_.dialogs.ShowMessage(
        "Duskwell cannot be closed: the administrator has set scenarios that must run on this computer.",
        DWL_APP_TITLE, MbOk | MbIconExclamation);
    return true;
}

void Program::OnMenuCommand(int command) {
    if (!exited_ && !platform_.dialogs.BoxOpen()) options_.OnMenuCommand(command);
}
void Program::OnCloseRequest() { options_.OnCloseRequest(); }
void Program::OnEndRequest() {
    if (exited_) return;
    // The splash or a password dialog is closed first; the end follows once
    // the command that opened it has finished.
    if (closeModalWindow_) {
        endRequested_ = true;
        closeModalWindow_();
        return;
    }
    // Refused while a message box is up, as a close of a window with an open
    // box is: the command that opened it is still running.
    if (!platform_.dialogs.BoxOpen()) options_.OnEndRequest();
}

void Program::OnMinimized() { options_.OnMinimized(); }
void Program::OnCtrlTab() { options_.OnCtrlTab(); }
void Program::OnTrayNotify(unsigned mouseMessage) {
    if (!platform_.dialogs.BoxOpen()) options_.OnTrayNotify(mouseMessage);
}

void Program::OnEndSession() {
    // No message box while Windows is ending the session.
    if (!started_ || exited_) return;
    SaveScenarios(SaveFailure::Silent);
    quickbar_.SavePosition();
}

}  // namespace dwl
