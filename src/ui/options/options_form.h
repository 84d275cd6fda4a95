#pragma once
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "hotkeys/hotkey_settings.h"
#include "model/controls.h"
#include "settings/settings.h"

namespace dwl {

// The options window's model: every control of its six pages, the buttons,
// the tray menu and the change flags. The Win32 view mirrors it; the
// program's logic works on it alone.
class OptionsForm {
public:
    OptionsForm();
    OptionsForm(const OptionsForm&) = delete;
    OptionsForm& operator=(const OptionsForm&) = delete;

    // The window's own caption.
    Label frmOptions{"frmOptions"};

    // Tab strip: "General", "Scenarios", "Hotkeys", "Clean Up", "Quickbar", "About";
    // its list index is the page shown (0 to 5).
    ListControl tbsOptions{"tbsOptions"};
    static constexpr int kPageGeneral = 0;
    static constexpr int kPageScenarios = 1;
    static constexpr int kPageHotkeys = 2;
    static constexpr int kPageCleanUp = 3;
    static constexpr int kPageQuickbar = 4;
    static constexpr int kPageAbout = 5;
    static constexpr int kPageCount = 6;

    Button cmdOK{"cmdOK", "OK"};
    Button cmdCancel{"cmdCancel", "Cancel"};
    Button cmdApply{"cmdApply", "Apply"};
    Button cmdHelp{"cmdHelp", "Help"};

    // General page
    Label fraUI{"fraUI", "User Interface Options:"};
    CheckBox chkStartup{"chkStartup", "Enable an application on Windows startup"};
    CheckBox chkTray{"chkTray", "Enable system tray icon"};
    Label fraSecurity{"fraSecurity", "Security options:"};
    CheckBox chkPassword{"chkPassword", "Lock configuration with a password"};
    Button cmdPassword{"cmdPassword", "Set pass&word..."};
    Label Frame1{"Frame1", "Immidiately action:"};
    ListControl cmdAct{"cmdAct"};
    Button cmdIA{"cmdIA", "Do it now!"};
    Label Label4{"Label4", "Active scenarios:"};
    ListControl lstScen{"lstScen", "Active scenarios:"};

    // Scenarios page
    ListControl cmdScen{"cmdScen"};
    Button cmdAdd{"cmdAdd", "Add new..."};
    Button cmdDel{"cmdDel", "Delete"};
    Label lblAction{"lblAction", "Action:"};
    ListControl cmdAction{"cmdAction"};
    Button cmdFind{"cmdFind", "Find..."};
    Label lblDuration{"lblDuration", "Duration:"};
    ListControl cmdDuration{"cmdDuration"};
    CheckedList lstDays{"lstDays"};
    Label lblTime{"lblTime", "Time:"};
    TextBox txtTime{"txtTime"};
    Button cmdPlus{"cmdPlus", "+"};
    Button cmdMin{"cmdMin", "-"};
    ListControl lstTime{"lstTime"};
    // In the time box's place for "After exit": the program's file name, and
    // "..." that takes one from the running programs.
    TextBox txtProgram{"txtProgram"};
    Button cmdProgram{"cmdProgram", "..."};
    // In the time box's place for "After idle": the minutes without input.
    TextBox txtIdle{"txtIdle"};
    Label lblIdle{"lblIdle", "min"};
    CheckBox chkPower{"chkPower", "Power Off computer after shutdown"};
    Label lblWarn{"lblWarn", "Warn before a scheduled action:"};
    ListControl cmdWarn{"cmdWarn"};  // "Off", "1 minute", ...: kWarnMinuteChoices in order
    CheckBox chkWake{"chkWake", "Wake the computer to run scenarios"};

    // Hotkeys page
    Label lblHotkeys{"lblHotkeys", "Select hotkey command to get a quick access to the following actions:"};
    Label lblShutdownKey{"lblShutdownKey", "Shutdown Windows:"};
    TextBox txtShutdownKey{"txtShutdownKey"};
    Label lblRebootKey{"lblRebootKey", "Reboot Computer:"};
    TextBox txtRebootKey{"txtRebootKey"};
    Label lblLogOffKey{"lblLogOffKey", "Log Off Current User:"};
    TextBox txtLogOffKey{"txtLogOffKey"};
    Label lblNote1{"lblNote1", "NOTE:   If you disable system tray icon,"};
    Label lblNote2{"lblNote2", "press (Ctrl+Shift+Alt+P) to show Duskwell again."};

