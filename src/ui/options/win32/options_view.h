#pragma once
#include <windows.h>

#include <array>
#include <memory>

#include "platform/win32/handles.h"
#include "ui/kit/win32/view_window.h"
#include "ui/options/hotkey_capture.h"
#include "ui/options/options_form.h"
#include "ui/options/options_window.h"
#include "ui/options/time_box.h"
#include "ui/options/win32/hotkey_box_view.h"
#include "ui/options/win32/time_box_view.h"

namespace dwl::win32 {

inline constexpr const char* kOptionsWindowClass = "DuskwellOptions";
inline constexpr const char* kOptionsPageClass = "DuskwellOptionsPage";

// Child control ids of the options window. They are stable: the end-to-end
// tests find the controls by them. The menu items use the MenuCommand ids.
// clang-format off
enum OptionsControlId : int {
    // Window level
    IdOK = IDOK,          // 1, cmdOK: Enter presses it
    IdCancel = IDCANCEL,  // 2, cmdCancel: Escape presses it
    IdTabs = 1010,        // tbsOptions
    IdApply = 1011,       // cmdApply
    IdHelp = 1012,        // cmdHelp
    IdPageFirst = 1020,   // the page containers, 1020 (General) to 1025 (About)

    // General
    IdLstScen = 1001, IdCmdAct = 1002, IdLabel4 = 1006, IdFraUI = 1101, IdChkStartup = 1102, IdChkTray = 1103,
    IdFraSecurity = 1104, IdChkPassword = 1105, IdCmdPassword = 1106, IdFrame1 = 1107, IdCmdIA = 1108,
    // Scenarios
    IdCmdAction = 1003, IdCmdScen = 1004, IdCmdDuration = 1005, IdCmdAdd = 1201, IdCmdDel = 1202, IdFraScen = 1203,
    IdLblAction = 1204, IdCmdFind = 1205, IdLblDuration = 1206, IdLstDays = 1207, IdLblTime = 1208, IdTxtTime = 1209,
    IdCmdPlus = 1210, IdCmdMin = 1211, IdLstTime = 1212, IdChkPower = 1213, IdLblWarn = 1214, IdCmdWarn = 1215,
    IdTxtProgram = 1216, IdCmdProgram = 1217, IdTxtIdle = 1218, IdLblIdle = 1219, IdChkWake = 1220,
    // Hotkeys
    IdLblHotkeys = 1301, IdLblShutdownKey = 1302, IdTxtShutdownKey = 1303, IdLblRebootKey = 1304,
    IdTxtRebootKey = 1305, IdLblLogOffKey = 1306, IdTxtLogOffKey = 1307, IdLblNote1 = 1308, IdLblNote2 = 1309,
    // Clean Up
    IdLabel9 = 1401, IdFraCleanUp = 1402, IdChkCleanTemp = 1403, IdChkCleanNetCashe = 1404,
    IdChkCleanRecycleBin = 1405,
    // Quickbar
    IdChkQBar = 1501, IdChkQBAOT2 = 1502, IdChkQBConfirm = 1503, IdFrame2 = 1504, IdOptQBLarge = 1505,
    IdOptQBSmall = 1506, IdFraQBPlacement = 1507, IdOptQBHorizontal = 1508, IdOptQBVertical = 1509,
    IdFraQBItems = 1510, IdChkQBShutdown = 1511, IdChkQBRestart = 1512, IdChkQBLogoff = 1513, IdChkQBSuspend = 1514,
    IdChkQBHibernate = 1515, IdChkQBLock = 1516, IdChkQBConfig = 1517, IdChkQBAOT = 1518,
    // About
    IdPicIcon = 1601, IdLblTitle = 1602, IdLblDisclaimer = 1603, IdCmdLink = 1604, IdLine1Top = 1605,
    IdLine1Bottom = 1606,
};
// clang-format on

// The layout of the options window, in twips (options_layout.cpp): the client
// area, the tab strip above the row of buttons, the time box's row (its list
// opens under the box) and the program icon on the About page.
inline constexpr int kOptionsClientWidth = 7920;
inline constexpr int kOptionsClientHeight = 6600;
inline constexpr int kOptionsButtonTop = kOptionsClientHeight - 120 - 345;
inline constexpr TwipsRect kTabsRect{120, 120, kOptionsClientWidth - 240, kOptionsButtonTop - 105 - 120};
inline constexpr TwipsRect kTimeBoxRect{1440, 2340, 1200, 315};
inline constexpr int kAboutIconSize = 480;
// Creates the controls of a page (0 to kPageCount - 1) in the views' current
// container; the page count itself stands for the row of buttons under the pages.
void CreateOptionsControls(size_t page, ControlViews& views, OptionsForm& form, HICON aboutIcon);

// The Win32 view of the options window frmOptions: a tab strip over six
// pages and the OK / Cancel / Apply / Help buttons. The window is made hidden
// at start; its controls when it is first shown, a page when it is first
// turned to. Everything it shows comes from the model;
// everything the user does goes to the model or to the events.
class OptionsView : public IOptionsWindow, public ViewWindow {
public:
    explicit OptionsView(HINSTANCE instance) : ViewWindow(instance) {}
    ~OptionsView() override { DestroyFrame(); }

    void Create(IOptionsEvents& events) override;
    void ShowCentred() override;
    void Hide() override;
    void Destroy() override { DestroyFrame(); }
    void ShowNormal() override;
    void FocusControl(const void* control) override;

    // The message loop offers every message here before the dialog keys get
    // it: true when the window took it (Ctrl+Tab).
    bool PreTranslate(const MSG& message);

private:
    static LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void BuildContent();
    void CreateTabs();
    HWND BuildPage(size_t page);
    void SyncTabs();
    void SyncPages();
    void WireBoxes();

    OptionsForm* form_ = nullptr;
    TimeBox* timeBox_ = nullptr;
    HotkeyCapture* hotkeyCapture_ = nullptr;
    TimeBoxView timeBoxView_;
    HotkeyBoxesView hotkeyBoxes_;
    IOptionsEvents* events_ = nullptr;
    bool built_ = false;
    HWND tabs_ = nullptr;
    RECT pageBody_{};
    std::array<HWND, OptionsForm::kPageCount> pages_{};
    HWND lastFocus_ = nullptr;
    std::unique_ptr<ControlViews> views_;
    UniqueIcon icon_;
    UniqueIcon smallIcon_;
    UniqueIcon aboutIcon_;
};

}  // namespace dwl::win32
