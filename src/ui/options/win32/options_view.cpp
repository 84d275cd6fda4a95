#include "ui/options/win32/options_view.h"

#include <commctrl.h>

#include <iterator>
#include <span>
#include <string>
#include <type_traits>
#include <vector>

#include "hotkeys/win32/hotkey_wndproc.h"
#include "platform/win32/common_controls.h"

namespace dwl::win32 {
namespace {

constexpr UINT_PTR kSchedulerTimerId = 1;  // GTimer
constexpr UINT kSchedulerInterval = 60000;

// ---- layout, in twips -----------------------------------------------------

// The client area; the tab strip fills it above the row of buttons.
constexpr int kClientWidth = 7920;
constexpr int kClientHeight = 6600;
constexpr int kMargin = 120;
constexpr int kButtonWidth = 1125;
constexpr int kButtonHeight = 345;
constexpr int kButtonGap = 90;
constexpr int kButtonTop = kClientHeight - kMargin - kButtonHeight;
constexpr TwipsRect kTabsRect{kMargin, kMargin, kClientWidth - 2 * kMargin, kButtonTop - 105 - kMargin};
// The size of the program icon on the About page.
constexpr int kAboutIconSize = 480;

// A button of the bottom row, counted from the right.
constexpr TwipsRect BottomButton(int fromRight) {
    return {kClientWidth - kMargin - (fromRight + 1) * kButtonWidth - fromRight * kButtonGap, kButtonTop, kButtonWidth,
            kButtonHeight};
}

// What a placement makes of its model control.
enum class Kind {
    Label, Group, Check, Option, OptionFirst, Push, DropDown, List, CheckedList, Text, TextReadOnly, TextKeys,
    Frame, Icon, Line  // decorations, without a model
};

// One control of a page: rectangle in twips inside its page, and the model
// control it shows. The order of a page's placements is its tab order.
struct Placement {
    Kind kind;
    int id;
    TwipsRect rect;
    char mnemonic;                      // labels: the key that moves to the next control
    Control& (*control)(OptionsForm&);  // nullptr for decorations
};

template <auto M>
Control& Member(OptionsForm& form) {
    return form.*M;
}

template <auto M>
using MemberType = std::remove_cvref_t<decltype(std::declval<OptionsForm&>().*M)>;

template <Kind K, typename T>
constexpr bool Fits() {
    switch (K) {
    case Kind::Label:
    case Kind::Group: return std::is_base_of_v<Control, T>;
    case Kind::Check: return std::is_same_v<T, CheckBox>;
    case Kind::Option:
    case Kind::OptionFirst: return std::is_same_v<T, OptionButton>;
    case Kind::Push: return std::is_same_v<T, Button>;
    case Kind::DropDown:
    case Kind::List: return std::is_base_of_v<ListControl, T>;
    case Kind::CheckedList: return std::is_same_v<T, CheckedList>;
    case Kind::Text:
    case Kind::TextReadOnly:
    case Kind::TextKeys: return std::is_same_v<T, TextBox>;
    default: return false;
    }
}

template <Kind K, auto M>
constexpr Placement Place(int id, TwipsRect rect, char mnemonic = 0) {
    static_assert(Fits<K, MemberType<M>>(), "this kind of view does not fit the model control");
    return {K, id, rect, mnemonic, &Member<M>};
}

constexpr Placement Decoration(Kind kind, int id, TwipsRect rect) { return {kind, id, rect, 0, nullptr}; }

using F = OptionsForm;

constexpr Placement kGeneralPage[] = {
    Place<Kind::Group, &F::fraUI>(IdFraUI, {120, 60, 7320, 930}),
    Place<Kind::Check, &F::chkStartup>(IdChkStartup, {300, 330, 6960, 255}),
    Place<Kind::Check, &F::chkTray>(IdChkTray, {300, 630, 6960, 255}),
    Place<Kind::Group, &F::fraSecurity>(IdFraSecurity, {120, 1080, 7320, 780}),
    Place<Kind::Check, &F::chkPassword>(IdChkPassword, {300, 1395, 5280, 255}),
    Place<Kind::Push, &F::cmdPassword>(IdCmdPassword, {5820, 1350, 1440, 345}),
    Place<Kind::Group, &F::Frame1>(IdFrame1, {120, 1980, 7320, 780}),
    Place<Kind::DropDown, &F::cmdAct>(IdCmdAct, {300, 2295, 5280, 315}),
    Place<Kind::Push, &F::cmdIA>(IdCmdIA, {5820, 2280, 1440, 345}),
    Place<Kind::Label, &F::Label4>(IdLabel4, {120, 2910, 7320, 210}, 'A'),
    Place<Kind::List, &F::lstScen>(IdLstScen, {120, 3150, 7320, 2160}),
};

// The time box's row: the pop-up list opens under the box.
constexpr TwipsRect kTimeBoxRect{1440, 2340, 1200, 315};
// The days of a weekly scenario, side by side.
constexpr int kDayColumns = 7;

constexpr Placement kScenariosPage[] = {
    Place<Kind::DropDown, &F::cmdScen>(IdCmdScen, {120, 135, 4920, 315}),
    Place<Kind::Push, &F::cmdAdd>(IdCmdAdd, {5160, 120, 1080, 345}),
    Place<Kind::Push, &F::cmdDel>(IdCmdDel, {6360, 120, 1080, 345}),
    Decoration(Kind::Frame, IdFraScen, {120, 600, 7320, 2340}),
    Place<Kind::Label, &F::lblAction>(IdLblAction, {300, 960, 1080, 210}, 'A'),
    Place<Kind::DropDown, &F::cmdAction>(IdCmdAction, {1440, 900, 4200, 315}),
    Place<Kind::Push, &F::cmdFind>(IdCmdFind, {5820, 885, 1440, 345}),
    Place<Kind::Label, &F::lblDuration>(IdLblDuration, {300, 1455, 1080, 210}, 'D'),
    Place<Kind::DropDown, &F::cmdDuration>(IdCmdDuration, {1440, 1395, 2400, 315}),
    Place<Kind::CheckedList, &F::lstDays>(IdLstDays, {1440, 1830, 5820, 300}),
    Place<Kind::Label, &F::lblTime>(IdLblTime, {300, kTimeBoxRect.top + 60, 1080, 210}, 'T'),
    Place<Kind::TextKeys, &F::txtTime>(IdTxtTime, kTimeBoxRect),
    Place<Kind::Push, &F::cmdPlus>(IdCmdPlus, {2700, kTimeBoxRect.top - 90, 420, 255}),
    Place<Kind::Push, &F::cmdMin>(IdCmdMin, {2700, kTimeBoxRect.top + 165, 420, 255}),
    Place<Kind::Check, &F::chkPower>(IdChkPower, {120, 3120, 7320, 255}),
    Place<Kind::List, &F::lstTime>(IdLstTime, {kTimeBoxRect.left, kTimeBoxRect.top + kTimeBoxRect.height, 840, 1590}),
};

constexpr Placement kHotkeysPage[] = {
    Place<Kind::Label, &F::lblHotkeys>(IdLblHotkeys, {120, 180, 7320, 420}),
    Place<Kind::Label, &F::lblShutdownKey>(IdLblShutdownKey, {360, 900, 2400, 210}, 'S'),
    Place<Kind::TextReadOnly, &F::txtShutdownKey>(IdTxtShutdownKey, {2880, 840, 3000, 315}),
    Place<Kind::Label, &F::lblRebootKey>(IdLblRebootKey, {360, 1380, 2400, 210}, 'R'),
    Place<Kind::TextReadOnly, &F::txtRebootKey>(IdTxtRebootKey, {2880, 1320, 3000, 315}),
    Place<Kind::Label, &F::lblLogOffKey>(IdLblLogOffKey, {360, 1860, 2400, 210}, 'L'),
    Place<Kind::TextReadOnly, &F::txtLogOffKey>(IdTxtLogOffKey, {2880, 1800, 3000, 315}),
    Place<Kind::Label, &F::lblNote1>(IdLblNote1, {120, 2640, 7320, 210}),
    Place<Kind::Label, &F::lblNote2>(IdLblNote2, {120, 2880, 7320, 210}),
};

constexpr Placement kCleanUpPage[] = {
    Place<Kind::Label, &F::Label9>(IdLabel9, {120, 180, 7320, 420}),
    Decoration(Kind::Frame, IdFraCleanUp, {120, 720, 7320, 1320}),
    Place<Kind::Check, &F::chkCleanTemp>(IdChkCleanTemp, {360, 990, 6840, 255}),
    Place<Kind::Check, &F::chkCleanNetCashe>(IdChkCleanNetCashe, {360, 1320, 6840, 255}),
    Place<Kind::Check, &F::chkCleanRecycleBin>(IdChkCleanRecycleBin, {360, 1650, 6840, 255}),
};

constexpr Placement kQuickbarPage[] = {
    Place<Kind::Check, &F::chkQBar>(IdChkQBar, {120, 120, 7320, 255}),
    Place<Kind::Check, &F::chkQBAOT2>(IdChkQBAOT2, {120, 420, 7320, 255}),
    Place<Kind::Check, &F::chkQBConfirm>(IdChkQBConfirm, {120, 720, 7320, 255}),
    Place<Kind::Group, &F::Frame2>(IdFrame2, {120, 1080, 3570, 930}),
    Place<Kind::OptionFirst, &F::optQBLarge>(IdOptQBLarge, {300, 1380, 3240, 255}),
    Place<Kind::Option, &F::optQBSmall>(IdOptQBSmall, {300, 1680, 3240, 255}),
    Place<Kind::Group, &F::fraQBPlacement>(IdFraQBPlacement, {3870, 1080, 3570, 930}),
    Place<Kind::OptionFirst, &F::optQBHorizontal>(IdOptQBHorizontal, {4050, 1380, 3240, 255}),
    Place<Kind::Option, &F::optQBVertical>(IdOptQBVertical, {4050, 1680, 3240, 255}),
    Place<Kind::Group, &F::fraQBItems>(IdFraQBItems, {120, 2130, 7320, 1560}),
    Place<Kind::Check, &F::chkQBShutdown>(IdChkQBShutdown, {300, 2430, 3240, 255}),
    Place<Kind::Check, &F::chkQBRestart>(IdChkQBRestart, {300, 2730, 3240, 255}),
    Place<Kind::Check, &F::chkQBLogoff>(IdChkQBLogoff, {300, 3030, 3240, 255}),
    Place<Kind::Check, &F::chkQBSuspend>(IdChkQBSuspend, {300, 3330, 3240, 255}),
    Place<Kind::Check, &F::chkQBHibernate>(IdChkQBHibernate, {4050, 2430, 3240, 255}),
    Place<Kind::Check, &F::chkQBLock>(IdChkQBLock, {4050, 2730, 3240, 255}),
    Place<Kind::Check, &F::chkQBConfig>(IdChkQBConfig, {4050, 3030, 3240, 255}),
    Place<Kind::Check, &F::chkQBAOT>(IdChkQBAOT, {4050, 3330, 3240, 255}),
};

constexpr Placement kAboutPage[] = {
    Decoration(Kind::Icon, IdPicIcon, {240, 240, kAboutIconSize, kAboutIconSize}),
    Place<Kind::Label, &F::lblTitle>(IdLblTitle, {960, 240, 6480, 660}),
    Decoration(Kind::Line, IdLine1Top, {120, 1080, 7320, 30}),
    Place<Kind::Label, &F::lblDisclaimer>(IdLblDisclaimer, {120, 1260, 7320, 840}),
    Decoration(Kind::Line, IdLine1Bottom, {120, 2220, 7320, 30}),
    Place<Kind::Push, &F::cmdLink>(IdCmdLink, {120, 2400, 3000, 345}),
};

// In the order of the tabs.
constexpr std::span<const Placement> kPages[OptionsForm::kPageCount] = {
    kGeneralPage, kScenariosPage, kHotkeysPage, kCleanUpPage, kQuickbarPage, kAboutPage,
};

struct BottomRowButton {
    Button OptionsForm::*button;
    int id;
    bool isDefault;
};
constexpr BottomRowButton kBottomRow[] = {
    {&F::cmdOK, IdOK, true},
    {&F::cmdCancel, IdCancel, false},
    {&F::cmdApply, IdApply, false},
    {&F::cmdHelp, IdHelp, false},
};

PopupMenu::Entry MenuItem(Button& item, int command) { return {PopupMenu::Row::Item, &item, command, nullptr}; }
PopupMenu::Entry MenuRow(PopupMenu::Row row, const char* caption = nullptr) { return {row, nullptr, 0, caption}; }

} // namespace

OptionsView::OptionsView(HINSTANCE instance) : instance_(instance) {}

OptionsView::~OptionsView() {
    if (window_) DestroyWindow(window_);
}

bool OptionsView::RegisterClasses() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = &ViewWindowProc<OptionsView>;
    windowClass.hInstance = instance_;
    windowClass.hIcon = icon_.get();
    windowClass.hIconSm = smallIcon_.get();
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kOptionsWindowClass;
    const bool windowRegistered = RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;

