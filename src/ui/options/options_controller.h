#pragma once
// The options window's frame: page switching, the change flags with the
// OK / Apply / Cancel semantics, showing and hiding, help, Ctrl+Tab, the tray
// icon's notifications and the tray menu. Works on the window's model and
// drives the view through IOptionsWindow and the tray icon and its menu
// through the program's IMessageWindow; the steps that belong to other
// parts of the program come in as callbacks.
#include <functional>
#include <string>

#include "ui/options/options_form.h"
#include "ui/options/options_window.h"

namespace dwl {

class ScenarioEditor;

class OptionsController {
public:
    // Tray notifications the icon sends.
    static constexpr unsigned kLeftButtonUp = 514;
    static constexpr unsigned kLeftButtonDoubleClick = 515;
    static constexpr unsigned kRightButtonUp = 517;

    // Wires tbsOptions, cmdOK, cmdCancel, cmdApply, cmdHelp and the menu items.
    OptionsController(OptionsForm& form, IOptionsWindow& window, IMessageWindow& tray, ScenarioEditor& editor);
    OptionsController(const OptionsController&) = delete;
    OptionsController& operator=(const OptionsController&) = delete;

    // The tray icon's tip.
    std::string appTitle;
    // The program's own folder, where the help file lies.
    std::string programFolder;

    // Apply's hotkey step: withdraw, register again and store the hotkeys.
    std::function<void()> applyHotkeys;
    // Before OK and Apply: a hotkey box holding a capture is settled first.
    std::function<void()> settleHotkeys;
    // Cancel's hotkey step: the captured values go back to the applied ones.
    std::function<void()> revertHotkeys;
    // Apply's options step, after the menu captions: the startup entry
    // (true when chkStartup is checked), then the settings writer.
    std::function<void(bool enabled)> setStartupEntry;
    std::function<void()> saveOptions;
    // Apply's Quickbar step: lays the Quickbar out anew.
    std::function<void()> displayQuickbar;
    // Opens a document with the shell (the help file).
    std::function<void(const std::string& path)> openDocument;
    // The menu's session actions: log off, shut down, reboot.
    std::function<void(int code)> exitWindows;
    // Ends the program; the tray icon is already gone.
    std::function<void()> exitProgram;
    // True when the program may not end now (it has told the user why).
    std::function<bool()> exitRefused;
    // Before every showing of the window, and after it is hidden.
    std::function<void()> beforeShow;
    std::function<void()> afterHide;

    // The page shown: the one of the selected tab.
    void ShowPage();
    int ShownPage() const { return shownPage_; }

    // Applies every group of changes whose flag is set, then disables Apply.
    void ApplyReason();
    void cmdApply_Click();
    // Applies what is pending, then hides the window; what could not be
    // applied (an application scenario whose choice was cancelled, a default
    // of "Add new..." never edited) is dropped.
    void cmdOK_Click();
    // Hides the window and puts every page back to its state at the last
    // Apply or load.
    void cmdCancel_Click();
    // Records the pages' state as applied; the program calls it once the
    // settings are loaded.
    void MarkApplied();

    // Centres and shows the window, then adds the tray icon.
    void Show_Form();
    // True once Show_Form has added the tray icon.
    bool TrayIconAdded() const { return trayIconAdded_; }
    // The tray icon's tooltip from now on (appTitle until set).
    void SetTrayTip(const std::string& tip);
    void mSettings_Click();
    void mAbout_Click();
    void OpenHelp();
    void mExit_Click();
    // "Do it now!": the action chosen in cmdAct, at once.
    void cmdIA_Click();

    // The menu captions of the three session actions with their hotkeys.
    void UpdateMenuHotkeyCaptions();

    // What the windows report (forwarded from IOptionsEvents and IProgramEvents).
    void OnCloseRequest();
    // Ends the program as "&Exit" does.
    void OnEndRequest();
    void OnMinimized();
    void OnCtrlTab();
    void OnTrayNotify(unsigned mouseMessage);
    void OnMenuCommand(int command);

private:
    void ShowOnPage(int page);
    void RevertToApplied();
    void ShowWindow(bool centred);
    void HideWindow();

    OptionsForm& form_;
    IOptionsWindow& window_;
    IMessageWindow& tray_;
    ScenarioEditor& editor_;
    int shownPage_ = OptionsForm::kPageGeneral;
    bool trayIconAdded_ = false;
    std::string trayTip_;
};

}  // namespace dwl
