#include "ui/kit/win32/control_views.h"

#include <algorithm>
#include <string>

namespace dwl::win32 {
namespace {

// The text of item `index` of a list box or a drop-down list.
std::string ListItemText(HWND window, bool listBox, int index) {
    const WPARAM item = static_cast<WPARAM>(index);
    const LRESULT length = SendMessageA(window, listBox ? LB_GETTEXTLEN : CB_GETLBTEXTLEN, item, 0);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const LRESULT copied =
        SendMessageA(window, listBox ? LB_GETTEXT : CB_GETLBTEXT, item, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

}  // namespace

ListBoxView::ListBoxView(ControlViews& views, ListControl& model, int id, TwipsRect rect)
    : ListBoxView(views, model, id, true) {
    Create("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, rect);
}

DropDownView::DropDownView(ControlViews& views, ListControl& model, int id, TwipsRect rect)
    : ListBoxView(views, model, id, false) {
    // The height of a drop-down list is that of its open list.
    rect.height *= 8;
    Create("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, rect);
}

void ListBoxView::SyncValue() {
    HWND w = window_;
    auto& list = static_cast<ListControl&>(model_);
    bool same = SendMessageA(w, box_ ? LB_GETCOUNT : CB_GETCOUNT, 0, 0) == list.Count();
    for (int i = 0; same && i < list.Count(); ++i) same = ListItemText(w, box_, i) == list.Item(i);
    if (!same) {
        SendMessageA(w, WM_SETREDRAW, FALSE, 0);
        SendMessageA(w, box_ ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
        for (const auto& item : list.Items())
            SendMessageA(w, box_ ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(w, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(w, nullptr, TRUE);
        if (!box_) {
            // The open list is as wide as its longest item.
            int widest = 0;
            if (const WindowDc dc(w); dc) {
                const SelectedObject font(dc.get(), MessageFont());
                for (const auto& item : list.Items()) {
                    SIZE size{};
                    if (GetTextExtentPoint32A(dc.get(), item.c_str(), static_cast<int>(item.size()), &size))
                        widest = std::max(widest, static_cast<int>(size.cx));
                }
            }
            SendMessageA(w, CB_SETDROPPEDWIDTH,
                         static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) + views_.Scale().X(120)), 0);
        }
    }
    if (SendMessageA(w, box_ ? LB_GETCURSEL : CB_GETCURSEL, 0, 0) != list.ListIndex())
        SendMessageA(w, box_ ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
}

void ListBoxView::OnCommand(int code) {
    if (code == (box_ ? LBN_SELCHANGE : CBN_SELCHANGE))
        static_cast<ListControl&>(model_).SetListIndex(
            static_cast<int>(SendMessageA(window_, box_ ? LB_GETCURSEL : CB_GETCURSEL, 0, 0)));
}

CheckedListView::CheckedListView(ControlViews& views, CheckedList& model, int id, TwipsRect rect, int columns)
    : ListBoxView(views, model, id, true) {
    Create("LISTBOX", "",
           WS_TABSTOP | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS |
               (columns > 1 ? LBS_MULTICOLUMN : WS_VSCROLL),
           rect);
    if (!window_) return;
    const Dpi& dpi = views_.Scale();
    int textHeight = dpi.Y(195);
    if (const WindowDc dc(window_); dc) {
        const SelectedObject font(dc.get(), MessageFont());
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(dc.get(), &metrics)) textHeight = metrics.tmHeight;
    }
    const int height = std::max(textHeight + dpi.Y(30), BoxWidth() + dpi.Y(45));
    SendMessageA(window_, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
    if (columns > 1) {
        RECT client{};
        GetClientRect(window_, &client);
        SendMessageA(window_, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(client.right / columns), 0);
    }
    Intercept();
}

int CheckedListView::BoxWidth() const { return views_.Scale().X(195); }

void CheckedListView::SyncValue() {
    ListBoxView::SyncValue();
    InvalidateRect(window_, nullptr, TRUE);  // the check marks
}

void CheckedListView::Toggle(int item) {
    auto& list = static_cast<CheckedList&>(model_);
    if (item >= 0 && item < list.Count()) list.SetChecked(item, !list.Checked(item));
}

bool CheckedListView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK) {
        result = CallOriginal(message, wParam, lParam);
        const LRESULT hit = SendMessageA(window_, LB_ITEMFROMPOINT, 0, lParam);
        if (HIWORD(hit) != 0) return true;
        const int item = LOWORD(hit);
        RECT itemRect{};
        SendMessageA(window_, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&itemRect));
        const int x = static_cast<short>(LOWORD(lParam));
        if (message == WM_LBUTTONDBLCLK || x < itemRect.left + BoxWidth() + views_.Scale().X(60)) Toggle(item);
        return true;
    }
    if (message == WM_CHAR && wParam == VK_SPACE) {
        const LRESULT caret = SendMessageA(window_, LB_GETCARETINDEX, 0, 0);
        if (caret >= 0) Toggle(static_cast<int>(caret));
        result = 0;
        return true;
    }
    return false;
}

bool CheckedListView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto& list = static_cast<const CheckedList&>(model_);
    const int index = static_cast<int>(item.itemID);
    if (item.itemID == static_cast<UINT>(-1) || index >= list.Count()) return true;
    const Dpi& dpi = views_.Scale();
    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const int box = BoxWidth();
    RECT check{row.left + dpi.X(30), row.top + (row.bottom - row.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    DrawFrameControl(dc, &check, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (list.Checked(index) ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0));

    // The text is highlighted when its item is the current one, as in a list.
    const std::string& text = list.Item(index);
    const SelectedObject font(dc, MessageFont());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT label{check.right + dpi.X(15), row.top, 0, row.bottom};
    label.right = std::min(static_cast<int>(row.right), static_cast<int>(label.left + size.cx + dpi.X(30)));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = label;
    textRect.left += dpi.X(15);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &label);
    return true;
}

}  // namespace dwl::win32
