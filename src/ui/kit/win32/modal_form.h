#pragma once
#include <windows.h>

#include <memory>

#include "ui/kit/win32/view_window.h"

namespace dwl::win32 {

// A small form shown modally and made anew for each showing: it is created
// owned by a window, its controls are added, it runs until it is destroyed,
// and then its control views go. Enter presses the default button.
class ModalForm : public ViewWindow {
public:
    // Closes the open form, from another program's request too.
    void Close() { EndModal(); }

protected:
    ModalForm(HINSTANCE instance, int defaultId) : ViewWindow(instance), defaultId_(defaultId) {}
    ~ModalForm() override { DestroyFrame(); }

    // Creates the hidden window, centred and owned by `owner`, and an empty set of views.
    bool CreateForm(HWND owner, const char* className, const char* caption, DWORD style, DWORD exStyle,
                    int clientWidth, int clientHeight);
    // Runs until the window is destroyed; the views go with it.
    void RunForm(HWND owner);
    // The messages every form answers the same way: the controls' commands
    // and the default button. False for any other message.
    bool OnFormMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

    std::unique_ptr<ControlViews> views_;

private:
    int defaultId_;
};

}  // namespace dwl::win32