    // The pages: containers whose controls the dialog keys reach, and whose
    // notifications go on to the window.
    WNDCLASSEXA pageClass{};
    pageClass.cbSize = sizeof pageClass;
    pageClass.lpfnWndProc = &OptionsView::PageProc;
    pageClass.hInstance = instance_;
    pageClass.hCursor = windowClass.hCursor;
    pageClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    pageClass.lpszClassName = kOptionsPageClass;
    const bool pageRegistered = RegisterClassExA(&pageClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return windowRegistered && pageRegistered;
}

void OptionsView::Create(IOptionsEvents& events) {
    events_ = &events;
    form_ = &events.Form();
    timeBox_ = events.TimeBoxModel();
    icon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE)));
    smallIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), 0)));
    aboutIcon_.reset(static_cast<HICON>(LoadImageA(instance_, MAKEINTRESOURCEA(1), IMAGE_ICON, dpi_.X(kAboutIconSize),
                                                   dpi_.Y(kAboutIconSize), 0)));
    if (!RegisterClasses()) return;

    RECT frame{0, 0, dpi_.X(kClientWidth), dpi_.Y(kClientHeight)};
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
    window_ = CreateWindowExA(WS_EX_CONTROLPARENT, kOptionsWindowClass, form_->frmOptions.Caption().c_str(), style,
                              CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top,
                              nullptr, nullptr, instance_, this);
    if (!window_) return;
    if (smallIcon_) SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    views_ = std::make_unique<ControlViews>(window_, dpi_);
    CreateTabs();
    CreatePages();
    views_->SetContainer(window_);
    for (int i = 0; i < static_cast<int>(std::size(kBottomRow)); ++i) {
        const BottomRowButton& button = kBottomRow[i];
        views_->AddButton(form_->*button.button, button.id,
                          BottomButton(static_cast<int>(std::size(kBottomRow)) - 1 - i), button.isDefault);
    }
    // The tab strip goes behind the pages, which are drawn over its body; so
    // it comes last in the tab order too, which cycles: tabs, page, buttons.
    if (tabs_) SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    form_->frmOptions.onRefresh = [this] { SetWindowTextA(window_, form_->frmOptions.Caption().c_str()); };
    form_->tbsOptions.onRefresh = [this] { SyncPages(); };
    SyncPages();
    WireTimeBox();

    tray_.Attach(window_, smallIcon_ ? smallIcon_.get() : icon_.get());
    using Row = PopupMenu::Row;
    trayMenu_.Build({
        MenuItem(form_->mSettings, MenuSettings),
        MenuRow(Row::Separator),
        MenuRow(Row::SubmenuBegin, "A&ctions"),
        MenuItem(form_->mLogOff, MenuLogOff),
        MenuItem(form_->mReboot, MenuReboot),
        MenuItem(form_->mShutdown, MenuShutdown),
        MenuRow(Row::SubmenuEnd),
        MenuRow(Row::Separator),
        MenuItem(form_->mHelp, MenuHelp),
        MenuItem(form_->mAbout, MenuAbout),
        MenuRow(Row::Separator),
        MenuItem(form_->mExit, MenuExit),
    });

    SetTimer(window_, kSchedulerTimerId, kSchedulerInterval, nullptr);
}

