#include "ui/kit/win32/control_views.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/win32/common_controls.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

std::string WindowText(HWND window) {
    const int length = GetWindowTextLengthA(window);
    if (length <= 0) return {};
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

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

// Sets or clears a style bit of a window.
void SetStyleBit(HWND window, LONG_PTR bit, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
    if (wanted != style) SetWindowLongPtrA(window, GWL_STYLE, wanted);
}

// Restores the flag however the update ends.
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
};

// The caret and selection of an edit: start and end.
std::pair<int, int> Selection(HWND edit) {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {static_cast<int>(start), static_cast<int>(end)};
}

void SetCheck(HWND window, bool checked) {
    SendMessageA(window, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}
bool Checked(HWND window) { return SendMessageA(window, BM_GETCHECK, 0, 0) == BST_CHECKED; }

}  // namespace

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

std::string WithMnemonic(const std::string& caption, char key) {
    if (key == 0) return caption;
    const auto lower = [](char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); };
    const auto at = std::find_if(caption.begin(), caption.end(), [&](char c) { return lower(c) == lower(key); });
    if (at == caption.end()) return caption;
    std::string text = caption;
    text.insert(static_cast<size_t>(at - caption.begin()), 1, '&');
    return text;
}

// ---- the binders' common part -----------------------------------------------

void Binder::Create(const char* className, const char* text, DWORD style, TwipsRect rect) {
    window_ = views_.CreateChild(className, text, style, id_, rect);
}

void Binder::Sync() {
    if (!window_) return;
    SyncValue();
    EnableWindow(window_, model_.Enabled());
    ShowWindow(window_, model_.Visible() ? SW_SHOWNA : SW_HIDE);
    SyncTooltip();
}

void Binder::Intercept() {
    subclass_.Install(window_, [this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        if (OnMessage(message, wParam, lParam, result)) return true;
        // A copy: the hook may run code that changes the views.
        Subclass::Handler hook = hook_;
        return hook && hook(message, wParam, lParam, result);
    });
}

void Binder::Hook(Subclass::Handler hook) {
    hook_ = std::move(hook);
    Intercept();
}

