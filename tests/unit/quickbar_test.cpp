#include <gtest/gtest.h>

#include "fakes/fake_platform.h"
#include "settings/my_registry.h"
#include "settings/quickbar_settings.h"
#include "ui/options/options_form.h"
#include "ui/quickbar/quickbar.h"
#include "ui/quickbar/quickbar_pictures.h"

namespace dwl {
namespace {

using namespace fakes;

constexpr const char* kAtLeastOne = "message At least one button must be set in the Quickbar.";
constexpr const char* kSection = "SOFTWARE\\Orbelle\\DWL\\Quickbar";

class QuickbarTest : public ::testing::Test {
protected:
    Journal journal;
    FakeDialogs dialogs{journal};
    FakeQuickbarWindow window{journal};
    OptionsForm form;
    bool trayIcon = false;
    // clang-format off
    Quickbar bar{window, Quickbar::Services{form, dialogs,
        [this](int code) { journal.push_back("exit " + std::to_string(code)); },
        [this] { journal.push_back("settings"); }, [this] { journal.push_back("show form"); }, [this] { return trayIcon; },
        [this](const char* v, int s) { journal.push_back(std::string("save ") + v + " " + std::to_string(s)); }, {}}};
    // clang-format on
    std::vector<CheckBox*> Boxes() {
        return {&form.chkQBShutdown,  &form.chkQBRestart, &form.chkQBLogoff, &form.chkQBSuspend,
                &form.chkQBHibernate, &form.chkQBLock,    &form.chkQBConfig, &form.chkQBAOT};
    }
    void Check(int mask) {
        for (int i = 7; i >= 0; --i) Boxes()[static_cast<size_t>(i)]->SetValue(1);
        for (int i = 0; i < 8; ++i) Boxes()[static_cast<size_t>(i)]->SetValue((mask >> i) & 1);
    }
};

TEST_F(QuickbarTest, LaysOutEveryCombinationOfButtonsSizeAndOrientation) {
    for (int mask = 1; mask < 256; ++mask)
        for (bool useLarge : {false, true})
            for (bool horizontal : {false, true}) {
                Check(mask);
                (useLarge ? form.optQBLarge : form.optQBSmall).SetValue(true);
                (horizontal ? form.optQBHorizontal : form.optQBVertical).SetValue(true);
                bar.DisplayQuickbar();
                const int n = std::popcount(static_cast<unsigned>(mask));
                const int pitch = useLarge ? 495 : 255;
                SCOPED_TRACE(testing::Message()
                             << mask << (useLarge ? " large" : " small") << (horizontal ? " row" : " column"));
                if (horizontal) {
                    EXPECT_EQ(bar.Width, pitch * n + (useLarge ? 100 : 80));
                    EXPECT_EQ(bar.Height, useLarge ? 855 : 615);
                } else {
                    EXPECT_EQ(bar.Width, useLarge ? 595 : 355);
                    EXPECT_EQ(bar.Height, pitch * n + 360);
                }
                int along = 0;
                for (size_t i = 0; i < 8; ++i) {
                    const bool shown = (mask >> i) & 1;
                    EXPECT_FALSE((useLarge ? bar.small : bar.large)[i].Visible());
                    ASSERT_EQ((useLarge ? bar.large : bar.small)[i].Visible(), shown) << i;
                    if (!shown) continue;
                    const auto place = (useLarge ? bar.largePlace : bar.smallPlace)[i];
                    const int across = useLarge ? 0 : (n == 1 || !horizontal) ? 35 : 0;
                    EXPECT_EQ(horizontal ? place.left : place.top, n == 1 && horizontal && !useLarge ? 35 : along);
                    EXPECT_EQ(horizontal ? place.top : place.left, horizontal ? 0 : across);
                    along += pitch;
                }
            }
}

TEST_F(QuickbarTest, ShowsAndFloatsAsThePageSays) {
    for (int show : {0, 1}) {
        form.chkQBar.SetValue(show);
        form.chkQBAOT2.SetValue(1 - show);
        bar.DisplayQuickbar();
        EXPECT_EQ(window.shown, show == 1);
        EXPECT_EQ(window.topmost, show == 0);  // set even while hidden
    }
}

TEST_F(QuickbarTest, UncheckingTheLastButtonBoxIsRefused) {
    form.cmdApply.SetEnabled(false);
    Check(0x20);
    EXPECT_TRUE(dialogs.shown.empty());
    form.chkQBLock.SetValue(0);
    EXPECT_EQ(form.chkQBLock.Value(), 1);
    EXPECT_EQ(journal, Journal{kAtLeastOne});
    EXPECT_EQ(dialogs.shown[0].style, MbOk | MbIconInformation);
    EXPECT_TRUE(form.cmdApply.Enabled());
    EXPECT_TRUE(form.QuickbarChanged);
}

TEST_F(QuickbarTest, ConfirmsOnlyShutdownRestartAndLogOffWhenAsked) {
    struct Case {
        int index, confirm, answer;
        Journal expected;
    };
    const Case cases[] = {
        {0, 1, IdNo, {"message Are you sure you want to shutdown?"}},
        {0, 1, IdYes, {"message Are you sure you want to shutdown?", "exit 1"}},
        {1, 1, IdYes, {"message Are you sure you want to restart?", "exit 2"}},
        {2, 1, IdYes, {"message Are you sure you want to log off?", "exit 0"}},
        {2, 0, IdNo, {"exit 0"}},
        {3, 1, IdNo, {"exit 10"}},
        {4, 1, IdNo, {"exit 11"}},
        {5, 1, IdNo, {"exit 9"}},
    };
    for (const Case& c : cases) {
        for (auto* set : {&bar.small, &bar.large}) {
            journal.clear();
            dialogs.shown.clear();
            form.chkQBConfirm.SetValue(c.confirm);
            dialogs.answer = c.answer;
            (*set)[static_cast<size_t>(c.index)].Click();
            EXPECT_EQ(journal, c.expected) << c.index;
            for (const auto& box : dialogs.shown)
                EXPECT_EQ(box.caption + " " + std::to_string(box.style), "Action confirmation. 36");
        }
    }
}

TEST_F(QuickbarTest, ClicksQueuedWhileTheMachineSleptAreDroppedWhenItWakes) {
    window.now = 4000000;  // Suspend returns when the machine wakes
    for (unsigned clickedAt : {1000u, 1200u, 4000100u}) {
        window.inputTime = clickedAt;
        bar.small[3].Click();
    }
    EXPECT_EQ(journal, (Journal{"exit 10", "exit 10"}));
}

TEST_F(QuickbarTest, ConfigButtonsOpenTheOptionsWindow) {
    bar.large[6].Click();
    bar.small[6].Click();
    trayIcon = true;
    bar.large[6].Click();
    EXPECT_EQ(journal, (Journal{"show form", "settings", "settings"}));
}

TEST_F(QuickbarTest, AlwaysOnTopButtonsAndCloseBoxKeepApply) {
    for (bool applyEnabled : {false, true}) {
        form.chkQBAOT2.SetValue(1);
        form.chkQBar.SetValue(1);
        form.MarkApplied();
        form.cmdApply.SetEnabled(applyEnabled);
        form.QuickbarChanged = false;
        journal.clear();
        bar.large[7].Click();
        EXPECT_EQ(form.chkQBAOT2.Value(), 0);
        EXPECT_FALSE(window.topmost);
        EXPECT_EQ(form.cmdApply.Enabled(), applyEnabled);
        EXPECT_TRUE(form.QuickbarChanged);
        bar.small[7].Click();
        EXPECT_TRUE(window.topmost);

        EXPECT_FALSE(bar.OnClose(false));  // another program's request: the bar stays
        EXPECT_EQ(form.chkQBar.Value(), 1);
        EXPECT_TRUE(bar.OnClose(true));
        EXPECT_EQ(form.chkQBar.Value(), 0);
        EXPECT_EQ(form.cmdApply.Enabled(), applyEnabled);
        EXPECT_EQ(journal, (Journal{"save AOT 0", "save AOT 1", "save Enabled 0"}));
        // In effect at once: Cancel does not take them back.
        form.RestoreApplied();
        EXPECT_EQ(std::pair(form.chkQBAOT2.Value(), form.chkQBar.Value()), std::pair(1, 0));
    }
}

TEST_F(QuickbarTest, LoadsStoredValuesWithDefaultsAndTheLockRule) {
    FakeRegistry registry;
    MyRegistry my(registry, dialogs, "Duskwell");
    const auto put = [&](const char* v, const char* text) { registry.values[{Hive::CurrentUser, kSection, v}] = text; };
    QuickbarSettings s;
    LoadQuickbarSettings(my, s);
    bar.LoadSettings(s, true);
    EXPECT_EQ(form.chkQBar.Value(), 0);
    EXPECT_EQ(form.chkQBAOT2.Value() + form.chkQBConfirm.Value(), 2);
    EXPECT_TRUE(form.optQBLarge.Value() && form.optQBHorizontal.Value());
    EXPECT_EQ(journal, Journal{"place quickbar 0 0"});

    // Letters load as the default; both placements stored: the later wins.
    for (const char* v : {"qbShutdown", "qbRestart", "qbLogoff", "qbSuspend", "qbHibernate", "qbConfig", "qbAOT"})
        put(v, "0");
    put("qbLock", "yes");
    put("Horizontally", "1");
    put("Vertically", "-1");
    put("PosX", "1234.6");
    put("PosY", " 99 ");
    LoadQuickbarSettings(my, s);
    journal.clear();
    bar.LoadSettings(s, false);
    // Lock alone where locking is not offered: the default buttons, no message.
    EXPECT_EQ(journal, (Journal{"place quickbar 1235 99"}));
    EXPECT_EQ(form.chkQBLock.Value(), 0);
    EXPECT_EQ(form.chkQBShutdown.Value() + form.chkQBConfig.Value() + form.chkQBAOT.Value(), 3);
    EXPECT_FALSE(form.chkQBLock.Enabled());
    EXPECT_TRUE(form.optQBVertical.Value() && !form.optQBHorizontal.Value());

    // Written back as it was read.
    bar.OnMoved(-300, 40);
    bar.OnDragEnded();
    SaveQuickbarSettings(my, bar.StoredSettings());
    QuickbarSettings again;
    LoadQuickbarSettings(my, again);
    EXPECT_EQ(again.Buttons, (std::array<int, 8>{1, 1, 1, 1, 1, 0, 1, 1}));
    EXPECT_EQ(std::tuple(again.Vertically, again.Horizontally, again.PosX, again.PosY),
              std::tuple(true, false, -300, 40));

    // Numbers as any writer may have stored them; anything else is no position.
    const std::pair<const char*, int> numbers[] = {{"-1.5e3", -1500}, {".25E+2", 25}, {"7.", 7},    {"1e400", 0},
                                                   {"+5", 0},         {"1e", 0},      {"1.2.3", 0}, {"0x10", 0},
                                                   {"-", 0},          {"nan", 0}};
    for (auto [text, twips] : numbers) {
        put("PosX", text);
        LoadQuickbarSettings(my, again);
        EXPECT_EQ(again.PosX, twips) << text;
    }
}

}  // namespace
}  // namespace dwl