void OptionsView::CreateTabs() {
    EnsureCommonControls(ICC_TAB_CLASSES);
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP,
                            dpi_.X(kTabsRect.left), dpi_.Y(kTabsRect.top), dpi_.X(kTabsRect.width),
                            dpi_.Y(kTabsRect.height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdTabs)),
                            instance_, nullptr);
    if (!tabs_) return;
    SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    for (int i = 0; i < form_->tbsOptions.Count(); ++i) {
        std::string text = form_->tbsOptions.Item(i);
        TCITEMA item{};
        item.mask = TCIF_TEXT;
        item.pszText = text.data();
        SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    }
}

void OptionsView::CreatePages() {
    // Every page fills the tab strip's body.
    RECT body{dpi_.X(kTabsRect.left), dpi_.Y(kTabsRect.top), dpi_.X(kTabsRect.left + kTabsRect.width),
              dpi_.Y(kTabsRect.top + kTabsRect.height)};
    if (tabs_) {
        GetClientRect(tabs_, &body);
        SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&body));
        MapWindowPoints(tabs_, window_, reinterpret_cast<POINT*>(&body), 2);
    }
    OptionsForm& form = *form_;
    for (size_t page = 0; page < pages_.size(); ++page) {
        pages_[page] = CreateWindowExA(WS_EX_CONTROLPARENT, kOptionsPageClass, "", WS_CHILD | WS_CLIPSIBLINGS,
                                       body.left, body.top, body.right - body.left, body.bottom - body.top, window_,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdPageFirst + static_cast<int>(page))),
                                       instance_, nullptr);
        if (!pages_[page]) continue;
        views_->SetContainer(pages_[page]);
        for (const Placement& p : kPages[page]) {
            switch (p.kind) {
            case Kind::Label: views_->AddLabel(p.control(form), p.id, p.rect, p.mnemonic); break;
            case Kind::Group: views_->AddGroupBox(p.control(form), p.id, p.rect); break;
            case Kind::Check: views_->AddCheckBox(static_cast<CheckBox&>(p.control(form)), p.id, p.rect); break;
            case Kind::Option:
            case Kind::OptionFirst:
                views_->AddOptionButton(static_cast<OptionButton&>(p.control(form)), p.id, p.rect,
                                        p.kind == Kind::OptionFirst);
                break;
            case Kind::Push: views_->AddButton(static_cast<Button&>(p.control(form)), p.id, p.rect); break;
            case Kind::DropDown: views_->AddDropDown(static_cast<ListControl&>(p.control(form)), p.id, p.rect); break;
            case Kind::List: views_->AddListBox(static_cast<ListControl&>(p.control(form)), p.id, p.rect); break;
            case Kind::CheckedList:
                views_->AddCheckedList(static_cast<CheckedList&>(p.control(form)), p.id, p.rect, kDayColumns);
                break;
            case Kind::Text:
            case Kind::TextReadOnly:
            case Kind::TextKeys:
                views_->AddTextBox(static_cast<TextBox&>(p.control(form)), p.id, p.rect,
                                   p.kind == Kind::Text           ? TextInput::Typed
                                   : p.kind == Kind::TextReadOnly ? TextInput::ReadOnly
                                                                  : TextInput::KeysOnly);
                break;
            case Kind::Frame: views_->AddFrame(p.id, p.rect); break;
            case Kind::Icon: views_->AddIcon(aboutIcon_ ? aboutIcon_.get() : icon_.get(), p.id, p.rect); break;
            case Kind::Line: views_->AddLine(p.id, p.rect); break;
            }
        }
    }
}

