#pragma once
#include <windows.h>

#include <memory>

#include "ui/countdown/countdown.h"
#include "ui/kit/win32/view_window.h"

namespace dwl::win32 {

inline constexpr const char* kCountdownWindowClass = "DuskwellCountdown";

enum CountdownControlId : int {
    IdCountdownLabel = 2001,
    IdCountdownBar = 2002,
    IdCountdownAct = 2003,
    IdCountdownCancel = 2004
};

// The Win32 view of the countdown window frmAction: a fixed-size tool window,
// created the first time a countdown shows it.
class CountdownView : public ICountdownWindow, public ViewWindow {
public:
    explicit CountdownView(HINSTANCE instance) : ViewWindow(instance) {}
    ~CountdownView() override { DestroyFrame(); }

    // The model the window shows; set before the first countdown.
    void Attach(Countdown& model) { model_ = &model; }
    void Destroy() override { DestroyFrame(); }

    void StartTimer(int intervalMs) override;
    void StopTimer() override;
    void Show() override;
    void Hide() override;
    void SetClientHeightTwips(int height) override;
    void SetAlwaysOnTop() override;
    void ClearAlwaysOnTop() override;

private:
    bool EnsureWindow();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Countdown* model_ = nullptr;
    std::unique_ptr<ControlViews> views_;
    bool placed_ = false;
};

}  // namespace dwl::win32
