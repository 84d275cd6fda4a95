#include "ui/kit/win32/control_views.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "model/scope_guard.h"
#include "platform/win32/common_controls.h"

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

// Sets or clears a style bit of a window.
void SetStyleBit(HWND window, LONG_PTR bit, bool on) {
    const LONG_PTR style = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR wanted = on ? (style | bit) : (style & ~bit);
    if (wanted != style) SetWindowLongPtrA(window, GWL_STYLE, wanted);
}

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
    auto* before = views.Last() ? views.Last()->AsOption() : nullptr;
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
               (input == TextInput::Hidden ? ES_PASSWORD : 0) | (input == TextInput::Digits ? ES_NUMBER : 0),
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
    if (code != EN_CHANGE || (input_ == TextInput::ReadOnly || input_ == TextInput::KeysOnly) || fromView_) return;
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

}  // namespace dwl::win32
