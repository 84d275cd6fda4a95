#pragma once
#include <windows.h>

#include <memory>
#include <string>

#include "actions/disk_cleanup.h"
#include "model/controls.h"
#include "ui/kit/win32/view_window.h"

namespace dwl::win32 {

inline constexpr const char* kCleanUpWindowClass = "DuskwellCleanUp";
inline constexpr int IdCleanUpLabel = 2101;

// A small window that shows a clean-up which takes longer than a second:
// what is being cleaned and how many files are gone. The clean-up runs on
// the window's own thread, so while it shows, the thread's windows are
// repainted between the reports; nothing else is handled until it is done.
class CleanUpProgressView : public ICleanUpProgress, public ViewWindow {
public:
    CleanUpProgressView(HINSTANCE instance, std::string caption) : ViewWindow(instance), caption_(std::move(caption)) {}
    ~CleanUpProgressView() override { DestroyFrame(); }

    void Report(const std::string& what, size_t filesDeleted) override;
    void Finished() override;

private:
    LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
    void Repaint();

    std::string caption_;
    Label lblCleanUp{"lblCleanUp"};
    std::unique_ptr<ControlViews> views_;
    bool running_ = false;
    DWORD started_ = 0;
    DWORD shown_ = 0;  // when the text last changed
};

}  // namespace dwl::win32
