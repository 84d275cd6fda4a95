#include "ui/options/win32/time_box_view.h"

namespace dwl::win32 {

void TimeBoxView::Wire(TimeBox* model, TextBoxView* box, Binder* list, const Dpi& dpi, TwipsRect where) {
    if (!model || !box || !list || model_) return;
    model_ = model;
    box_ = box;
    list_ = list;
    dpi_ = &dpi;
    where_ = where;
    model_->onFocusRequest = [this](TimeBoxFocus target) { Focus(target); };
    box_->Hook([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnBoxMessage(message, wParam, lParam, result);
    });
    list_->Hook([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnListMessage(message, wParam, lParam, result);
    });
}

void TimeBoxView::Reset() {
    if (model_) model_->onFocusRequest = nullptr;
    *this = TimeBoxView();
}

bool TimeBoxView::OnBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_SETFOCUS && message != WM_KILLFOCUS && message != WM_LBUTTONUP && message != WM_KEYUP)
        return false;
    // The box's own handling first (caret, selection, focus); then the model
    // learns where the caret is and acts on it.
    result = box_->CallOriginal(message, wParam, lParam);
    if (message != WM_KILLFOCUS) box_->ReadSelection();
    switch (message) {
    case WM_SETFOCUS: model_->GotFocus(); break;
    case WM_KILLFOCUS: model_->LostFocus(); break;
    case WM_LBUTTONUP: model_->SelectPartAtCaret(); break;
    default: model_->KeyUp(static_cast<int>(wParam)); break;
    }
    return true;
}

bool TimeBoxView::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter chooses and Escape goes back to the box, instead of pressing
        // OK or Cancel.
        if (wParam != VK_RETURN && wParam != VK_ESCAPE) return false;
        result = list_->CallOriginal(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            model_->ChooseListItem(static_cast<int>(SendMessageA(list_->Window(), LB_GETCURSEL, 0, 0)));
        } else if (wParam == VK_ESCAPE) {
            SetFocus(box_->Window());  // losing the focus closes the list
        } else {
            return false;
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
    case WM_KILLFOCUS: {
        result = list_->CallOriginal(message, wParam, lParam);
        const LRESULT hit = message == WM_LBUTTONUP ? SendMessageA(list_->Window(), LB_ITEMFROMPOINT, 0, lParam) : 0;
        if (message == WM_KILLFOCUS)
            model_->ListLostFocus();
        else if (HIWORD(hit) == 0)
            model_->ChooseListItem(LOWORD(hit));
        return true;
    }
    default: return false;
    }
}

void TimeBoxView::Focus(TimeBoxFocus target) {
    if (target != TimeBoxFocus::List) {
        SetFocus(box_->Window());
        return;
    }
    // Under the box, below the part it was opened for, over the controls
    // further down.
    const int left = where_.left + model_->lstTimeLeft - TimeBox::kHoursListLeft;
    SetWindowPos(list_->Window(), HWND_TOP, dpi_->X(left), dpi_->Y(where_.top + where_.height), 0, 0,
                 SWP_NOSIZE | SWP_NOACTIVATE);
    SetFocus(list_->Window());
}

}  // namespace dwl::win32
