#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/kit/win32/control_views.h"
#include "ui/warning/warnings.h"

namespace dwl::win32 {

inline constexpr const char* kWarningWindowClass = "DuskwellWarning";

enum WarningControlId : int {
    IdWarningText = 4101,
    IdWarningPostpone = 4102,
    IdWarningSkip = 4103,
    IdWarningOK = 4104
};

// The warning windows: small always-on-top tool windows stacked upwards from
// the bottom-right corner of the work area. They never take the focus or the
// foreground from what the user is typing into. An answer is reported, not
// acted on: the model closes the window, also from inside the report.
class WarningWindows : public IWarningWindows {
public:
    WarningWindows(HINSTANCE instance, std::string caption) : instance_(instance), caption_(std::move(caption)) {}
    WarningWindows(const WarningWindows&) = delete;
    WarningWindows& operator=(const WarningWindows&) = delete;
    ~WarningWindows() override;

    void SetAnswered(Answered answered) override { answered_ = std::move(answered); }
    void ShowWarning(int id, const std::string& text, bool answerable) override;
    void CloseWarning(int id) override;

private:
    struct Shown {
        int id;
        UniqueWindow window;
        int lines;
    };
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    HWND Create();
    // Sizes each window for its lines and stacks them, the first at the bottom.
    void Place();
    void Report(HWND window, WarningAnswer answer);

    HINSTANCE instance_;
    std::string caption_;
    Answered answered_;
    std::vector<Shown> shown_;
    Dpi dpi_;
};

}  // namespace dwl::win32
