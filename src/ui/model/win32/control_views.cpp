#include "ui/model/win32/control_views.h"

#include <commctrl.h>

#include <algorithm>
#include <cctype>

#include "platform/win32/common_controls.h"

namespace dwl::win32 {
namespace {

// Window properties of a subclassed child: its own procedure and its views.
constexpr const char* kOriginalProcProp = "DwlOriginalProc";
constexpr const char* kViewsProp = "DwlControlViews";

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

// Restores the model flag however the update ends.
struct FlagScope {
    bool& flag;
    explicit FlagScope(bool& f) : flag(f) { flag = true; }
    ~FlagScope() { flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;
};

} // namespace

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

ControlViews::~ControlViews() {
    for (auto& entry : entries_) entry.control->onRefresh = nullptr;
    for (HWND window : subclassed_) {
        if (!IsWindow(window)) continue;
        if (GetWindowLongPtrA(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&SubclassProc)) {
            SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropA(window, kOriginalProcProp)));
            RemovePropA(window, kOriginalProcProp);
        }
        // Someone else went in front of us: our procedure stays in the chain
        // and passes everything on until the window goes.
        RemovePropA(window, kViewsProp);
    }
}

HWND ControlViews::Create(const char* className, const char* text, DWORD style, int id, TwipsRect rect) {
    // Every control starts a keyboard group, except the second and later
    // buttons of an option group (see AddOptionButton). Siblings are clipped,
    // so a list opened over other controls stays on top.
    DWORD exStyle = 0;
    if (style & WS_BORDER) {
        style &= ~static_cast<DWORD>(WS_BORDER);
        exStyle = WS_EX_CLIENTEDGE;
    }
    HWND window = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_CLIPSIBLINGS | WS_GROUP | style,
                                  dpi_.X(rect.left), dpi_.Y(rect.top), dpi_.X(rect.width), dpi_.Y(rect.height),
                                  parent_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  GetModuleHandleA(nullptr), nullptr);
    if (window) SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(MessageFont()), FALSE);
    return window;
}

void ControlViews::Bind(Control& control, HWND window, int id, Entry::Kind kind, char mnemonic) {
    Entry entry{};
    entry.control = &control;
    entry.window = window;
    entry.id = id;
    entry.kind = kind;
    entry.mnemonic = mnemonic;
    entries_.push_back(std::move(entry));
    const size_t index = entries_.size() - 1;
    control.onRefresh = [this, index] { Sync(entries_[index]); };
}

