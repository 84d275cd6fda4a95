// Windows the user has not opened are not made (the program idles on little
// memory): the options window's controls wait for its first showing and each
// page for its first turn, the Quickbar for its first showing. How they show
// once made, the e2e tests read.
#include <windows.h>
#include <gtest/gtest.h>

#include "platform/win32/services_win32.h"
#include "settings/quickbar_settings.h"
#include "ui/options/win32/options_view.h"
#include "ui/quickbar/win32/quickbar_view.h"

namespace dwl::win32 {
namespace {

struct Events : IOptionsEvents {
    OptionsForm form;
    OptionsForm& Form() override { return form; }
};

TEST(LazyWindows, OptionsControlsComeWithTheFirstShowingAndEachPageWithItsFirstTurn) {
    Events events;
    OptionsView view(GetModuleHandleA(nullptr));
    view.Create(events);
    HWND window = view.Handle();
    ASSERT_TRUE(window);
    EXPECT_FALSE(GetWindow(window, GW_CHILD));

    view.ShowNormal();
    EXPECT_TRUE(GetDlgItem(window, IdPageFirst));
    EXPECT_FALSE(GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    events.form.tbsOptions.SetListIndex(OptionsForm::kPageQuickbar);
    EXPECT_TRUE(GetDlgItem(window, IdPageFirst + OptionsForm::kPageQuickbar));
    view.Destroy();
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
