#include "ui/options/win32/options_view.h"

namespace dwl::win32 {

// The time box of the Scenarios page: the edit and its drop-down list of
// hours or minutes, hooked so that the TimeBox model sees focus, caret and keys.

void OptionsView::WireTimeBox() {
    auto* box = views_ ? dynamic_cast<TextBoxView*>(views_->BinderOf(&form_->txtTime)) : nullptr;
    Binder* list = views_ ? views_->BinderOf(&form_->lstTime) : nullptr;
    if (!timeBox_ || !box || !list || timeBoxWired_) return;
    timeBoxWired_ = true;
    timeBox_->onFocusRequest = [this](TimeBoxFocus target) { FocusTimeBox(target); };
    box->Hook([this, box](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnTimeBoxMessage(*box, message, wParam, lParam, result);
    });
    list->Hook([this, list](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return OnTimeListMessage(*list, message, wParam, lParam, result);
    });
}

bool OptionsView::OnTimeBoxMessage(TextBoxView& box, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message != WM_SETFOCUS && message != WM_KILLFOCUS && message != WM_LBUTTONUP && message != WM_KEYUP)
        return false;
    // The box's own handling first (caret, selection, focus); then the model
    // learns where the caret is and acts on it.
    result = box.CallOriginal(message, wParam, lParam);
    if (message != WM_KILLFOCUS) box.ReadSelection();
    switch (message) {
    case WM_SETFOCUS: timeBox_->GotFocus(); break;
    case WM_KILLFOCUS: timeBox_->LostFocus(); break;
    case WM_LBUTTONUP: timeBox_->SelectPartAtCaret(); break;
    default: timeBox_->KeyUp(static_cast<int>(wParam)); break;
    }
    return true;
}

bool OptionsView::OnTimeListMessage(Binder& list, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
    case WM_GETDLGCODE:
        // Enter chooses and Escape goes back to the box, instead of pressing
        // OK or Cancel.
        if (wParam != VK_RETURN && wParam != VK_ESCAPE) return false;
        result = list.CallOriginal(message, wParam, lParam) | DLGC_WANTALLKEYS;
        return true;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN) {
            timeBox_->ChooseListItem(static_cast<int>(SendMessageA(list.Window(), LB_GETCURSEL, 0, 0)));
        } else if (wParam == VK_ESCAPE) {
            SetFocus(views_->WindowOf(&form_->txtTime));  // losing the focus closes the list
        } else {
            return false;
        }
        result = 0;
        return true;
    case WM_LBUTTONUP:
    case WM_KILLFOCUS: {
        result = list.CallOriginal(message, wParam, lParam);
        const LRESULT hit = message == WM_LBUTTONUP ? SendMessageA(list.Window(), LB_ITEMFROMPOINT, 0, lParam) : 0;
        if (message == WM_KILLFOCUS)
            timeBox_->ListLostFocus();
        else if (HIWORD(hit) == 0)
            timeBox_->ChooseListItem(LOWORD(hit));
        return true;
    }
    default: return false;
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

}  // namespace dwl::win32
