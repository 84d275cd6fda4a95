// The program's message window, made hidden at start and never shown: a later
// start finds it by its class, and it hands on what other programs and
// Windows send to it.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "app/win32/message_window.h"
#include "platform/win32/command_channel_win32.h"
#include "ui/options/options_form.h"

namespace dwl::win32 {
namespace {

struct Events : IProgramEvents {
    OptionsForm form;
    std::string seen;
    OptionsForm& Form() override { return form; }
    void OnHotkey(uintptr_t id, intptr_t keys) override {
        seen = "hotkey " + std::to_string(id) + " " + std::to_string(keys);
    }
    void OnSchedulerTick() override { seen = "tick"; }
    void OnMenuCommand(int command) override { seen = "menu " + std::to_string(command); }
    void OnEndSession() override { seen = "end session"; }
    void OnEndRequest() override { seen = "end request"; }
    int OnCommand(const std::string& text) override {
        seen = "command " + text;
        return 3;
    }
    void OnResume() override { seen = "resume"; }
    void OnTimeChange() override { seen = "time change"; }
};

TEST(MessageWindow, AHiddenWindowFoundByItsClassHandsOnCommandsHotkeysAndTheSessionsEnd) {
    Events events;
    MessageWindow window(GetModuleHandleA(nullptr));
    window.Create(events);
    window.HookHotkeyProc();
    HWND handle = FindWindowA(kMessageWindowClass, nullptr);
    ASSERT_TRUE(handle);
    EXPECT_FALSE(IsWindowVisible(handle));
    const HandOverResult reply = Win32CommandChannel(kMessageWindowClass).SendToRunningCopy("/cancel");
    EXPECT_EQ(events.seen + " " + std::to_string(reply.answer), "command /cancel 3");
    EXPECT_EQ(reply.outcome, HandOverResult::Outcome::Answered);

    struct Row {
        UINT message;
        WPARAM wParam;
        const char* seen;
    };
    const Row rows[] = {
        {WM_HOTKEY, 2, "hotkey 2 5439494"},  // lParam: Ctrl+Shift+S
        {WM_ENDSESSION, FALSE, ""},          // the end was cancelled
        {WM_ENDSESSION, TRUE, "end session"},
        {WM_POWERBROADCAST, PBT_APMSUSPEND, ""},
        {WM_POWERBROADCAST, PBT_APMRESUMESUSPEND, "resume"},
        {WM_TIMECHANGE, 0, "time change"},
        {WM_COMMAND, 40002, "menu 40002"},
        {WM_CLOSE, 0, "end request"},
    };
    for (const Row& row : rows) {
        events.seen.clear();
        SendMessageA(handle, row.message, row.wParam, row.message == WM_HOTKEY ? MAKELPARAM(6, 83) : 0);
        EXPECT_EQ(events.seen, row.seen) << row.message;
    }
    EXPECT_EQ(SendMessageA(handle, WM_QUERYENDSESSION, 0, 0), TRUE);

    window.Destroy();  // at the program's end: the message loop ends
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

}  // namespace
}  // namespace dwl::win32
