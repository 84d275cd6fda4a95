#pragma once
#include <windows.h>

#include <functional>
#include <memory>

#include "platform/win32/handles.h"
#include "ui/kit/win32/modal_form.h"
#include "ui/splash/splash.h"

namespace dwl::win32 {

inline constexpr const char* kSplashWindowClass = "DuskwellSplash";

enum SplashControlId : int {
    IdSplashOK = IDOK,
    IdSplashFrame = 4001,
    IdProductName1 = 4002,
    IdProductName2 = 4003,
    IdCompany1 = 4004,
    IdCompany2 = 4005,
    IdSplashVersion = 4006,
    IdSplashCopyright = 4007,
};

// The Win32 view of frmSplash: a captionless window with the program's name,
// version and copyright in a frame, and "&OK". Created for each showing and
// destroyed when it closes.
class SplashView : public ISplashWindow, public ModalForm {
public:
    // `owner` gives the options window, which stays disabled meanwhile.
    SplashView(HINSTANCE instance, std::function<HWND()> owner)
        : ModalForm(instance, IdSplashOK), owner_(std::move(owner)) {}
    void Attach(Splash& model) { model_ = &model; }

    void ShowModal() override;
    void Close() override { ModalForm::Close(); }

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    std::function<HWND()> owner_;
    Splash* model_ = nullptr;
    UniqueFont fonts_[4];
};

}  // namespace dwl::win32
