// The warning windows come up beside what the user is typing into without
// taking the foreground, stack up from the work area's corner and report
// their answers to a model that closes them from inside the report.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/warning/win32/warning_window.h"

namespace dwl::win32 {
namespace {

std::string Text(HWND window) {
    char text[256]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// The warning window showing `text`.
HWND Shown(const std::string& text) {
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, kWarningWindowClass, nullptr)))
        if (Text(GetDlgItem(window, IdWarningText)) == text) return window;
    return nullptr;
}

RECT Frame(HWND window) {
    RECT frame{};
    GetWindowRect(window, &frame);
    return frame;
}

TEST(WarningWindows, ComeWithoutTheForegroundStackUpAndAreClosedFromTheirOwnAnswer) {
    const UniqueWindow typing(CreateWindowExA(0, "STATIC", "typing", WS_POPUP | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                              nullptr, nullptr, nullptr));
    SetForegroundWindow(typing.get());
    ASSERT_EQ(GetForegroundWindow(), typing.get());
    WarningWindows windows(GetModuleHandleA(nullptr), "Duskwell");
    std::vector<std::pair<int, WarningAnswer>> answers;
    windows.SetAnswered([&](int id, WarningAnswer answer) {
        answers.emplace_back(id, answer);
        windows.CloseWarning(id);
    });
    const std::string one = "Shutdown Windows at 23:15, in 5 minute(s).";
    const std::string two = "Reboot at 23:20, in 10 minute(s).\r\nLog off at 23:20, in 10 minute(s).";
    windows.ShowWarning(1, one, false);
    windows.ShowWarning(2, two, true);
    HWND first = Shown(one), second = Shown(two);
    ASSERT_TRUE(first && second);
    EXPECT_EQ(GetForegroundWindow(), typing.get());
    EXPECT_TRUE(IsWindowVisible(first));
    EXPECT_EQ(Text(first), "Duskwell");
    EXPECT_EQ(GetWindowLongPtrA(first, GWL_EXSTYLE) & (WS_EX_TOPMOST | WS_EX_TOOLWINDOW),
              WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
    // In the work area's corner, the second above the first.
    RECT work{}, firstFrame = Frame(first), secondFrame = Frame(second), overlap{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_TRUE(firstFrame.right <= work.right && firstFrame.right > work.right - 40 &&
                firstFrame.bottom <= work.bottom);
    EXPECT_LE(secondFrame.bottom, firstFrame.top);
    EXPECT_GT(secondFrame.bottom - secondFrame.top, firstFrame.bottom - firstFrame.top);  // two lines
    EXPECT_FALSE(IntersectRect(&overlap, &firstFrame, &secondFrame));

    for (bool answerable : {false, true}) {
        windows.ShowWarning(1, one, answerable);
        for (int id : {IdWarningPostpone, IdWarningSkip})
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(first, id)) != 0, answerable);
        EXPECT_TRUE(IsWindowEnabled(GetDlgItem(first, IdWarningOK)));
    }
    EXPECT_EQ(Shown(one), first);  // changed, not made again

    // Answered and closed from inside its own click; the other moves down.
    SendMessageA(GetDlgItem(first, IdWarningPostpone), BM_CLICK, 0, 0);
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(Frame(second).bottom, firstFrame.bottom);
    SendMessageA(second, WM_CLOSE, 0, 0);  // the close box
    EXPECT_FALSE(IsWindow(second));
    const std::vector<std::pair<int, WarningAnswer>> expected{{1, WarningAnswer::Postpone}, {2, WarningAnswer::Ok}};
    EXPECT_EQ(answers, expected);
}

}  // namespace
}  // namespace dwl::win32
