#include "ui/tasks/win32/tasks_view.h"

namespace dwl::win32 {

void TasksView::ShowModal() {
    if (!model_ || window_) return;
    const TwipsRect list = TasksLayout::List(TasksLayout::clientWidth, TasksLayout::clientHeight);
    const auto buttons = TasksLayout::ButtonsUnder(list);
    if (!CreateFrame(kTasksWindowClass, model_->frmTasks.Caption().c_str(),
                     WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_CLIPCHILDREN,
                     WS_EX_TOOLWINDOW | WS_EX_CONTROLPARENT, TasksLayout::clientWidth, TasksLayout::clientHeight))
        return;
    HWND owner = owner_ ? owner_() : nullptr;
    if (owner) SetWindowLongPtrA(window_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
    views_ = std::make_unique<ControlViews>(window_, dpi_);
    views_->Add<ListBoxView>(model_->lstTasks, IdTasksList, list);
    views_->Add<ButtonView>(model_->cmdBrowse, IdTasksBrowse, buttons.browse);
    views_->Add<ButtonView>(model_->cmdSet, IdTasksSet, buttons.set, true);
    views_->Add<ButtonView>(model_->cmdCancel, IdTasksCancel, buttons.cancel);
    Arrange();
    Centre(0);
    unloading_ = false;

    // Modal: the owner takes no input until the picker is unloaded.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    ShowWindow(window_, SW_SHOW);
    SetForegroundWindow(window_);
    SetFocus(views_->WindowOf(&model_->lstTasks));
    MSG message{};
    while (window_ && !unloading_ && GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window_, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    if (!unloading_ && message.message == WM_QUIT) PostQuitMessage(static_cast<int>(message.wParam));
    if (ownerWasEnabled) {
        EnableWindow(owner, TRUE);
        SetForegroundWindow(owner);
    }
    DestroyFrame();
}

// The list fills the client area above the buttons, which sit on its bottom
// edge as the list placed itself.
void TasksView::Arrange() {
    RECT client{};
    GetClientRect(window_, &client);
    const int perInchX = dpi_.X(1440), perInchY = dpi_.Y(1440);
    const TwipsRect list = TasksLayout::List(MulDiv(client.right, 1440, perInchX), MulDiv(client.bottom, 1440, perInchY));
    HWND listWindow = views_->WindowOf(&model_->lstTasks);
    MoveWindow(listWindow, 0, 0, dpi_.X(list.width), dpi_.Y(list.height), TRUE);
    RECT placed{};
    GetWindowRect(listWindow, &placed);
    const auto buttons = TasksLayout::ButtonsUnder(
        {0, 0, list.width, MulDiv(static_cast<int>(placed.bottom - placed.top), 1440, perInchY)});
    for (auto [control, box] : {std::pair<const Control*, TwipsRect>{&model_->cmdBrowse, buttons.browse},
                                {&model_->cmdSet, buttons.set},
                                {&model_->cmdCancel, buttons.cancel}})
        MoveWindow(views_->WindowOf(control), dpi_.X(box.left), dpi_.Y(box.top), dpi_.X(box.width), dpi_.Y(box.height),
                   TRUE);
}

LRESULT TasksView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_GETMINMAXINFO: {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        limits->ptMinTrackSize = {dpi_.X(TasksLayout::minOuterWidth), dpi_.Y(TasksLayout::minOuterHeight)};
        return 0;
    }
    case WM_SIZE:
        if (views_ && wParam != SIZE_MINIMIZED) Arrange();
        return 0;
    case WM_COMMAND:
        if (!views_ || lParam == 0) {
            // Enter and Escape reach the window as IDOK and IDCANCEL.
            if (LOWORD(wParam) == IDOK && model_) model_->cmdSet_Click();
            if (LOWORD(wParam) == IDCANCEL && model_) model_->cmdCancel_Click();
            return 0;
        }
        if (LOWORD(wParam) == IdTasksList && HIWORD(wParam) == LBN_DBLCLK) {
            views_->OnCommand(IdTasksList, LBN_SELCHANGE);
            model_->lstTasks_DblClick();
            return 0;
        }
        views_->OnCommand(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        if (model_) model_->cmdCancel_Click();
        return 0;
    case WM_DESTROY: views_.reset(); return 0;
    default: return DefWindowProcA(window_, message, wParam, lParam);
    }
}

}  // namespace dwl::win32