void OptionsView::SyncPages() {
    if (!window_) return;
    const ListControl& tabs = form_->tbsOptions;
    if (tabs_) {
        if (SendMessageA(tabs_, TCM_GETITEMCOUNT, 0, 0) != tabs.Count()) {
            SendMessageA(tabs_, TCM_DELETEALLITEMS, 0, 0);
            for (int i = 0; i < tabs.Count(); ++i) {
                std::string text = tabs.Item(i);
                TCITEMA item{};
                item.mask = TCIF_TEXT;
                item.pszText = text.data();
                SendMessageA(tabs_, TCM_INSERTITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
            }
        }
        if (SendMessageA(tabs_, TCM_GETCURSEL, 0, 0) != tabs.ListIndex())
            SendMessageA(tabs_, TCM_SETCURSEL, static_cast<WPARAM>(tabs.ListIndex()), 0);
    }
    const int shown = tabs.ListIndex();
    // The new page first, so that nothing flashes in between.
    if (shown >= 0 && shown < static_cast<int>(pages_.size()) && pages_[static_cast<size_t>(shown)])
        ShowWindow(pages_[static_cast<size_t>(shown)], SW_SHOWNA);
    HWND focus = GetFocus();
    for (size_t page = 0; page < pages_.size(); ++page) {
        if (static_cast<int>(page) == shown || !pages_[page]) continue;
        ShowWindow(pages_[page], SW_HIDE);
        // The keyboard must not stay on a control that cannot be seen.
        if (focus && IsChild(pages_[page], focus) && tabs_) SetFocus(tabs_);
    }
}

// ---- the time box ------------------------------------------------------

void OptionsView::WireTimeBox() {
    if (!timeBox_ || !views_) return;
    timeBox_->onFocusRequest = [this](TimeBoxFocus target) { FocusTimeBox(target); };
    views_->Hook(views_->WindowOf(&form_->txtTime), [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnTimeBoxMessage(message, wParam, lParam, result);
    });
    views_->Hook(views_->WindowOf(&form_->lstTime), [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnTimeListMessage(message, wParam, lParam, result);
    });
}

bool OptionsView::OnTimeBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND box = views_->WindowOf(&form_->txtTime);
    // The box's own handling first (caret, selection, focus); then the model
    // learns where the caret is and acts on it.
    switch (message) {
    case WM_SETFOCUS:
        result = ControlViews::CallOriginal(box, message, wParam, lParam);
        views_->ReadSelection(form_->txtTime);
        timeBox_->GotFocus();
        return true;
    case WM_KILLFOCUS:
        result = ControlViews::CallOriginal(box, message, wParam, lParam);
        timeBox_->LostFocus();
        return true;
    case WM_LBUTTONUP:
        result = ControlViews::CallOriginal(box, message, wParam, lParam);
        views_->ReadSelection(form_->txtTime);
        timeBox_->SelectPartAtCaret();
        return true;
    case WM_KEYUP:
        result = ControlViews::CallOriginal(box, message, wParam, lParam);
        views_->ReadSelection(form_->txtTime);
        timeBox_->KeyUp(static_cast<int>(wParam));
        return true;
    default:
        return false;
    }
}