void Binder::SyncTooltip() {
    const std::string& tip = model_.Tooltip();
    if (tip.empty() && !hasTool_) return;
    HWND tooltips = views_.Tooltips();
    if (!tooltips) return;
    std::string text = tip;
    TOOLINFOA info{};
    // The size older common controls know: the program runs on them too.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(window_);
    info.uId = reinterpret_cast<UINT_PTR>(window_);
    info.lpszText = text.data();
    if (!hasTool_) {
        hasTool_ = Check(SendMessageA(tooltips, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0, "TTM_ADDTOOL");
    } else {
        SendMessageA(tooltips, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        if (tip.empty()) SendMessageA(tooltips, TTM_POP, 0, 0);
    }
}

// ---- lists ------------------------------------------------------------------

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
            if (HDC dc = GetDC(w)) {
                HGDIOBJ old = SelectObject(dc, MessageFont());
                for (const auto& item : list.Items()) {
                    SIZE size{};
                    if (GetTextExtentPoint32A(dc, item.c_str(), static_cast<int>(item.size()), &size))
                        widest = std::max(widest, static_cast<int>(size.cx));
                }
                SelectObject(dc, old);
                ReleaseDC(w, dc);
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
    if (HDC dc = GetDC(window_)) {
        HGDIOBJ old = SelectObject(dc, MessageFont());
        TEXTMETRICA metrics{};
        if (GetTextMetricsA(dc, &metrics)) textHeight = metrics.tmHeight;
        SelectObject(dc, old);
        ReleaseDC(window_, dc);
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
    HGDIOBJ oldFont = SelectObject(dc, MessageFont());
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
    SelectObject(dc, oldFont);
    return true;
}

// ---- buttons and labels -----------------------------------------------------

CheckBoxView::CheckBoxView(ControlViews& views, CheckBox& model, int id, TwipsRect rect) : Binder(views, model, id) {
    Create("BUTTON", model.Caption().c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, rect);
}

void CheckBoxView::SyncValue() {
    SetCheck(window_, static_cast<CheckBox&>(model_).Value() != 0);
    SetWindowTextA(window_, model_.Caption().c_str());
}

void CheckBoxView::OnCommand(int code) {
    if (code == BN_CLICKED) static_cast<CheckBox&>(model_).SetValue(Checked(window_) ? 1 : 0);
}

OptionView::OptionView(ControlViews& views, OptionButton& model, int id, TwipsRect rect, bool firstOfGroup)
    : Binder(views, model, id) {
    // Every control starts a keyboard group, except the later buttons of an option group.
    Create("BUTTON", model.Caption().c_str(), BS_AUTORADIOBUTTON, rect);
    auto* before = dynamic_cast<OptionView*>(views.Last());
    if (!firstOfGroup && before) first_ = before->first_;
    first_->group_.push_back(this);
    if (window_ && !firstOfGroup) SetStyleBit(window_, WS_GROUP, false);
}

void OptionView::SyncValue() {
    SetCheck(window_, static_cast<OptionButton&>(model_).Value());
    SetWindowTextA(window_, model_.Caption().c_str());
    // Tab goes to the chosen button of a group, or to its first when none is chosen.
    const auto chosen = [](const OptionView* view) { return static_cast<const OptionButton&>(view->model_).Value(); };
    const bool anyChosen = std::any_of(first_->group_.begin(), first_->group_.end(), chosen);
    for (OptionView* view : first_->group_)
        if (view->window_) SetStyleBit(view->window_, WS_TABSTOP, chosen(view) || (!anyChosen && view == first_));
}

void OptionView::OnCommand(int code) {
    if (code == BN_CLICKED && Checked(window_)) static_cast<OptionButton&>(model_).SetValue(true);
}

ButtonView::ButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, bool isDefault)
    : Binder(views, model, id) {
    Create("BUTTON", model.Caption().c_str(), WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), rect);
}

void ButtonView::SyncValue() { SetWindowTextA(window_, model_.Caption().c_str()); }

void ButtonView::OnCommand(int code) {
    if (code == BN_CLICKED) static_cast<Button&>(model_).Click();
}

LabelView::LabelView(ControlViews& views, Control& model, int id, TwipsRect rect, char mnemonic)
    : Binder(views, model, id), mnemonic_(mnemonic) {
    // Without a mnemonic an & in the caption is shown as it is.
    Create("STATIC", "", SS_LEFT | (mnemonic ? 0 : SS_NOPREFIX), rect);
}

void LabelView::SyncValue() { SetWindowTextA(window_, WithMnemonic(model_.Caption(), mnemonic_).c_str()); }

GroupBoxView::GroupBoxView(ControlViews& views, Control& model, int id, TwipsRect rect) : LabelView(views, model, id) {
    window_ = views.AddFrame(id, rect);
}

// ---- text and progress ------------------------------------------------------

TextBoxView::TextBoxView(ControlViews& views, TextBox& model, int id, TwipsRect rect, TextInput input)
    : Binder(views, model, id), input_(input) {
    Create("EDIT", model.Text().c_str(),
           WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | (input == TextInput::ReadOnly ? ES_READONLY : 0) |
               (input == TextInput::Hidden ? ES_PASSWORD : 0),
           rect);
    if (input == TextInput::KeysOnly) Intercept();
}

void TextBoxView::SyncValue() {
    if (fromView_) return;  // brought in step when the update is done
    auto& box = static_cast<TextBox&>(model_);
    if (WindowText(window_) != box.Text()) {
        FlagScope updating(fromView_);  // our own EN_CHANGE is no user's change
        SetWindowTextA(window_, box.Text().c_str());
    }
    const auto [start, end] = Selection(window_);
    const int wantEnd = box.SelStart() + box.SelLength();
    if (start != box.SelStart() || end != wantEnd)
        SendMessageA(window_, EM_SETSEL, static_cast<WPARAM>(box.SelStart()), static_cast<LPARAM>(wantEnd));
}

void TextBoxView::ReadSelection() {
    const auto [start, end] = Selection(window_);
    static_cast<TextBox&>(model_).SetSelection(start, end - start);
}

void TextBoxView::OnCommand(int code) {
    if (code != EN_CHANGE || (input_ != TextInput::Typed && input_ != TextInput::Hidden) || fromView_) return;
    {
        FlagScope updating(fromView_);
        static_cast<TextBox&>(model_).SetText(WindowText(window_));
        ReadSelection();
    }
    // The change handling may have changed the text again.
    Sync();
}

bool TextBoxView::OnMessage(UINT message, WPARAM wParam, LPARAM, LRESULT& result) {
    if (input_ != TextInput::KeysOnly) return false;
    switch (message) {
    case WM_KEYDOWN:
        // Delete, Shift+Delete (cut) and Shift+Insert (paste) change the text.
        if (wParam != VK_DELETE && (wParam != VK_INSERT || GetKeyState(VK_SHIFT) >= 0)) return false;
        [[fallthrough]];
    case WM_CHAR:
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
    case WM_CONTEXTMENU:  // its Paste and Delete
        result = 0;
        return true;
    default: return false;
    }
}

ProgressView::ProgressView(ControlViews& views, ProgressBar& model, int id, TwipsRect rect) : Binder(views, model, id) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    Create(PROGRESS_CLASSA, "", 0, rect);
}

