#include "app/program.h"

#include <utility>

#include "actions/applications.h"
#include "app/cls_os.h"
#include "app/make_xp.h"
#include "app/version.h"
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
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "settings/settings.h"

namespace dwl {
namespace {

constexpr const char* kAlreadyRunning = "Duskwell already running.";
constexpr const char* kStartAgain = "Windows XP necessary changes has been installed.\r\nPlease, start Duskwell again.";
constexpr int kMaxSetAsideNames = 10;
constexpr const char* kMachineEntryStays =
    "Windows still starts Duskwell for every user of this computer: setup added it for all users.\r\n"
    "To remove that, untick this box in Duskwell started as an administrator, or uninstall Duskwell.";
constexpr const char* kDisclaimer =
    "This program ends sessions and switches the computer off without asking applications for unsaved work.\r\n"
    "It is provided as is, without any warranty; you use it at your own risk.";

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
            program.platform_.optionsWindow.PostEndRequest();
        }
    } open(*this, close);
    return platform_.dialogs.RunModal(show);
}

Program::Program(Platform platform)
    : platform_(platform),
      timeBox_(form_.txtTime, form_.cmdPlus, form_.cmdMin, form_.lstTime),
      scenarioEditor_(form_, timeBox_, platform.clock, platform.dialogs),
      options_(form_, platform.optionsWindow, scenarioEditor_),
      lock_(form_, scenarioEditor_),
      countdown_(
          platform.countdownWindow,
          Countdown::Services{[this] { return lock_.InForce(); }, [this] { return currentUserName_; },
                              [this](int aOption) { ExitWindows(aOption); },
                              [this](const std::string& action, bool oneTime) { RunCloseAction(action, oneTime); }}),
      quickbar_(platform.quickbarWindow,
                Quickbar::Services{form_, platform.dialogs, [this](int aOption) { ExitWindows(aOption); },
                                   [this] { options_.mSettings_Click(); }, [this] { options_.Show_Form(); },
                                   [this] { return options_.TrayIconAdded(); },
                                   [this](const char* value, int state) { SaveQuickbarBox(Registry(), value, state); },
                                   [this](int left, int top) { SaveQuickbarPosition(Registry(), left, top); }}),
      scheduler_(form_.cmdScen, form_.lstScen, platform.clock, countdown_),
      picker_(platform.tasksWindow, platform.processes, platform.dialogs, [this] {
          return platform_.dialogs.RunModal([this] {
              return platform_.inputDialogs.ShowOpenDialog(DialogOwner::Tasks, platform_.files.ExeFolder());
          });
      }) {
    // No message box inside the tick: its message loop would deliver the next
    // ticks while this one is unfinished. A failure is told after the tick.
    scheduler_.onScenariosConsumed = [this] { SaveScenarios(SaveFailure::AfterTick); };

    scenarioEditor_.chooseApplicationToRun = [this] {
        // The entry being edited gives its name up when it is applied.
        std::vector<std::string> others = AllEntries();
        std::erase(others, form_.cmdScen.Text());
        return ChooseApplicationToRun(
            {platform_.inputDialogs, platform_.dialogs, platform_.files.ExeFolder(), DWL_APP_TITLE}, applications_,
            others, chosenApplication_, scenarioEditor_.SelectedApplication);
    };
    scenarioEditor_.onScenarioApplied = [this](const std::string& entry) {
        if (chosenApplication_ && RunsApplication(entry, chosenApplication_->shortName))
            CommitApplication(applications_, *std::exchange(chosenApplication_, std::nullopt));
    };
    scenarioEditor_.pickApplicationToClose = [this] {
        scenarioEditor_.SelectedApplication = picker_.ShowApplicationPicker();
    };
    // The file is saved after the Delete, with the records as they are then.
    scenarioEditor_.removeApplicationRecords = [this](const std::string& entry) {
        RemoveApplicationRecords(applications_, entry, AllEntries());
    };
    scenarioEditor_.onActiveListChanged = [this] {
        SaveScenarios(inCommand_ ? SaveFailure::AfterTick : SaveFailure::Tell);
    };

    hotkeyCapture_.onChange = [this] {
        form_.HotkeysChanged = true;
        form_.cmdApply.SetEnabled(true);
    };
    options_.applyHotkeys = [this] { ApplyHotkeys(); };
    options_.revertHotkeys = [this] { hotkeyCapture_.Reset(hotkeyValues_); };
    options_.settleHotkeys = [this] { hotkeyCapture_.Settle(); };
    options_.setStartupEntry = [this](bool enable) {
        if (SetStartupEntry(Registry(), enable, platform_.files.ExePath()) == StartupOutcome::MachineEntryStays)
            platform_.dialogs.ShowMessage(kMachineEntryStays, DWL_APP_TITLE, MbOk | MbIconInformation);
    };
    options_.saveOptions = [this] {
        SaveOptions(Registry(), form_.StoredBoxes());
        lock_.Apply();
    };
    options_.beforeShow = [this] { lock_.BeforeShow(); };
    options_.afterHide = [this] { lock_.AfterHide(); };
    lock_.tell = [this](const std::string& text) {
        platform_.dialogs.ShowMessage(text, DWL_APP_TITLE, MbOk | MbIconExclamation);
    };
    lock_.askPassword = [this] { return RunModalWindow(askPassword, closePasswordDialog); };
    lock_.askNewPassword = [this] { return RunModalWindow(askNewPassword, closePasswordDialog); };
    lock_.storePassword = [this](const std::string& password, const std::string& previous) {
        return SavePassword(Registry(), password, previous);
    };
    lock_.storeSwitch = [this](bool locked) { SaveLockSwitch(Registry(), locked); };
    form_.cmdLink.onClick = [this] { platform_.shell.OpenAddress("http://" + form_.cmdLink.Caption()); };
    options_.displayQuickbar = [this] {
        quickbar_.DisplayQuickbar();
        SaveQuickbarSettings(Registry(), quickbar_.StoredSettings());
    };
    options_.openDocument = [this](const std::string& command) { platform_.shell.OpenDocument(command); };
    options_.exitWindows = [this](int code) { ExitWindows(code); };
    options_.exitProgram = [this] { ExitProgram(); };
}

