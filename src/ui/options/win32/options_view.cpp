#include "ui/options/win32/options_view.h"

#include <commctrl.h>

#include <string>

#include "platform/win32/common_controls.h"
#include "platform/win32/trace.h"
#include "platform/win32/visual_styles.h"

namespace dwl::win32 {
namespace {

HICON LoadProgramIcon(HINSTANCE instance, int width, int height, UINT flags = 0) {
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(1), IMAGE_ICON, width, height, flags));
}

}  // namespace

void OptionsView::Create(IOptionsEvents& events) {
    events_ = &events;
    form_ = &events.Form();
    timeBox_ = events.TimeBoxModel();
    hotkeyCapture_ = events.HotkeyCaptureModel();
    icon_.reset(LoadProgramIcon(instance_, 0, 0, LR_DEFAULTSIZE));
    smallIcon_.reset(LoadProgramIcon(instance_, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
    if (!RegisterWindowClass(instance_, kOptionsPageClass, &PageProc) ||
        !CreateFrame(kOptionsWindowClass, form_->frmOptions.Caption().c_str(),
                     WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT,
                     kOptionsClientWidth, kOptionsClientHeight, icon_.get(), smallIcon_.get()))
        return;
    if (smallIcon_) SendMessageA(window_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon_.get()));

    views_ = std::make_unique<ControlViews>(window_, dpi_);
    form_->frmOptions.onRefresh = [this] { SetWindowTextA(window_, form_->frmOptions.Caption().c_str()); };
    form_->tbsOptions.onRefresh = [this] { SyncPages(); };
}

// Most runs never show the window: its controls are made when it is first
// shown, and each page when it is first turned to. The controls take their
// state from the form as they are made.
void OptionsView::BuildContent() {
    if (built_ || !window_) return;
    built_ = true;
    CreateTabs();
    views_->SetContainer(window_);
    CreateOptionsControls(OptionsForm::kPageCount, *views_, *form_, nullptr);
    // The tab strip goes behind the pages, which are drawn over its body; so
    // it comes last in the tab order too, which cycles: tabs, page, buttons.
    if (tabs_) SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SyncPages();
}

void OptionsView::CreateTabs() {
    EnsureCommonControls(ICC_TAB_CLASSES);
    tabs_ = CreateWindowExA(0, WC_TABCONTROLA, "", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | WS_GROUP,
                            dpi_.X(kTabsRect.left), dpi_.Y(kTabsRect.top), dpi_.X(kTabsRect.width),
                            dpi_.Y(kTabsRect.height), window_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdTabs)),
                            instance_, nullptr);
    // Every page fills the tab strip's body, measured once the tabs are in.
    pageBody_ = RECT{dpi_.X(kTabsRect.left), dpi_.Y(kTabsRect.top), dpi_.X(kTabsRect.left + kTabsRect.width),
                     dpi_.Y(kTabsRect.top + kTabsRect.height)};
    if (Check(tabs_ != nullptr, "CreateWindowExA of the tab strip")) {
        SendMessageA(tabs_, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
        SyncTabs();
        GetClientRect(tabs_, &pageBody_);
        SendMessageA(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&pageBody_));
        MapWindowPoints(tabs_, window_, reinterpret_cast<POINT*>(&pageBody_), 2);
    }
}

HWND OptionsView::BuildPage(size_t page) {
    if (pages_[page]) return pages_[page];
    const RECT& body = pageBody_;
    HWND made = CreateWindowExA(WS_EX_CONTROLPARENT, kOptionsPageClass, "", WS_CHILD | WS_CLIPSIBLINGS, body.left,
                                body.top, body.right - body.left, body.bottom - body.top, window_,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(IdPageFirst + static_cast<int>(page))),
                                instance_, nullptr);
    if (!Check(made != nullptr, "CreateWindowExA of a page")) return nullptr;
    pages_[page] = made;
    // First among the window's children: over the tab strip's body, and
    // before the buttons in the tab order.
    SetWindowPos(made, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EnableTabPageTexture(made);
    if (page == OptionsForm::kPageCount - 1 && !aboutIcon_)
        aboutIcon_.reset(LoadProgramIcon(instance_, dpi_.X(kAboutIconSize), dpi_.Y(kAboutIconSize)));
    views_->SetContainer(made);
    CreateOptionsControls(page, *views_, *form_, aboutIcon_ ? aboutIcon_.get() : icon_.get());
    views_->SetContainer(window_);
    WireBoxes();
    return made;
}

