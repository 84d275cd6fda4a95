#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "ui/kit/win32/view_window.h"
#include "ui/tasks/application_picker.h"

namespace dwl::win32 {

inline constexpr const char* kTasksWindowClass = "DuskwellTasks";

enum TasksControlId : int { IdTasksList = 3001, IdTasksBrowse = 3002, IdTasksSet = 3003, IdTasksCancel = 3004 };

// The Win32 view of frmTasks: a resizable tool window, modal over its owner,
// created for each showing and destroyed when it is unloaded.
class TasksView : public ITasksWindow, public ViewWindow {
public:
    TasksView(HINSTANCE instance, std::function<HWND()> owner) : ViewWindow(instance), owner_(std::move(owner)) {}
    ~TasksView() override { DestroyFrame(); }

    void Attach(ApplicationPicker& model) { model_ = &model; }
    void ShowModal() override;
    // Ends the modal loop; the window goes once the handler that called this returned.
    void Unload() override { unloading_ = true; }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Arrange();

    std::function<HWND()> owner_;
    ApplicationPicker* model_ = nullptr;
    std::unique_ptr<ControlViews> views_;
    bool unloading_ = false;
};

}  // namespace dwl::win32