MyRegistry& Program::Registry() {
    if (!registry_) registry_ = std::make_unique<MyRegistry>(platform_.registry, platform_.dialogs, DWL_APP_TITLE);
    return *registry_;
}

bool Program::Main() {
    if (!platform_.instance.Acquire()) {
        // Started by both the machine's and the user's startup entry at
        // logon: the second start ends quietly, and the doubling with it.
        if (RemoveDoubledStartupEntry(Registry())) return false;
        platform_.dialogs.ShowMessage(kAlreadyRunning, DWL_APP_TITLE, MbOk, DialogOwner::None);
        return false;
    }
    if (IsXPOrDotNet(platform_.osVersion) && InstallManifest(platform_.files, initCommonControls)) {
        platform_.dialogs.ShowMessage(kStartAgain, DWL_APP_TITLE, MbOk, DialogOwner::None);
        return false;
    }
    StartUp(true);
    return true;
}

std::optional<int> Program::Start(const std::vector<std::string>& args) {
    const ParsedCommandLine parsed = ParseCommandLine(args);
    const Command& command = parsed.command;
    if (!parsed.error.empty() || command.kind == Command::Kind::Usage) {
        Tell(UsageText(parsed.error), parsed.error.empty() ? MbIconInformation : MbIconExclamation);
        return ExitBadArguments;
    }
    if (command.kind == Command::Kind::None) return Main() ? std::nullopt : std::optional<int>(ExitAccepted);
    if (!platform_.instance.Acquire()) return HandOver(args);
    if (command.kind == Command::Kind::Cancel) {
        // Nothing of this program runs, so nothing counts down: no need to start it.
        Tell(ReplyText(CommandReply::NoCountdown));
        return ExitRefused;
    }
    if (IsXPOrDotNet(platform_.osVersion) && InstallManifest(platform_.files, initCommonControls)) {
        Tell(kStartAgain);
        return ExitRefused;
    }
    StartUp(false);
    const CommandReply reply = RunCommand(command);
    if (reply != CommandReply::Accepted) Tell(ReplyText(reply));
    return std::nullopt;
}

std::optional<int> Program::HandOver(const std::vector<std::string>& args) {
    const std::optional<int> answer = platform_.commands.SendToRunningCopy(JoinArguments(args));
    if (!answer) {
        Tell("Duskwell is running but does not answer.");
        return ExitRefused;
    }
    const auto reply = static_cast<CommandReply>(*answer);
    if (reply == CommandReply::Accepted) return ExitAccepted;
    Tell(ReplyText(reply));
    return ExitRefused;
}

void Program::Tell(const std::string& text, unsigned icon) {
    if (!platform_.commands.WriteToConsole(text))
        platform_.dialogs.ShowMessage(text, DWL_APP_TITLE, MbOk | icon, DialogOwner::None);
}

