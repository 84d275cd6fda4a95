// Windows the user has not opened are not made (the program idles on little
// memory): the options window's controls wait for its first showing and each
// page for its first turn, the Quickbar for its first showing. How they show
// once made, the e2e tests read.
#include <windows.h>
#include <gtest/gtest.h>

#include "app/win32/message_window.h"
#include "platform/win32/command_channel_win32.h"
#include "platform/win32/dialogs_win32.h"
#include "settings/quickbar_settings.h"
#include "ui/options/win32/options_view.h"
#include "ui/quickbar/win32/quickbar_view.h"

namespace dwl::win32 {
namespace {

struct Events : IOptionsEvents, IProgramEvents {
    OptionsForm form;
    std::string seen;
    OptionsForm& Form() override { return form; }
    void OnHotkey(uintptr_t id, intptr_t) override { seen += "hotkey " + std::to_string(id) + ";"; }
    void OnSchedulerTick() override {}
    void OnMenuCommand(int command) override { seen += std::to_string(command) + ";"; }
    void OnEndSession() override { seen += "end session;"; }
    void OnEndRequest() override { seen += "end request;"; }
    int OnCommand(const std::string& text, std::string& answer) override {
        answer = "done: " + text;
        return seen += text + ";", 3;
    }
    void OnResume() override { seen += "resume;"; }
    void OnTimeChange() override { seen += "time change;"; }
};

// The message window, made hidden at start before the options window, is
// found by its class and hands on what other programs and Windows send while
// the options window has no controls yet; they come with its first showing
// and each page with its first turn.
TEST(LazyWindows, MessagesAreTakenBeforeTheOptionsControlsComeWithTheFirstShowingAndEachPageWithItsFirstTurn) {
    Events events;
    MessageWindow messages(GetModuleHandleA(nullptr));
    messages.Create(events);
    messages.HookHotkeyProc();
    OptionsView view(GetModuleHandleA(nullptr));
    view.Create(events);
    HWND window = view.Handle(), messageWindow = FindWindowA(kMessageWindowClass, nullptr);
    ASSERT_TRUE(window && messageWindow && !IsWindowVisible(messageWindow));
    EXPECT_FALSE(GetWindow(window, GW_CHILD));
    // The command's answer, and the text the later start prints, sent back to its reply window.
    const HandOverResult handed = Win32CommandChannel(kMessageWindowClass).SendToRunningCopy("/cancel");
    EXPECT_EQ(handed.answer, 3);
    EXPECT_EQ(handed.text, "done: /cancel");
    using Sent = std::pair<UINT, WPARAM>;
    for (auto [message, wParam] :
         {Sent{WM_HOTKEY, 2}, Sent{WM_ENDSESSION, FALSE}, Sent{WM_ENDSESSION, TRUE},
          Sent{WM_POWERBROADCAST, PBT_APMSUSPEND}, Sent{WM_POWERBROADCAST, PBT_APMRESUMESUSPEND},
          Sent{WM_TIMECHANGE, 0}, Sent{WM_COMMAND, 40002}, Sent{WM_CLOSE, 0}})
        SendMessageA(messageWindow, message, wParam, 0);
    // A cancelled end of the session and a suspend are no events.
    EXPECT_EQ(events.seen, "/cancel;hotkey 2;end session;resume;time change;40002;end request;");

    view.ShowNormal();
    EXPECT_TRUE(GetDlgItem(window, IdPageFirst));
    EXPECT_FALSE(GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    events.form.tbsOptions.SetListIndex(OptionsForm::kPageQuickbar);
    EXPECT_TRUE(GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    view.Destroy();
    messages.Destroy();  // at the program's end: the message loop ends
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

TEST(LazyWindows, TheQuickbarIsMadeWhenFirstShown) {
    OptionsForm form;
    Win32Dialogs dialogs;
    QuickbarView view(GetModuleHandleA(nullptr));
    Quickbar bar(view, Quickbar::Services{form, dialogs, {}, {}, {}, {}, {}, {}});
    view.Attach(bar);
    QuickbarSettings off;
    off.Enabled = 0;
    bar.LoadSettings(off, true);
    bar.DisplayQuickbar();
    EXPECT_FALSE(view.Handle());

    form.chkQBar.SetValue(1);
    bar.DisplayQuickbar();
    EXPECT_TRUE(view.Handle());
    bar.Destroy();
}

}  // namespace
}  // namespace dwl::win32