HWND ControlViews::AddListBox(ListControl& control, int id, TwipsRect rect) {
    HWND window = Create("LISTBOX", "", WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, id,
                         rect);
    Bind(control, window, id, Entry::ListBox);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddDropDown(ListControl& control, int id, TwipsRect rect) {
    // The height of a drop-down list is that of its open list.
    rect.height *= 8;
    HWND window = Create("COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, id, rect);
    Bind(control, window, id, Entry::DropDown);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddCheckedList(CheckedList& control, int id, TwipsRect rect, int columns) {
    HWND window = Create("LISTBOX", "",
                         WS_TABSTOP | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | LBS_OWNERDRAWFIXED |
                             LBS_HASSTRINGS | (columns > 1 ? LBS_MULTICOLUMN : WS_VSCROLL),
                         id, rect);
    if (window) {
        int textHeight = dpi_.Y(195);
        if (HDC dc = GetDC(window)) {
            HGDIOBJ old = SelectObject(dc, MessageFont());
            TEXTMETRICA metrics{};
            if (GetTextMetricsA(dc, &metrics)) textHeight = metrics.tmHeight;
            SelectObject(dc, old);
            ReleaseDC(window, dc);
        }
        const int height = std::max(textHeight + dpi_.Y(30), CheckBoxWidth() + dpi_.Y(45));
        SendMessageA(window, LB_SETITEMHEIGHT, 0, MAKELPARAM(height, 0));
        if (columns > 1) {
            RECT client{};
            GetClientRect(window, &client);
            SendMessageA(window, LB_SETCOLUMNWIDTH, static_cast<WPARAM>(client.right / columns), 0);
        }
        Subclass(window);
    }
    Bind(control, window, id, Entry::Checked);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddCheckBox(CheckBox& control, int id, TwipsRect rect) {
    HWND window = Create("BUTTON", control.Caption().c_str(), WS_TABSTOP | BS_AUTOCHECKBOX, id, rect);
    Bind(control, window, id, Entry::Check);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddOptionButton(OptionButton& control, int id, TwipsRect rect, bool firstOfGroup) {
    HWND window = Create("BUTTON", control.Caption().c_str(), BS_AUTORADIOBUTTON, id, rect);
    if (window && !firstOfGroup) SetStyleBit(window, WS_GROUP, false);
    Bind(control, window, id, Entry::Option);
    entries_.back().firstOfGroup = firstOfGroup;
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddButton(Button& control, int id, TwipsRect rect, bool isDefault) {
    HWND window = Create("BUTTON", control.Caption().c_str(),
                         WS_TABSTOP | (isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON), id, rect);
    Bind(control, window, id, Entry::Push);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddLabel(Control& control, int id, TwipsRect rect, char mnemonic) {
    // Without a mnemonic an & in the caption is shown as it is.
    HWND window = Create("STATIC", "", SS_LEFT | (mnemonic ? 0 : SS_NOPREFIX), id, rect);
    Bind(control, window, id, Entry::Text, mnemonic);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddGroupBox(Control& control, int id, TwipsRect rect) {
    HWND window = AddFrame(id, rect);
    Bind(control, window, id, Entry::Group);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddTextBox(TextBox& control, int id, TwipsRect rect, TextInput input) {
    HWND window = Create("EDIT", control.Text().c_str(),
                         WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL | (input == TextInput::ReadOnly ? ES_READONLY : 0),
                         id, rect);
    if (window && input == TextInput::KeysOnly) Subclass(window);
    Bind(control, window, id, Entry::Edit);
    entries_.back().input = input;
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddProgressBar(ProgressBar& control, int id, TwipsRect rect) {
    EnsureCommonControls(ICC_PROGRESS_CLASS);
    HWND window = Create(PROGRESS_CLASSA, "", 0, id, rect);
    Bind(control, window, id, Entry::Progress);
    Sync(entries_.back());
    return window;
}

HWND ControlViews::AddFrame(int id, TwipsRect rect) {
    HWND window = Create("BUTTON", "", BS_GROUPBOX | WS_VISIBLE, id, rect);
    if (window) frames_.push_back(window);
    return window;
}

void ControlViews::SetContainer(HWND parent) {
    SendFramesBack();
    parent_ = parent;
}

void ControlViews::SendFramesBack() {
    for (HWND frame : frames_) SetWindowPos(frame, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    frames_.clear();
}

HWND ControlViews::AddIcon(HICON icon, int id, TwipsRect rect) {
    HWND window = Create("STATIC", "", SS_ICON | WS_VISIBLE, id, rect);
    if (window && icon) SendMessageA(window, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    return window;
}

HWND ControlViews::AddLine(int id, TwipsRect rect) {
    return Create("STATIC", "", SS_ETCHEDHORZ | WS_VISIBLE, id, rect);
}

void ControlViews::Hook(HWND child, MessageHook hook) {
    Entry* entry = Find(child);
    if (!entry) return;
    entry->hook = std::move(hook);
    Subclass(child);
}

LRESULT ControlViews::CallOriginal(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto original = reinterpret_cast<WNDPROC>(GetPropA(child, kOriginalProcProp));
    return original ? CallWindowProcA(original, child, message, wParam, lParam)
                    : DefWindowProcA(child, message, wParam, lParam);
}

void ControlViews::ReadSelection(TextBox& control) {
    HWND window = WindowOf(&control);
    if (!window) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageA(window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    control.SetSelection(static_cast<int>(start), static_cast<int>(end) - static_cast<int>(start));
}

HWND ControlViews::WindowOf(const void* control) const {
    for (const auto& entry : entries_)
        if (entry.control == control) return entry.window;
    return nullptr;
}

ControlViews::Entry* ControlViews::Find(HWND window) {
    for (auto& entry : entries_)
        if (entry.window == window) return &entry;
    return nullptr;
}

void ControlViews::Subclass(HWND window) {
    if (!window || GetPropA(window, kOriginalProcProp)) return;
    SetPropA(window, kOriginalProcProp, reinterpret_cast<HANDLE>(GetWindowLongPtrA(window, GWLP_WNDPROC)));
    SetPropA(window, kViewsProp, this);
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SubclassProc));
    subclassed_.push_back(window);
}

LRESULT CALLBACK ControlViews::SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* views = static_cast<ControlViews*>(GetPropA(window, kViewsProp));
    if (message == WM_NCDESTROY) {
        const LRESULT result = CallOriginal(window, message, wParam, lParam);
        RemovePropA(window, kOriginalProcProp);
        RemovePropA(window, kViewsProp);
        if (views) std::erase(views->subclassed_, window);
        return result;
    }
    if (views) {
        try {
            LRESULT result = 0;
            if (views->OnChildMessage(window, message, wParam, lParam, result)) return result;
        } catch (...) {
            // Nothing may unwind through the system's message dispatch; the
            // control's own procedure still gets the message.
        }
    }
    return CallOriginal(window, message, wParam, lParam);
}

bool ControlViews::OnChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    Entry* entry = Find(window);
    if (!entry) return false;
    if (entry->kind == Entry::Edit && entry->input == TextInput::KeysOnly) {
        switch (message) {
        case WM_CHAR:
        case WM_PASTE:
        case WM_CUT:
        case WM_CLEAR:
        case WM_UNDO:
        case EM_UNDO:
        case WM_CONTEXTMENU:  // its Paste and Delete
            result = 0;
            return true;
        case WM_KEYDOWN:
            // Delete, Shift+Delete (cut) and Shift+Insert (paste) change the text.
            if (wParam == VK_DELETE || (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0)) {
                result = 0;
                return true;
            }
            break;
        default:
            break;
        }
    }
    if (entry->kind == Entry::Checked) {
        switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            result = CallOriginal(window, message, wParam, lParam);
            const LRESULT hit = SendMessageA(window, LB_ITEMFROMPOINT, 0, lParam);
            if (HIWORD(hit) != 0) return true;
            const int item = LOWORD(hit);
            RECT itemRect{};
            SendMessageA(window, LB_GETITEMRECT, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&itemRect));
            const int x = static_cast<short>(LOWORD(lParam));
            if (message == WM_LBUTTONDBLCLK || x < itemRect.left + CheckBoxWidth() + dpi_.X(60))
                ToggleItem(*entry, item);
            return true;
        }
        case WM_CHAR:
            if (wParam == VK_SPACE) {
                const LRESULT caret = SendMessageA(window, LB_GETCARETINDEX, 0, 0);
                if (caret >= 0) ToggleItem(*entry, static_cast<int>(caret));
                result = 0;
                return true;
            }
            break;
        default:
            break;
        }
    }
    if (entry->hook) {
        // A copy: the hook may run code that changes the views.
        MessageHook hook = entry->hook;
        return hook(message, wParam, lParam, result);
    }
    return false;
}

void ControlViews::ToggleItem(Entry& entry, int item) {
    auto& list = static_cast<CheckedList&>(*entry.control);
    if (item >= 0 && item < list.Count()) list.SetChecked(item, !list.Checked(item));
}

int ControlViews::CheckBoxWidth() const { return dpi_.X(195); }

void ControlViews::SyncList(const Entry& entry) {
    HWND w = entry.window;
    auto& list = static_cast<ListControl&>(*entry.control);
    const bool box = entry.kind != Entry::DropDown;
    bool same = SendMessageA(w, box ? LB_GETCOUNT : CB_GETCOUNT, 0, 0) == list.Count();
    for (int i = 0; same && i < list.Count(); ++i) same = ListItemText(w, box, i) == list.Item(i);
    if (!same) {
        SendMessageA(w, WM_SETREDRAW, FALSE, 0);
        SendMessageA(w, box ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
        for (const auto& item : list.Items())
            SendMessageA(w, box ? LB_ADDSTRING : CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(w, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(w, nullptr, TRUE);
        if (!box) {
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
                         static_cast<WPARAM>(widest + GetSystemMetrics(SM_CXVSCROLL) + dpi_.X(120)), 0);
        }
    }
    if (SendMessageA(w, box ? LB_GETCURSEL : CB_GETCURSEL, 0, 0) != list.ListIndex())
        SendMessageA(w, box ? LB_SETCURSEL : CB_SETCURSEL, static_cast<WPARAM>(list.ListIndex()), 0);
}

void ControlViews::SyncOptionTabStops(size_t index) {
    // Tab goes to the chosen button of a group, or to its first when none is chosen.
    size_t begin = index;
    while (!entries_[begin].firstOfGroup && begin > 0 && entries_[begin - 1].kind == Entry::Option) --begin;
    size_t end = begin + 1;
    while (end < entries_.size() && entries_[end].kind == Entry::Option && !entries_[end].firstOfGroup) ++end;
    bool anyChosen = false;
    for (size_t i = begin; i < end; ++i) anyChosen = anyChosen || static_cast<OptionButton*>(entries_[i].control)->Value();
    for (size_t i = begin; i < end; ++i) {
        const bool chosen = static_cast<OptionButton*>(entries_[i].control)->Value();
        if (entries_[i].window) SetStyleBit(entries_[i].window, WS_TABSTOP, chosen || (!anyChosen && i == begin));
    }
}

void ControlViews::SyncTooltip(Entry& entry) {
    const std::string& tip = entry.control->Tooltip();
    if (tip.empty() && !entry.hasTool) return;
    if (!tooltip_) {
        EnsureCommonControls(ICC_BAR_CLASSES);
        tooltip_.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       GetAncestor(parent_, GA_ROOT), nullptr, GetModuleHandleA(nullptr), nullptr));
        if (!tooltip_) return;
        // Long texts wrap instead of running off the screen.
        SendMessageA(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, dpi_.X(9000));
    }
    std::string text = tip;
    TOOLINFOA info{};
    // The size older common controls know: the program runs on them too.
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(entry.window);
    info.uId = reinterpret_cast<UINT_PTR>(entry.window);
    info.lpszText = text.data();
    if (!entry.hasTool) {
        entry.hasTool = SendMessageA(tooltip_.get(), TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    } else {
        SendMessageA(tooltip_.get(), TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
        if (tip.empty()) SendMessageA(tooltip_.get(), TTM_POP, 0, 0);
    }
}

void ControlViews::Sync(Entry& entry) {
    HWND w = entry.window;
    if (!w) return;
    Control& c = *entry.control;
    switch (entry.kind) {
    case Entry::ListBox:
    case Entry::DropDown:
        SyncList(entry);
        break;
    case Entry::Checked:
        SyncList(entry);
        InvalidateRect(w, nullptr, TRUE);  // the check marks
        break;
    case Entry::Check:
        SendMessageA(w, BM_SETCHECK, static_cast<CheckBox&>(c).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextA(w, c.Caption().c_str());
        break;
    case Entry::Option:
        SendMessageA(w, BM_SETCHECK, static_cast<OptionButton&>(c).Value() ? BST_CHECKED : BST_UNCHECKED, 0);
        SetWindowTextA(w, c.Caption().c_str());
        SyncOptionTabStops(static_cast<size_t>(&entry - entries_.data()));
        break;
    case Entry::Push:
        SetWindowTextA(w, c.Caption().c_str());
        break;
    case Entry::Text:
    case Entry::Group:
        SetWindowTextA(w, WithMnemonic(c.Caption(), entry.mnemonic).c_str());
        break;
    case Entry::Edit: {
        if (entry.fromView) break;  // brought in step when the update is done
        auto& box = static_cast<TextBox&>(c);
        if (WindowText(w) != box.Text()) {
            FlagScope updating(entry.fromView);  // our own EN_CHANGE is no user's change
            SetWindowTextA(w, box.Text().c_str());
        }
        DWORD start = 0;
        DWORD end = 0;
        SendMessageA(w, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        const int wantEnd = box.SelStart() + box.SelLength();
        if (static_cast<int>(start) != box.SelStart() || static_cast<int>(end) != wantEnd)
            SendMessageA(w, EM_SETSEL, static_cast<WPARAM>(box.SelStart()), static_cast<LPARAM>(wantEnd));
        break;
    }
    case Entry::Progress: {
        auto& bar = static_cast<ProgressBar&>(c);
        SendMessageA(w, PBM_SETRANGE32, static_cast<WPARAM>(bar.Min()), static_cast<LPARAM>(bar.Max()));
        SendMessageA(w, PBM_SETPOS, static_cast<WPARAM>(bar.Value()), 0);
        break;
    }
    }
    EnableWindow(w, c.Enabled());
    ShowWindow(w, c.Visible() ? SW_SHOWNA : SW_HIDE);
    SyncTooltip(entry);
}

bool ControlViews::OnCommand(int id, int code) {
    for (auto& entry : entries_) {
        if (entry.id != id) continue;
        switch (entry.kind) {
        case Entry::ListBox:
        case Entry::Checked:
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
        case Entry::Option:
            if (code == BN_CLICKED && SendMessageA(entry.window, BM_GETCHECK, 0, 0) == BST_CHECKED)
                static_cast<OptionButton*>(entry.control)->SetValue(true);
            break;
        case Entry::Push:
            if (code == BN_CLICKED) static_cast<Button*>(entry.control)->Click();
            break;
        case Entry::Edit:
            if (code == EN_CHANGE && entry.input == TextInput::Typed && !entry.fromView) {
                auto& box = static_cast<TextBox&>(*entry.control);
                DWORD start = 0;
                DWORD end = 0;
                SendMessageA(entry.window, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
                {
                    FlagScope updating(entry.fromView);
                    box.SetText(WindowText(entry.window));
                    box.SetSelection(static_cast<int>(start), static_cast<int>(end) - static_cast<int>(start));
                }
                // The change handling may have changed the text again.
                Sync(entry);
            }
            break;
        case Entry::Text:
        case Entry::Group:
        case Entry::Progress:
            break;
        }
        return true;
    }
    return false;
}

bool ControlViews::OnDrawItem(const DRAWITEMSTRUCT& item) {
    const auto found = std::find_if(entries_.begin(), entries_.end(), [&](const Entry& entry) {
        return entry.kind == Entry::Checked && entry.window == item.hwndItem;
    });
    if (found == entries_.end()) return false;
    if (item.itemID == static_cast<UINT>(-1)) return true;
    const auto& list = static_cast<const CheckedList&>(*found->control);
    const int index = static_cast<int>(item.itemID);
    if (index >= list.Count()) return true;

    HDC dc = item.hDC;
    const RECT& row = item.rcItem;
    FillRect(dc, &row, GetSysColorBrush(COLOR_WINDOW));

    const bool disabled = (item.itemState & ODS_DISABLED) != 0;
    const int box = CheckBoxWidth();
    RECT check{row.left + dpi_.X(30), row.top + (row.bottom - row.top - box) / 2, 0, 0};
    check.right = check.left + box;
    check.bottom = check.top + box;
    DrawFrameControl(dc, &check, DFC_BUTTON,
                     DFCS_BUTTONCHECK | (list.Checked(index) ? DFCS_CHECKED : 0) | (disabled ? DFCS_INACTIVE : 0));

    // The text is highlighted when its item is the current one, as in a list.
    const std::string& text = list.Item(index);
    HGDIOBJ oldFont = SelectObject(dc, MessageFont());
    SIZE size{};
    GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    RECT label{check.right + dpi_.X(15), row.top, 0, row.bottom};
    label.right = std::min(static_cast<int>(row.right), static_cast<int>(label.left + size.cx + dpi_.X(30)));
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    if (selected) FillRect(dc, &label, GetSysColorBrush(COLOR_HIGHLIGHT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(disabled ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT textRect = label;
    textRect.left += dpi_.X(15);
    DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (item.itemState & ODS_FOCUS) DrawFocusRect(dc, &label);
    SelectObject(dc, oldFont);
    return true;
}

} // namespace dwl::win32
