#pragma once
#include <windows.h>

#include <memory>

#include "ui/kit/win32/view_window.h"
#include "ui/quickbar/quickbar.h"

namespace dwl::win32 {

inline constexpr const char* kQuickbarWindowClass = "DuskwellQuickbar";

// Control ids: the small buttons from 3001, the large ones from 3011, in the bar's order.
inline constexpr int kQuickbarSmallId = 3001;
inline constexpr int kQuickbarLargeId = 3011;

// The Win32 view of frmQBar: a fixed tool window with a close box and no
// taskbar entry, holding the sixteen picture buttons. Built when it is first
// shown (most users never show it), and again after the user has closed it;
// until then placing, laying out and the topmost state are only kept.
class QuickbarView : public IQuickbarWindow, public ViewWindow {
public:
    explicit QuickbarView(HINSTANCE instance) : ViewWindow(instance) {}
    ~QuickbarView() override { DestroyFrame(); }

    // The model the window shows; set before the program starts.
    void Attach(Quickbar& model) { model_ = &model; }

    void Place(int left, int top) override;
    void Layout() override;
    void Show() override;
    void Hide() override;
    void SetAlwaysOnTop() override;
    void ClearAlwaysOnTop() override;
    void Destroy() override { DestroyFrame(); }
    std::uint32_t InputTime() override;
    std::uint32_t Now() override;

private:
    bool EnsureWindow();
    void ApplyLayout();
    void MoveTo(int x, int y);
    void ReportPosition();
    void BringOnScreen();
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    Quickbar* model_ = nullptr;
    std::unique_ptr<ControlViews> views_;
    bool userClose_ = false;  // the close comes from the close box, the system menu or Alt+F4
    bool placed_ = false;     // moves are the user's from here on
    bool topmost_ = false;
};

}  // namespace dwl::win32