int Program::OnCommand(const std::string& text) {
    if (!ticking_ || exited_) return static_cast<int>(CommandReply::NotReady);
    // The clean-up before a shutdown lets sent messages in: no second action meanwhile.
    if (inExitWindows_) return static_cast<int>(CommandReply::Busy);
    const ParsedCommandLine parsed = ParseCommandLine(SplitArguments(text));
    if (!parsed.error.empty() || parsed.command.kind == Command::Kind::None ||
        parsed.command.kind == Command::Kind::Usage)
        return static_cast<int>(CommandReply::NotUnderstood);
    const FlagScope inCommand(inCommand_);
    return static_cast<int>(RunCommand(parsed.command));
}

CommandReply Program::RunCommand(const Command& command) {
    if (command.kind == Command::Kind::Cancel) {
        if (!countdown_.TimerRunning()) return CommandReply::NoCountdown;
        if (!countdown_.CancelOffered()) return CommandReply::CancelLocked;
        countdown_.cmdCancel_Click();
        return CommandReply::Accepted;
    }
    const PowerActionInfo* action = FindPowerAction(command.action);
    if (!action) return CommandReply::NotUnderstood;
    if (command.action == PowerAction::Lock && !IsLockSupported(platform_.osVersion))
        return CommandReply::LockUnsupported;
    if (command.when == Command::When::Now) {
        countdown_.ShowAction(command.action);
        return CommandReply::Accepted;
    }
    // Like the editor, which the lock greys.
    if (lock_.InForce()) return CommandReply::ScenariosLocked;
    int minuteOfDay = command.hour * 60 + command.minute;
    if (command.when == Command::When::In) {
        const LocalTime now = platform_.clock.Now();
        minuteOfDay = (now.hour * 60 + now.minute + command.minutes) % (24 * 60);
    }
    ScenarioEntry entry;
    entry.action = action->text;
    entry.recurrence = command.daily ? Recurrence::Daily : Recurrence::Onetime;
    entry.hour = minuteOfDay / 60;
    entry.minute = minuteOfDay % 60;
    scenarioEditor_.AddActiveScenario(FormatScenarioEntry(entry, timeBox_.Use12Hour));
    return CommandReply::Accepted;
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
    platform_.optionsWindow.Create(*this);
    scheduler_.MarkCurrentMinuteChecked();  // GTimer runs from here on
    LoadAboutInfo();
    options_.appTitle = about_.AppTitle;
    picker_.appTitle = about_.AppTitle;
    options_.programFolder = platform_.files.ExeFolder();
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
    lock_.MarkApplied();
    lock_.CheckLoaded();
    form_.cmdApply.SetEnabled(false);

    // Windows virtualised the 32-bit program's writes to its folder until it had a manifest.
    const ScenarioFilePlace place = LocateScenarioFile(platform_.files, sizeof(void*) == 4);
    scenarioFilePath_ = place.path;
    RestoreScenarios(place.earlier);

    RegisterUserHotkeys(platform_.hotkeys, hotkeyValues_);
    platform_.hotkeys.Register(HotkeyShowOptions, kShowOptionsModifiers, kShowOptionsKey);
    platform_.optionsWindow.HookHotkeyProc();
    ticking_ = true;
}