namespace dwl {
namespace {

// The pictures drawn at run time are, pixel for pixel, the icons the program
// carried before: FNV-1a of each picture's pixels at 16, 24, 32, 48 and 64 px.
TEST(QuickbarPictures, AreTheIconsOfBeforePixelForPixel) {
    constexpr std::uint32_t kHashes[kQuickbarPictureCount][5] = {
        {0xcdc24919u, 0x8d3243b7u, 0x3ad08411u, 0x1f90612fu, 0xbcd540c3u},
        {0xf1f5ef6eu, 0x9a96af80u, 0xd4a0aafcu, 0xf19e820au, 0x8ea3e88au},
        {0x17837e79u, 0x4ef1ac61u, 0x125fbff1u, 0x565196f9u, 0x670b592du},
        {0xffe60c2au, 0x3d7ef6c3u, 0xd323680fu, 0x6fe7c7f9u, 0xdbf9e841u},
        {0x8e3dc521u, 0x560c9fdfu, 0x983e48f1u, 0x44e48c91u, 0x0132be91u},
        {0xf9b4f907u, 0x7b8c5e4fu, 0xa0672defu, 0xb493ecb3u, 0x82f98165u},
        {0x8e993319u, 0x6d0cceddu, 0x0addbe0du, 0xc4197755u, 0x59bb8235u},
        {0x5bde2266u, 0xe860e77au, 0x92a979c7u, 0x917d86afu, 0xabed264bu},
    };
    const int sizes[] = {16, 24, 32, 48, 64};
    for (int picture = 0; picture < kQuickbarPictureCount; ++picture) {
        for (size_t s = 0; s < std::size(sizes); ++s) {
            const std::vector<std::uint32_t> pixels = DrawQuickbarPicture(picture, sizes[s]);
            ASSERT_EQ(pixels.size(), static_cast<size_t>(sizes[s] * sizes[s]));
            std::uint32_t hash = 0x811c9dc5u;
            for (std::uint32_t pixel : pixels) hash = (hash ^ pixel) * 0x01000193u;
            EXPECT_EQ(hash, kHashes[picture][s]) << "picture " << picture << " at " << sizes[s] << " px";
        }
    }
    EXPECT_TRUE(DrawQuickbarPicture(kQuickbarPictureCount, 16).empty());
}

}  // namespace
}  // namespace dwl
