#include "ui/model/win32/control_views.h"

#include <commctrl.h>

#include "platform/win32/common_controls.h"
#include "platform/win32/handles.h"

namespace dwl::win32 {

Dpi::Dpi() {
    HDC screen = GetDC(nullptr);
    if (screen) {
        dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
}

HFONT MessageFont() {
    static UniqueFont font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
        return UniqueFont();
    }();
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

ControlViews::~ControlViews() {
    for (auto& entry : entries_) entry.control->onRefresh = nullptr;
}

HWND ControlViews::Create(const char* className, const char* text, DWORD style, int id, TwipsRect rect) {
    HWND window = CreateWindowExA(0, className, text, WS_CHILD | style, dpi_.X(rect.left), dpi_.Y(rect.top),
                                  dpi_.X(rect.width), dpi_.Y(rect.height), parent_,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                                  nullptr);
    if (window) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return window;
}

void ControlViews::Bind(Control& control, HWND window, int id, Entry::Kind kind) {
    entries_.push_back({&control, window, id, kind});
    const size_t index = entries_.size() - 1;
    control.onRefresh = [this, index] { Sync(entries_[index]); };
    Sync(entries_[index]);
}

HWND ControlViews::AddListBox(ListControl& control, int id, TwipsRect rect) {
    HWND window = Create("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, id,
                         rect);
    Bind(control, window, id, Entry::ListBox);
    return window;
}

HWND ControlViews::AddDropDown(ListControl& control, int id, TwipsRect rect) {
    // The height of a drop-down list is that of its open list.
    rect.height *= 8;
    HWND window = Create("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, rect);
    Bind(control, window, id, Entry::DropDown);
    return window;
}

HWND ControlViews::AddCheckBox(CheckBox& control, int id, TwipsRect rect) {
    HWND window = Create("BUTTON", control.Caption().c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, id, rect);
    Bind(control, window, id, Entry::Check);
    return window;
}

HWND ControlViews::AddButton(Button& control, int id, TwipsRect rect) {
    HWND window = Create("BUTTON", control.Caption().c_str(), WS_TABSTOP | BS_PUSHBUTTON, id, rect);
    Bind(control, window, id, Entry::Push);
    return window;
}

HWND ControlViews::AddLabel(Control& control, int id, TwipsRect rect) {
    HWND window = Create("STATIC", control.Caption().c_str(), SS_LEFT, id, rect);
    Bind(control, window, id, Entry::Text);
    return window;
}

HWND ControlViews::AddProgressBar(ProgressBar& control, int id, TwipsRect rect) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    HWND window = Create(PROGRESS_CLASSA, "", 0, id, rect);
    Bind(control, window, id, Entry::Progress);
    return window;
}

void ControlViews::Sync(const Entry& entry) {
    HWND w = entry.window;
    if (!w) return;
    Control& c = *entry.control;
    switch (entry.kind) {
    case Entry::ListBox:
    case Entry::DropDown: {
        auto& list = static_cast<ListControl&>(c);
        const bool box = entry.kind == Entry::ListBox;
        SendMessageA(w, WM_SETREDRAW, FALSE, 0);
        SendMessageA(w, box ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
        for (const auto& item : list.Items())
            SendMessageA(w, box ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(w, box ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
        SendMessageA(w, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(w, nullptr, TRUE);
        break;
    }
    case Entry::Check:
        SendMessageA(w, BM_SETCHECK, static_cast<CheckBox&>(c).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextA(w, c.Caption().c_str());
        break;
    case Entry::Push:
    case Entry::Text:
        SetWindowTextA(w, c.Caption().c_str());
        break;
    case Entry::Progress: {
        auto& bar = static_cast<ProgressBar&>(c);
        SendMessageA(w, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min()), static_cast<LPARAM>(bar.Max()));
        SendMessageA(w, PBM_SETPOS, static_cast<WPARAM>(bar.Value()), 0);
        break;
    }
    }
    EnableWindow(w, c.Enabled());
    ShowWindow(w, c.Visible() ? SW_SHOWNA : SW_HIDE);
}

bool ControlViews::OnCommand(int id, int code) {
    for (auto& entry : entries_) {
        if (entry.id != id) continue;
        switch (entry.kind) {
        case Entry::ListBox:
            if (code == LBN_SELCHANGE)
                static_cast<ListControl*>(entry.control)
                    ->SetListIndex(static_cast<int>(SendMessageA(entry.window, LB_GETCURSEL, 0, 0)));
            break;
        case Entry::DropDown:
            if (code == CBN_SELCHANGE)
                static_cast<ListControl*>(entry.control)
                    ->SetListIndex(static_cast<int>(SendMessageA(entry.window, CB_GETCURSEL, 0, 0)));
            break;
        case Entry::Check:
            if (code == BN_CLICKED)
                static_cast<CheckBox*>(entry.control)
                    ->SetValue(SendMessageA(entry.window, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0);
            break;
        case Entry::Push:
            if (code == BN_CLICKED) static_cast<Button*>(entry.control)->Click();
            break;
        case Entry::Text:
        case Entry::Progress:
            break;
        }
        return true;
    }
    return false;
}

} // namespace dwl::win32
