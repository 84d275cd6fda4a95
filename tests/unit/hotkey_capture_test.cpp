#include <gtest/gtest.h>

#include "model/controls.h"
#include "ui/options/hotkey_capture.h"

namespace dwl {
namespace {

TEST(HotkeyCapture, TextsAndValuesAsAssembledOtherKeysIgnored) {
    // clang-format off
    struct Row { int key, shift; const char *text, *mod, *vk; };
    const Row rows[] = {
        {'S', 0,                     " Ctrl + Shift + S",  "6", "83"},
        {'S', CtrlMask | ShiftMask,  " Ctrl +  Shift + S", "6", "83"},
        {'K', CtrlMask | AltMask,    " Ctrl +  Alt + K",   "3", "75"},
        {'7', ShiftMask,             " Shift + 7",         "4", "55"},
        {45,  0,                     " Ctrl + Shift + -",  "6", "45"},  // Insert
        {116, CtrlMask,              " Ctrl + Shift + L",  "6", "76"},  // F5: the old combination stays
        {37,  0,                     " Ctrl + Shift + L",  "6", "76"},  // an arrow key
        {17,  CtrlMask,              " Ctrl + Shift + L",  "6", "76"},  // Ctrl itself
    };
    // clang-format on
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        TextBox shutdown{"txtShutdownKey"}, reboot{"txtRebootKey"}, logOff{"txtLogOffKey"};
        HotkeyCapture capture{shutdown, reboot, logOff};
        int changes = 0;
        capture.onChange = [&changes] { ++changes; };
        shutdown.SetText(" Ctrl + Shift + L");
        HotkeyValues stored;
        stored.shutdownMod = "6", stored.shutdownVk = "76";
        capture.Reset(stored);
        capture.GotFocus(HotkeyShutdown);
        capture.KeyUp(HotkeyShutdown, r.key, r.shift);
        capture.LostFocus(HotkeyShutdown);
        const HotkeyValues v = capture.Values();
        EXPECT_EQ(shutdown.Text(), r.text);
        EXPECT_EQ(v.shutdownText + "|" + v.shutdownMod + "|" + v.shutdownVk,
                  std::string(r.text) + "|" + r.mod + "|" + r.vk);
        EXPECT_EQ(changes, CheckKeyCode(r.key) ? 1 : 0);
    }
}

}  // namespace
}  // namespace dwl
