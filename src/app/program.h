#pragma once
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include <memory>
#include <optional>

#include "actions/applications.h"
#include "actions/disk_cleanup.h"
#include "actions/exit_windows.h"
#include "app/command_handler.h"
#include "app/command_line.h"
#include "hotkeys/hotkey_settings.h"
#include "platform/dialogs.h"
#include "schedule/agenda.h"
#include "schedule/scenario_book.h"
#include "schedule/scenario_file.h"
#include "schedule/scenario_store.h"
#include "schedule/scheduler.h"
#include "schedule/triggers.h"
#include "schedule/wake_schedule.h"
#include "settings/policy.h"
#include "settings/registry_access.h"
#include "settings/settings.h"
#include "ui/countdown/countdown.h"
#include "ui/options/hotkey_capture.h"
#include "ui/options/options_controller.h"
#include "ui/options/options_form.h"
#include "ui/options/options_window.h"
#include "ui/options/password_lock.h"
#include "ui/options/scenario_editor.h"
#include "ui/options/time_box.h"
#include "ui/quickbar/quickbar.h"
#include "ui/tasks/application_picker.h"
#include "ui/warning/warnings.h"

namespace dwl {

class IClock;
class ICommandChannel;
class IDialogs;
class IDiskCleanUp;
class IFileSystem;
class IHotkeys;
class IInputDialogs;
class IInstanceGuard;
class IOsVersionSource;
class IPower;
class IProcesses;
class IRegistry;
class IShell;
class IUserInfo;
class IWakeTimer;

// The operating-system services the program runs on.
struct OsServices {
    IInstanceGuard& instance;
    IDialogs& dialogs;
    IRegistry& registry;
    IFileSystem& files;
    IOsVersionSource& osVersion;
    IHotkeys& hotkeys;
    IClock& clock;
    IPower& power;
    IUserInfo& user;
    IActivity& activity;
    IShell& shell;
    IDiskCleanUp& disk;
    IProcesses& processes;
    IInputDialogs& inputDialogs;
    ICommandChannel& commands;
    IWakeTimer& wakeTimer;
};

// The windows the program's models are shown in.
struct WindowPorts {
    IOptionsWindow& optionsWindow;
    ICountdownWindow& countdownWindow;
    ICleanUpProgress& cleanUpProgress;
    IQuickbarWindow& quickbarWindow;
    ITasksWindow& tasksWindow;
    IMessageWindow& messageWindow;
    IWarningWindows& warningWindows;
};

// Both, as the program holds them: Platform{OsServices{...}, WindowPorts{...}}.
struct Platform : OsServices, WindowPorts {};

// Program-wide texts shown in captions and on the About page.
struct AboutInfo {
    std::string AppTitle;
    std::string VersionText;
    std::string CopyrightText;
    std::string AboutText;
};

// Start-up, the running program's reactions to its windows' messages, and the orderly end.
class Program : public IOptionsEvents, public IProgramEvents {
public:
    explicit Program(Platform platform);

    // Runs the start-up sequence. False when the program must end at once
    // (another instance runs); true when it goes on in its windows' messages.
    bool Main();
    // Start-up with the command line's arguments: nullopt when the program
    // goes on in its windows' messages, else the process's exit code. A
    // command goes to a running copy when there is one; otherwise the program
    // starts without the splash and carries it out.
    std::optional<int> Start(const std::vector<std::string>& args);
    // Carries out a command here, through the same code as the windows.
    CommandReply RunCommand(const Command& command, std::string& answer);
    void InitProgram();
    void ExitProgram();

    // Writes the active scenarios and the application list to the scenario file.
    // Called whenever the active list changes, at exit and when the session ends.
    void SaveScenarios();

    // Loads version 6 of the common controls (with a manifest, the system's
    // visual styles), and shows the splash until the user closes it.
    std::function<void()> initCommonControls;
    std::function<void()> showSplash;
    // The password lock's dialogs: the password to unlock with, a new one
    // twice; nullopt when cancelled.
    std::function<std::optional<std::string>()> askPassword;
    std::function<std::optional<std::pair<std::string, std::string>>()> askNewPassword;
    // Close the splash or the password dialog open, as a close request from
    // another program does before the program ends.
    std::function<void()> closeSplash;
    std::function<void()> closePasswordDialog;
    // One line for the debugger's output: a stored value the program does not use.
    std::function<void(const std::string&)> trace;

    // The one place that carries out a power or session action.
    void ExitWindows(int actionCode);

    // IOptionsEvents and IProgramEvents
    void OnHotkey(uintptr_t wParam, intptr_t lParam) override;
    void OnSchedulerTick() override;
    void OnMenuCommand(int command) override;
    void OnEndSession() override;
    void OnCloseRequest() override;
    void OnEndRequest() override;
    void OnMinimized() override;
    void OnCtrlTab() override;
    void OnTrayNotify(unsigned mouseMessage) override;
    int OnCommand(const std::string& text, std::string& answer) override;
    // The local time may have jumped: the minutes up to now are checked at once.
    // Either also moves the wake timer's due time in UTC: it is set again.
    void OnResume() override;
    void OnTimeChange() override;
    // Policy is read again: the administrator's scenarios, options and lock.
    void OnPolicyChange() override;