void ProgressView::SyncValue() {
    auto& bar = static_cast<ProgressBar&>(model_);
    SendMessageA(window_, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min()), static_cast<LPARAM>(bar.Max()));
    SendMessageA(window_, PBM_SETPOS, static_cast<WPARAM>(bar.Value()), 0);
}

// ---- the views of a window --------------------------------------------------

HWND ControlViews::CreateChild(const char* className, const char* text, DWORD style, int id, TwipsRect rect) {
    // Every control starts a keyboard group (see OptionView). Siblings are
    // clipped, so a list opened over other controls stays on top.
    DWORD exStyle = 0;
    if (style & WS_BORDER) {
        style &= ~static_cast<DWORD>(WS_BORDER);
        exStyle = WS_EX_CLIENTEDGE;
    }
    HWND window =
        CreateWindowExA(exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP | style, dpi_.X(rect.left),
                        dpi_.Y(rect.top), dpi_.X(rect.width), dpi_.Y(rect.height), parent_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
    if (Check(window != nullptr, "CreateWindowExA of a control"))
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return window;
}

HWND ControlViews::Adopt(std::unique_ptr<Binder> binder) {
    Binder& added = *binders_.emplace_back(std::move(binder));
    added.Model().onRefresh = [&added] { added.Sync(); };
    added.Sync();
    return added.Window();
}

HWND ControlViews::AddFrame(int id, TwipsRect rect) {
    HWND window = CreateChild("BUTTON", "", BS_GROUPBOX | WS_VISIBLE, id, rect);
    if (window) frames_.push_back(window);
    return window;
}

HWND ControlViews::AddIcon(HICON icon, int id, TwipsRect rect) {
    HWND window = CreateChild("STATIC", "", SS_ICON | WS_VISIBLE, id, rect);
    if (window && icon) SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return window;
}

HWND ControlViews::AddLine(int id, TwipsRect rect) {
    return CreateChild("STATIC", "", SS_ETCHEDHORZ | WS_VISIBLE, id, rect);
}

void ControlViews::SetContainer(HWND parent) {
    SendFramesBack();
    parent_ = parent;
}

void ControlViews::SendFramesBack() {
    for (HWND frame : frames_) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    frames_.clear();
}

HWND ControlViews::Tooltips() {
    if (tooltip_) return tooltip_.get();
    EnsureCommonControls(ICC_BAR_CLASSES);
    tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                   GetAncestor(parent_, GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr));
    // Long texts wrap instead of running off the screen.
    if (Check(static_cast<bool>(tooltip_), "CreateWindowExA of the tooltips"))
        SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, dpi_.X(9000));
    return tooltip_.get();
}

Binder* ControlViews::Find(HWND window) const {
    for (const auto& binder : binders_)
        if (window && binder->Window() == window) return binder.get();
    return nullptr;
}

Binder* ControlViews::BinderOf(const void* control) const {
    for (const auto& binder : binders_)
        if (&binder->Model() == control) return binder.get();
    return nullptr;
}

HWND ControlViews::WindowOf(const void* control) const {
    Binder* binder = BinderOf(control);
    return binder ? binder->Window() : nullptr;
}

bool ControlViews::OnCommand(int id, int code) {
    for (const auto& binder : binders_) {
        if (binder->Id() != id) continue;
        binder->OnCommand(code);
        return true;
    }
    return false;
}

bool ControlViews::OnDialogCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    if (lParam != 0) return OnCommand(id, HIWORD(wParam));
    if (id != IDOK && id != IDCANCEL) return false;
    OnCommand(id, BN_CLICKED);
    return true;
}

bool ControlViews::OnDrawItem(const DRAWITEMSTRUCT& item) {
    Binder* binder = Find(item.hwndItem);
    return binder && binder->OnDrawItem(item);
}

}  // namespace dwl::win32
