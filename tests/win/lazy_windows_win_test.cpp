// Windows the user has not opened are not made, nor what they show: the
// options window's controls wait for its first showing and each page for its
// first turn, the Quickbar for its first showing, a picture for its first painting.
#include <windows.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/win32/services_win32.h"
#include "settings/quickbar_settings.h"
#include "ui/kit/win32/picture_button_view.h"
#include "ui/options/win32/options_view.h"
#include "ui/quickbar/win32/quickbar_view.h"

namespace dwl::win32 {
namespace {

struct Events : IOptionsEvents {
    OptionsForm form;
    OptionsForm& Form() override { return form; }
    void OnHotkey(uintptr_t, intptr_t) override {}
    void OnSchedulerTick() override {}
    void OnMenuCommand(int) override {}
    void OnEndSession() override {}
};

// How the pages and the bar show once made, the e2e tests read.
TEST(LazyWindows, OptionsControlsComeWithTheFirstShowingAndEachPageWithItsFirstTurn) {
    Events events;
    OptionsView view(GetModuleHandleA(nullptr));
    view.Create(events);
    HWND window = view.Handle();
    ASSERT_TRUE(window);
    EXPECT_FALSE(GetWindow(window, GW_CHILD));

    view.ShowNormal();
    HWND general = GetDlgItem(window, IdPageFirst);
    ASSERT_TRUE(general && GetDlgItem(general, IdChkTray));
    EXPECT_FALSE(GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    // A page goes before the buttons in the tab order, the tab strip last.
    EXPECT_EQ(GetWindow(general, GW_HWNDLAST), GetDlgItem(window, IdTabs));
    events.form.tbsOptions.SetListIndex(OptionsForm::kPageQuickbar);
    EXPECT_EQ(GetWindow(window, GW_CHILD), GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    view.Destroy();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
}

TEST(LazyWindows, TheQuickbarIsMadeWhenFirstShownWhereItWasPlaced) {
    OptionsForm form;
    Win32Dialogs dialogs;
    QuickbarView view(GetModuleHandleA(nullptr));
    Quickbar bar(view, Quickbar::Services{form, dialogs, {}, {}, {}, {}, {}, {}});
    view.Attach(bar);
    QuickbarSettings settings;
    settings.Enabled = 0;
    settings.PosX = 1500;  // 100 px at 96 DPI
    bar.LoadSettings(settings, true);
    bar.DisplayQuickbar();
    EXPECT_FALSE(view.Handle());

    form.chkQBar.SetValue(1);
    bar.DisplayQuickbar();
    RECT frame{};
    ASSERT_TRUE(GetWindowRect(view.Handle(), &frame));
    EXPECT_EQ(frame.left, MulDiv(1500, Dpi().X(1440), 1440));
    bar.Destroy();
}

TEST(LazyWindows, APictureIsMadeOnceWhenItsButtonIsPaintedAtTheSizeInUse) {
    UniqueWindow parent(CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                        GetModuleHandleA(nullptr), nullptr));
    Dpi dpi;
    ControlViews views{parent.get(), dpi};
    Button shown{"shown"}, hidden{"hidden"};
    hidden.SetVisible(false);
    std::vector<int> made;
    const auto picture = [&made](int size) {
        made.push_back(size);
        return std::vector<std::uint32_t>(static_cast<size_t>(size * size), 0xff204080u);
    };
    HWND button = views.Add<PictureButtonView>(shown, 1, TwipsRect{0, 0, 495, 495}, picture, 32);
    views.Add<PictureButtonView>(hidden, 2, TwipsRect{495, 0, 495, 495}, picture, 32);
    EXPECT_TRUE(made.empty());

    HDC dc = GetDC(button);
    DRAWITEMSTRUCT item{ODT_BUTTON, 1, 0, ODA_DRAWENTIRE, 0, button, dc, RECT{0, 0, 33, 33}, 0};
    EXPECT_TRUE(views.OnDrawItem(item));
    EXPECT_TRUE(views.OnDrawItem(item));
    ReleaseDC(button, dc);
    const int dpiX = dpi.X(1440);
    EXPECT_EQ(made, std::vector<int>{dpiX >= 192 ? 64 : dpiX >= 144 ? 48 : 32});
}

}  // namespace
}  // namespace dwl::win32