    OptionsForm& Form() override { return form_; }
    TimeBox* TimeBoxModel() override { return &timeBox_; }
    HotkeyCapture* HotkeyCaptureModel() override { return &hotkeyCapture_; }
    const AboutInfo& About() const { return about_; }
    const std::string& ScenarioFilePath() const { return store_.Path(); }
    const std::string& CurrentUserName() const { return currentUserName_; }
    Countdown& CountdownWindow() { return countdown_; }
    std::vector<ApplicationRecord>& ApplicationList() { return book_.Applications(); }
    ScenarioBook& Book() { return book_; }
    Agenda& ScenarioAgenda() { return agenda_; }
    bool Exited() const { return exited_; }
    OptionsController& Options() { return options_; }
    ScenarioEditor& Editor() { return scenarioEditor_; }
    Quickbar& QuickbarModel() { return quickbar_; }
    PasswordLock& Lock() { return lock_; }
    ApplicationPicker& Picker() { return picker_; }

private:
    using SaveFailure = ScenarioStore::SaveFailure;
    void SaveScenarios(SaveFailure report);
    Countdown::Services CountdownServices();
    Quickbar::Services QuickbarServices();
    void WireScenarios();
    void WireOptions();
    void WireLock();
    void StartUp(bool splash);
    void ArmSchedulerTimer();
    // The warnings and the tray icon's tooltip at the current minute.
    void ShowWhatComes();
    std::optional<int> HandOver(const std::vector<std::string>& args);
    // A message to whoever started the program: on its console, else in a box.
    void Tell(const std::string& text, unsigned icon = MbIconExclamation);
    void LoadAboutInfo();
    void RunCloseAction(const std::string& actionField, bool oneTime, bool byPolicy);
    // Reads policy and puts it in force: the book's policy entries, the
    // forced options, the lock.
    void ApplyPolicy();
    // The forced options on the form, greyed; those forced no longer get the user's own values.
    void ShowForcedOptions(const Policy& previous);
    // The user's own options with the forced ones in their place.
    BoxSettings EffectiveBoxes() const;
    // Whether the administrator forbids postponing or skipping one of these.
    bool PolicyHolds(const std::vector<Occurrence>& occurrences) const;
    // True, after telling the user, while the administrator's scenarios must run.
    bool PolicyHoldsProgram();
    // Tells each due run that found no program, once the tick is over.
    void TellUntoldRuns();
    // Every entry of the selector and of the active list.
    std::vector<std::string> AllEntries() const;
    MyRegistry& Registry();
    // The program's folder for the dialogs and the help (ANSI); empty when
    // the code page cannot name it.
    std::string AnsiExeFolder();
    void ApplyHotkeys();
    // Runs the splash or a password dialog as a modal window: the tray,
    // hotkeys and the Quickbar wait as they do for a message box, and a close
    // request from outside closes it, then ends the program.
    template <typename Show>
    auto RunModalWindow(const Show& show, const std::function<void()>& close) -> decltype(show());

    Platform platform_;
    OptionsForm form_;
    ScenarioBook book_;
    Agenda agenda_{book_};
    AboutInfo about_;
    HotkeyValues hotkeyValues_;  // as applied: registered and stored
    HotkeyCapture hotkeyCapture_{form_.txtShutdownKey, form_.txtRebootKey, form_.txtLogOffKey};
    std::string currentUserName_;
    TimeBox timeBox_;
    ScenarioEditor scenarioEditor_;
    OptionsController options_;
    PasswordLock lock_;
    Countdown countdown_;
    Quickbar quickbar_;
    Scheduler scheduler_;
    Warnings warnings_;
    Triggers triggers_;
    WakeSchedule wake_;
    Policy policy_;                 // as last read
    BoxSettings ownBoxes_;          // the user's own options, as stored
    bool policyChanged_ = false;    // announced before the start-up was over
    bool wakeOn_ = false;           // "WakeToRun" as applied
    bool tellWakeRefusal_ = false;  // from the Apply that turned it on until a refusal was told
    ApplicationPicker picker_;
    CommandHandler commands_;
    std::unique_ptr<clsExitWindows> exitWindows_;  // created on first use
    std::unique_ptr<MyRegistry> registry_;         // created on first use
    ScenarioStore store_;
    std::optional<ApplicationRecord> chosenApplication_;  // by "Find...", taken when its scenario is applied
    ApplicationCloser closer_{platform_.processes};
    std::vector<std::string> untoldRuns_;  // scenario runs that started nothing, told after the tick
    bool inCommand_ = false;               // a command from a later start runs: no box while it waits
    bool inExitWindows_ = false;
    bool ticking_ = false;  // GTimer's ticks count from the end of InitProgram
    bool started_ = false;
    std::function<void()> closeModalWindow_;  // while the splash or a password dialog is open
    bool endRequested_ = false;               // by another program while one was open
    bool endAfterAction_ = false;             // asked for while a locked countdown or an action ran
    bool exited_ = false;
};

}  // namespace dwl
