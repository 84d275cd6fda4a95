#pragma once
#include <windows.h>

#include <memory>

#include "actions/countdown.h"
#include "ui/model/win32/control_views.h"
#include "ui/model/win32/window_proc.h"

namespace dwl::win32 {

inline constexpr const char* kCountdownWindowClass = "DuskwellCountdown";

enum CountdownControlId : int { IdCountdownLabel = 2001, IdCountdownBar = 2002, IdCountdownAct = 2003, IdCountdownCancel = 2004 };

// The Win32 view of the countdown window frmAction: a fixed-size tool window,
// created the first time a countdown shows it.
class CountdownView : public ICountdownWindow {
public:
    explicit CountdownView(HINSTANCE instance) : instance_(instance) {}
    ~CountdownView() override;

    // The model the window shows; set before the first countdown.
    void Attach(Countdown& model) { model_ = &model; }
    void Destroy();

    void StartTimer(int intervalMs) override;
    void StopTimer() override;
    void Show() override;
    void Hide() override;
    void SetClientHeightTwips(int height) override;
    void SetAlwaysOnTop() override;
    void ClearAlwaysOnTop() override;

    HWND Handle() const { return window_; }

private:
    bool EnsureWindow();
    void SizeClient(int width, int height);
    template <typename View>
    friend LRESULT CALLBACK ViewWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

    HINSTANCE instance_;
    Countdown* model_ = nullptr;
    HWND window_ = nullptr;
    Dpi dpi_;
    std::unique_ptr<ControlViews> views_;
    bool placed_ = false;
    bool timerRunning_ = false;
};

} // namespace dwl::win32