bool OptionsView::OnTimeListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND list = views_->WindowOf(&form_->lstTime);
    switch (message) {
    case WM_GETDLGCODE:
        // Enter chooses and Escape goes back to the box, instead of pressing
        // OK or Cancel.
        if (wParam == VK_RETURN || wParam == VK_ESCAPE) {
            result = ControlViews::CallOriginal(list, message, wParam, lParam) | DLGC_WANTALLKEYS;
            return true;
        }
        return false;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            timeBox_->ChooseListItem(static_cast<int>(SendMessageA(list, LB_GETCURSEL, 0, 0)));
            result = 0;
            return true;
        }
        if (wParam == VK_ESCAPE) {
            // Losing the focus closes the list.
            SetFocus(views_->WindowOf(&form_->txtTime));
            result = 0;
            return true;
        }
        return false;
    case WM_LBUTTONUP: {
        result = ControlViews::CallOriginal(list, message, wParam, lParam);
        const LRESULT hit = SendMessageA(list, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) == 0) timeBox_->ChooseListItem(LOWORD(hit));
        return true;
    }
    case WM_KILLFOCUS:
        result = ControlViews::CallOriginal(list, message, wParam, lParam);
        timeBox_->ListLostFocus();
        return true;
    default:
        return false;
    }
}