    // Clean Up page
    Label Label9{"Label9", "You can use DWL Clean Up to free more disk space when you Shut Down or Restart."};
    CheckBox chkCleanTemp{"chkCleanTemp", "Clean Up the Temporary  files"};
    CheckBox chkCleanNetCashe{"chkCleanNetCashe", "Clean Up the Temporary Internet Files folder"};
    CheckBox chkCleanRecycleBin{"chkCleanRecycleBin", "Clean Up my Recycle Bin"};

    // Quickbar page
    CheckBox chkQBar{"chkQBar", "Show DWL Quickbar"};
    CheckBox chkQBAOT2{"chkQBAOT2", "Set DWL Quickbar always on top"};
    CheckBox chkQBConfirm{"chkQBConfirm", "Confirm Shutdown, Restart and Log Off"};
    Label Frame2{"Frame2", "Size:"};
    OptionButton optQBLarge{"optQBLarge", "Show Large Buttons"};
    OptionButton optQBSmall{"optQBSmall", "Show Small Buttons"};
    Label fraQBPlacement{"fraQBPlacement", "Placement:"};
    OptionButton optQBHorizontal{"optQBHorizontal", "Aligned Horizontally"};
    OptionButton optQBVertical{"optQBVertical", "Aligned Vertically"};
    Label fraQBItems{"fraQBItems", "Buttons:"};
    CheckBox chkQBShutdown{"chkQBShutdown", "Shutdown Windows"};
    CheckBox chkQBRestart{"chkQBRestart", "Restart Computer"};
    CheckBox chkQBLogoff{"chkQBLogoff", "Log Off Current User"};
    CheckBox chkQBSuspend{"chkQBSuspend", "Suspend"};
    CheckBox chkQBHibernate{"chkQBHibernate", "Hibernate"};
    CheckBox chkQBLock{"chkQBLock", "Lock Workstation"};
    CheckBox chkQBConfig{"chkQBConfig", "Show Settings"};
    CheckBox chkQBAOT{"chkQBAOT", "Set Always On Top"};

    // About page
    Label lblTitle{"lblTitle"};
    Label lblDisclaimer{"lblDisclaimer"};
    Button cmdLink{"cmdLink", "www.duskwell.example"};

    // Tray menu mPopupSys
    Button mSettings{"mSettings", "&Settings..."};
    Button mLogOff{"mLogOff", "Log Off Current User"};
    Button mReboot{"mReboot", "Reboot Computer"};
    Button mShutdown{"mShutdown", "Shutdown Windows"};
    Button mHelp{"mHelp", "&Help"};
    Button mAbout{"mAbout", "&About..."};
    Button mExit{"mExit", "&Exit"};

    bool ScenariosChanged = false;
    bool HotkeysChanged = false;
    bool OptionsChanged = false;
    bool QuickbarChanged = false;

    // The boxes that are stored settings, and the hotkey texts, as the
    // settings store reads and writes them. Setting a box runs its change
    // handling as a click would; the caller resets Apply and the flags.
    BoxSettings StoredBoxes() const;
    // The place of `minutes` in cmdWarn (that of "Off" for a value it does not offer).
    static int WarnChoiceIndex(int minutes);
    void LoadStoredBoxes(const BoxSettings& boxes);
    void LoadHotkeyTexts(const HotkeyValues& values);

    // Fills the immediate-action list, the editor's action list and the
    // duration list; "Lock Computer" only where the workstation can be locked.
    void FillActionLists(bool lockSupported);

    // Drops the pending changes: Apply off, change flags clear (the Quickbar's
    // stays). The controls keep their state.
    void ClearPendingChanges();

    // Records the settings the pages' boxes hold as applied (after Apply and
    // at start-up); RestoreApplied puts them back, running their change
    // handling as a user's change would. The scenario editor keeps its own.
    void MarkApplied();
    void RestoreApplied();
    // Records one box's present state as applied (a change that took effect
    // outside Apply).
    void MarkAppliedValue(CheckBox& box);
    void MarkAppliedValue(ListControl& list);

private:
    void MarkOptionsChanged();
    void MarkAppliedStep(const Control& control, std::function<void()> restore);

    std::vector<std::pair<const Control*, std::function<void()>>> restoreApplied_;
};

}  // namespace dwl