void OptionsView::WireBoxes() {
    Binder* timeBox = views_->BinderOf(&form_->txtTime);
    timeBoxView_.Wire(timeBox_, timeBox ? timeBox->AsTextBox() : nullptr,
                      views_->BinderOf(&form_->lstTime), dpi_, kTimeBoxRect);
    hotkeyBoxes_.Wire(hotkeyCapture_, {views_->BinderOf(&form_->txtShutdownKey), views_->BinderOf(&form_->txtRebootKey),
                                       views_->BinderOf(&form_->txtLogOffKey)});
}

void OptionsView::SyncTabs() {
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
}

void OptionsView::SyncPages() {
    if (!window_ || !built_) return;
    SyncTabs();
    const int shown = form_->tbsOptions.ListIndex();
    // The new page first, so that nothing flashes in between.
    if (shown >= 0 && shown < static_cast<int>(pages_.size()))
        if (HWND page = BuildPage(static_cast<size_t>(shown))) ShowWindow(page, SW_SHOWNA);
    HWND focus = GetFocus();
    for (size_t page = 0; page < pages_.size(); ++page) {
        if (static_cast<int>(page) == shown || !pages_[page]) continue;
        ShowWindow(pages_[page], SW_HIDE);
        // The keyboard must not stay on a control that cannot be seen.
        if (focus && IsChild(pages_[page], focus) && tabs_) SetFocus(tabs_);
    }
}

// ---- IOptionsWindow ----------------------------------------------------

void OptionsView::ShowCentred() {
    if (!window_) return;
    BuildContent();
    if (IsIconic(window_)) ShowWindow(window_, SW_SHOWNORMAL);
    Centre(0);
    ShowNormal();
}

void OptionsView::ShowNormal() {
    if (!window_) return;
    BuildContent();
    ShowWindow(window_, SW_SHOWNORMAL);
    SetForegroundWindow(window_);
}

void OptionsView::Hide() {
    if (window_) ShowWindow(window_, SW_HIDE);
}

void OptionsView::FocusControl(const void* control) {
    if (HWND child = views_ ? views_->WindowOf(control) : nullptr) SetFocus(child);
}

bool OptionsView::PreTranslate(const MSG& message) {
    // Alt with a letter or digit in a hotkey box is a combination being
    // captured, not a label's mnemonic: no character is made of it.
    if (message.message == WM_SYSKEYDOWN && CheckKeyCode(static_cast<int>(message.wParam)) &&
        hotkeyBoxes_.Holds(message.hwnd)) {
        DispatchMessageA(&message);
        return true;
    }
    // Ctrl+Tab alone, anywhere in the window, goes to the next page.
    if (!window_ || message.message != WM_KEYDOWN || message.wParam != VK_TAB) return false;
    if (GetKeyState(VK_CONTROL) >= 0 || GetKeyState(VK_SHIFT) < 0 || GetKeyState(VK_MENU) < 0) return false;
    if (message.hwnd != window_ && !IsChild(window_, message.hwnd)) return false;
    try {
        if (events_) events_->OnCtrlTab();
    } catch (...) {
        TraceException("Ctrl+Tab");  // the message loop must go on
    }
    return true;
}

// ---- window procedures -------------------------------------------------

LRESULT CALLBACK OptionsView::PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    // The controls' notifications are the window's business.
    if (message == WM_COMMAND || message == WM_NOTIFY || message == WM_DRAWITEM)
        if (HWND window = GetParent(page)) return SendMessageA(window, message, wParam, lParam);
    // With visual styles, the tab body's texture behind the page's controls.
    switch (message) {
    case WM_ERASEBKGND:
        if (PaintTabPageBackground(page, reinterpret_cast<HDC>(wParam))) return TRUE;
        break;
    case WM_PRINTCLIENT:
        if (PaintTabPageBackground(page, reinterpret_cast<HDC>(wParam))) return 0;
        break;
    case WM_CTLCOLORSTATIC:
        if (LRESULT brush = TabPageControlColour(reinterpret_cast<HWND>(lParam), reinterpret_cast<HDC>(wParam)))
            return brush;
        break;
    default: break;
    }
    return DefWindowProcA(page, message, wParam, lParam);
}

LRESULT OptionsView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (views_) views_->OnDialogCommand(wParam, lParam);
        return 0;
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
        HWND target =
            LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(window_, GetFocus(), wParam != 0);
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
        // Not the user's: another program (a task manager) asks this one to end,
        // as it may ask the message window.
        if (events_) events_->OnEndRequest();
        return 0;
    case WM_DESTROY:
        timeBoxView_.Reset();
        hotkeyBoxes_.Reset();
        views_.reset();
        form_->frmOptions.onRefresh = nullptr;
        form_->tbsOptions.onRefresh = nullptr;
        tabs_ = nullptr;
        pages_.fill(nullptr);
        built_ = false;
        lastFocus_ = nullptr;
        return 0;
    default: break;
    }
    return DefWindowProcA(window_, message, wParam, lParam);
}

}  // namespace dwl::win32