void OptionsView::FocusTimeBox(TimeBoxFocus target) {
    if (!views_) return;
    if (target == TimeBoxFocus::List) {
        HWND list = views_->WindowOf(&form_->lstTime);
        if (!list) return;
        // Under the box, below the part it was opened for, over the controls
        // further down.
        const int left = kTimeBoxRect.left + timeBox_->lstTimeLeft - TimeBox::kHoursListLeft;
        SetWindowPos(list, HWND_TOP, dpi_.X(left), dpi_.Y(kTimeBoxRect.top + kTimeBoxRect.height), 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE);
        SetFocus(list);
    } else if (HWND box = views_->WindowOf(&form_->txtTime)) {
        SetFocus(box);
    }
}

// ---- IOptionsWindow ----------------------------------------------------

void OptionsView::ShowCentred() {
    if (!window_) return;
    if (IsIconic(window_)) ShowWindow(window_, SW_SHOWNORMAL);
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    RECT frame{};
    GetWindowRect(window_, &frame);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    SetWindowPos(window_, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void OptionsView::ShowNormal() {
    if (!window_) return;
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void OptionsView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void OptionsView::HookHotkeyProc() {
    if (window_ && events_) InstallHotkeyProc(window_, *events_);
}

void OptionsView::UnhookHotkeyProc() {
    if (window_) RemoveHotkeyProc(window_);
}

void OptionsView::Destroy() {
    if (window_) DestroyWindow(window_);
}

void OptionsView::ShowTrayMenu() { trayMenu_.TrackAtCursor(window_); }

void OptionsView::AddTrayIcon(const char* tip) { tray_.Add(tip); }

void OptionsView::RemoveTrayIcon() { tray_.Remove(); }

void OptionsView::FocusControl(const void* control) {
    if (!views_) return;
    if (HWND child = views_->WindowOf(control)) SetFocus(child);
}

bool OptionsView::PreTranslate(const MSG& message) {
    // Ctrl+Tab alone, anywhere in the window, goes to the next page.
    if (!window_ || message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    try {
        if (events_) events_->OnCtrlTab();
    } catch (...) {
        // The message loop must go on.
    }
    return true;
}

// ---- window procedures -------------------------------------------------

LRESULT CALLBACK OptionsView::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_DRAWITEM:
            // The controls' notifications are the window's business.
            if (HWND window = GetParent(page)) return SendMessageA(window, message, wParam, lParam);
            break;
        default:
            break;
        }
    } catch (...) {
        // Nothing may unwind through the system's message dispatch.
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

LRESULT OptionsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (tray_.OnMessage(message)) return 0;  // a new taskbar
    switch (message) {
    case TrayIcon::kCallbackMessage:
        if (events_) events_->OnTrayNotify(LOWORD(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kSchedulerTimerId && events_) events_->OnSchedulerTick();
        return 0;
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (lParam != 0 || id == IdOK || id == IdCancel) {
            // A control, or Enter and Escape as the dialog keys report them.
            if (views_) views_->OnCommand(id, lParam != 0 ? HIWORD(wParam) : BN_CLICKED);
        } else if (events_) {
            events_->OnMenuCommand(id);
        }
        return 0;
    }
    case WM_NOTIFY: {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        if (header && header->hwndFrom == tabs_ && header->code == static_cast<UINT>(TCN_SELCHANGE)) {
            form_->tbsOptions.SetListIndex(static_cast<int>(SendMessageA(tabs_, TCM_GETCURSEL, 0, 0)));
            // The model may have chosen otherwise.
            SyncPages();
        }
        return 0;
    }
    case WM_DRAWITEM:
        if (views_ && lParam && views_->OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam))) return TRUE;
        break;
    case DM_GETDEFID:
        // Enter presses OK unless the focus is on another push button.
        return MAKELRESULT(IdOK, DC_HASDEFID);
    case WM_NEXTDLGCTL: {
        // Sent by the dialog keys for a label's mnemonic: to the label, then on.
        HWND target = LOWORD(lParam) ? reinterpret_cast<HWND>(wParam)
                                     : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
        if (target) SetFocus(target);
        return 0;
    }
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(window_, focus)) lastFocus_ = focus;
        } else if (!HIWORD(wParam)) {
            // Back to where the keyboard was, or to the tab strip.
            HWND target = lastFocus_;
            if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target)) target = tabs_;
            if (target) SetFocus(target);
        }
        return 0;
    case WM_SIZE:
        if (wParam == SIZE_MINIMIZED && events_) events_->OnMinimized();
        return 0;
    case WM_SYSCOMMAND:
        // The user's close box, system menu or Alt+F4 only hide the window.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            if (events_) events_->OnCloseRequest();
            return 0;
        }
        break;
    case WM_CLOSE:
        // Not the user's: another program asks this one to end.
        if (events_) events_->OnEndRequest();
        return 0;
    case WM_QUERYENDSESSION:
        return TRUE;
    case WM_ENDSESSION:
        if (wParam && events_) events_->OnEndSession();
        return 0;
    case WM_DESTROY:
        KillTimer(window_, kSchedulerTimerId);
        tray_.Remove();
        trayMenu_.Clear();
        if (timeBox_) timeBox_->onFocusRequest = nullptr;
        views_.reset();
        form_->frmOptions.onRefresh = nullptr;
        form_->tbsOptions.onRefresh = nullptr;
        SetWindowLongPtrA(window_, GWLP_USERDATA, 0);
        window_ = nullptr;
        tabs_ = nullptr;
        pages_.fill(nullptr);
        lastFocus_ = nullptr;
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

} // namespace dwl::win32
