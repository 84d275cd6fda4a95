#pragma once
#include <windows.h>

#include <memory>

#include "platform/win32/handles.h"
#include "ui/model/win32/control_views.h"
#include "ui/options/options_form.h"
#include "ui/options/options_window.h"

namespace dwl::win32 {

inline constexpr const char* kOptionsWindowClass = "DuskwellOptions";

// Child control ids of the options window.
enum OptionsControlId : int {
    IdLstScen = 1001,
    IdCmdAct = 1002,
    IdCmdAction = 1003,
    IdCmdScen = 1004,
    IdCmdDuration = 1005,
    IdLblActive = 1006,
};

// The Win32 view of the options window frmOptions.
class OptionsView : public IOptionsWindow {
public:
    explicit OptionsView(HINSTANCE instance);
    ~OptionsView() override;

    void Create(IOptionsEvents& events) override;
    void ShowCentred() override;
    void Hide() override;
    void HookHotkeyProc() override;
    void UnhookHotkeyProc() override;
    void Destroy() override;

    HWND Handle() const { return window_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    OptionsForm* form_ = nullptr;
    HINSTANCE instance_;
    IOptionsEvents* events_ = nullptr;
    HWND window_ = nullptr;
    Dpi dpi_;
    std::unique_ptr<ControlViews> views_;
    Label activeLabel_{"lblActive", "Active scenarios:"};
    UniqueMenu popupMenu_;  // mPopupSys
    UniqueIcon icon_;
};

} // namespace dwl::win32