void Program::ExitProgram() {
    if (exited_) return;
    SaveScenarios();
    closer_.Release();
    applications_.clear();
    exitWindows_.reset();
    registry_.reset();
    for (int id : {HotkeyShutdown, HotkeyReboot, HotkeyLogOff, HotkeyShowOptions}) platform_.hotkeys.Unregister(id);
    platform_.optionsWindow.UnhookHotkeyProc();
    countdown_.cmdCancel_Click();
    platform_.countdownWindow.Destroy();
    DestroySplashWindow();
    quickbar_.Destroy();
    exited_ = true;
    platform_.optionsWindow.Destroy();
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

void Program::ExitWindows(int aOption) {
    if (!exitWindows_)
        exitWindows_ = std::make_unique<clsExitWindows>(platform_.power, form_.chkPower, [this] {
            RunCleanUp({form_.chkCleanTemp, form_.chkCleanNetCashe, form_.chkCleanRecycleBin}, platform_.disk,
                       Registry(), &platform_.cleanUpProgress);
        });
    const FlagScope running(inExitWindows_);
    exitWindows_->ExitWindows(aOption);
}

// Apply's hotkey step: the boxes' combinations become the registered and
// stored ones; the fixed Ctrl+Shift+Alt+P stays registered throughout.
void Program::ApplyHotkeys() {
    UnregisterUserHotkeys(platform_.hotkeys);
    platform_.optionsWindow.UnhookHotkeyProc();
    hotkeyValues_ = hotkeyCapture_.Values();
    RegisterUserHotkeys(platform_.hotkeys, hotkeyValues_);
    platform_.optionsWindow.HookHotkeyProc();
    SaveHotkeySettings(Registry(), hotkeyValues_);
}

// Runs inside the scheduler tick, which has already taken a one-time entry
// out of the lists.
void Program::RunCloseAction(const std::string& strAction, bool oneTime) {
    // Read by the entries' own rule: the action at the start decides.
    if (const std::string name = ApplicationNameIn(strAction, kRunAppText); !name.empty()) {
        const ApplicationRecord* record = FindApplication(applications_, name);
        if (!record) return;
        const std::string command = CommandLineOf(*record);
        if (oneTime && RemoveApplicationRecords(applications_, strAction, AllEntries()))
            SaveScenarios(SaveFailure::AfterTick);
        platform_.shell.OpenDocument(command);
    } else if (const std::string closed = ApplicationNameIn(strAction, kCloseAppText); !closed.empty()) {
        closer_.CloseApplicationByName(closed + ".exe");
    }
}

std::vector<std::string> Program::AllEntries() const {
    std::vector<std::string> entries = form_.cmdScen.Items();
    entries.insert(entries.end(), form_.lstScen.Items().begin(), form_.lstScen.Items().end());
    return entries;
}

void Program::RestoreScenarios(const std::vector<std::string>& earlier) {
    // A missing file is carried over from where an older version kept it;
    // that file stays as it is.
    std::string source = scenarioFilePath_;
    FileContent content = platform_.files.ReadFile(source);
    for (size_t i = 0; content.status == ReadStatus::Missing && i < earlier.size(); ++i)
        content = platform_.files.ReadFile(source = earlier[i]);
    if (content.status == ReadStatus::Missing) return;
    if (content.status == ReadStatus::Ok) {
        if (auto data = ParseScenarioFile(content.bytes)) {
            for (const auto& entry : data->scenarios) {
                form_.cmdScen.AddItem(entry);
                form_.lstScen.AddItem(entry);
            }
            applications_ = std::move(data->applications);
            if (source != scenarioFilePath_) WriteScenarioFile(content.bytes);
            return;
        }
        // Damaged: kept under another name beside it, so that no save
        // destroys what it may still hold.
        for (int n = 1; n <= kMaxSetAsideNames; ++n) {
            const std::string aside = source + ".bad" + (n == 1 ? std::string() : std::to_string(n));
            if (platform_.files.Exists(aside)) continue;
            if (platform_.files.Rename(source, aside)) {
                platform_.dialogs.ShowMessage("The scenario file could not be read and has been kept as " + aside +
                                                  ".",
                                              DWL_APP_TITLE, MbOk | MbIconExclamation);
                return;
            }
            break;
        }
        if (source != scenarioFilePath_) {
            // Saves go to another file: this one is never overwritten.
            platform_.dialogs.ShowMessage("The scenario file " + source + " could not be read and has been left there.",
                                          DWL_APP_TITLE, MbOk | MbIconExclamation);
            return;
        }
    }
    // There, but it cannot be read now (another program may hold it), or
    // damaged and it cannot be set aside: it is left as it is and neither
    // overwritten nor replaced during this run.
    saveBlocked_ = true;
    platform_.dialogs.ShowMessage("The scenario file " + source +
                                      " could not be read. Scenario changes will not be saved in this session.",
                                  DWL_APP_TITLE, MbOk | MbIconExclamation);
}

bool Program::WriteScenarioFile(const std::string& bytes) {
    const size_t slash = scenarioFilePath_.find_last_of('\\');
    if (slash != std::string::npos) platform_.files.CreateFolder(scenarioFilePath_.substr(0, slash));
    return platform_.files.WriteFileAtomic(scenarioFilePath_, bytes);
}

void Program::SaveScenarios() { SaveScenarios(SaveFailure::Tell); }

void Program::SaveScenarios(SaveFailure report) {
    if (saveBlocked_ || scenarioFilePath_.empty()) return;
    // A record no scenario names (an abandoned choice, a run scenario deleted) is not kept.
    ScenarioFileData data{form_.lstScen.Items(), NamedRecords(applications_, form_.lstScen.Items())};
    if (WriteScenarioFile(FormatScenarioFile(data))) return;
    // Said once a run: the scenarios then live only until the program ends.
    if (report == SaveFailure::Silent || saveFailureShown_) return;
    saveFailureShown_ = true;
    if (report == SaveFailure::AfterTick)
        saveFailurePending_ = true;
    else
        TellSaveFailure();
}

void Program::TellSaveFailure() {
    saveFailurePending_ = false;
    platform_.dialogs.ShowMessage("The scenarios could not be saved to " + scenarioFilePath_ + ".", DWL_APP_TITLE,
                                  MbOk | MbIconExclamation);
}

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
    scheduler_.GTimer_Timer();
    if (saveFailurePending_) TellSaveFailure();
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
