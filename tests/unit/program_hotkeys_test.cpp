#include "program_fixture.h"

namespace dwl {
namespace {

using ProgramHotkeys = ProgramTest;

TEST_F(ProgramHotkeys, HotkeysAreUsedOnlyAsTheProgramWritesThem) {
    // A bare key, the no-repeat flag, a key no box takes, a half pair.
    SetHotkey("Shutdown", "0", "65");
    SetHotkey("Reboot", "16390", "82");
    SetHotkey("LogOff", "6", "1000");
    Stored(kHotkeys, "Reboot") = " Ctrl + Shift + R";
    std::vector<std::string> traced;
    program.trace = [&](const std::string& line) { traced.push_back(line); };
    ASSERT_TRUE(program.Main());
    EXPECT_EQ(Filtered("register"), (Journal{"register 3 7 80"}));
    EXPECT_EQ(traced.size(), 3u);
    EXPECT_EQ(program.Form().txtRebootKey.Text(), "");
    EXPECT_EQ(program.Form().mReboot.Caption(), "Reboot Computer\t()");
}

TEST_F(ProgramHotkeys, AHotkeyCapturedAndAppliedIsRegisteredStoredShownAndActsAfterTheCleanUp) {
    Start({});
    disk.tree[u"C:\\Temp\\"] = {{u"t.tmp", 0}};
    program.Form().chkCleanTemp.SetValue(1);
    HotkeyCapture& capture = *program.HotkeyCaptureModel();
    capture.GotFocus(HotkeyShutdown);
    capture.KeyUp(HotkeyShutdown, 'K', CtrlMask | AltMask);
    capture.LostFocus(HotkeyShutdown);
    journal.clear();
    program.Form().cmdApply.Click();
    EXPECT_EQ(journal,
              (Journal{"unregister 0", "unregister 1", "unregister 2", "unhook", "register 0 3 75", "hook", "focus"}));
    EXPECT_EQ(Stored(kHotkeys, "Shutdown"), " Ctrl +  Alt + K");
    EXPECT_EQ(Stored(kHotkeys, "RebootVK"), "");
    // Cancel drops a capture with its text, even while its box has the focus.
    capture.GotFocus(HotkeyReboot);
    capture.KeyUp(HotkeyReboot, 'R', 0);
    program.Form().cmdCancel.Click();
    capture.LostFocus(HotkeyReboot);
    EXPECT_EQ(capture.Values().rebootText + capture.Values().rebootVk, "");
    journal.clear();
    program.OnHotkey(0, (75 << 16) | 3);
    EXPECT_EQ(journal, (Journal{"delete C:\\Temp\\t.tmp", "clean-up done", "privilege", "ExitWindowsEx 5 4294967295"}));
    // "Do it now!" acts at once, without the countdown.
    journal.clear();
    program.Form().cmdAct.SetText("Hibernate");
    program.Form().cmdIA.Click();
    EXPECT_EQ(journal, (Journal{"privilege", "SetSuspendState 111"}));
}

TEST_F(ProgramHotkeys, AFocusedHotkeyBoxCapturesRegisteredCombinationsAndIsSettledByApplyAndOK) {
    SetHotkey("Shutdown", "6", "83");
    Stored(kHotkeys, "Shutdown") = " Ctrl + Shift + S";
    Start({});
    HotkeyCapture& capture = *program.HotkeyCaptureModel();
    const OptionsForm& form = program.Form();
    capture.GotFocus(HotkeyReboot);
    program.OnHotkey(HotkeyShutdown, (83 << 16) | 6);  // captured, not carried out
    EXPECT_EQ(Filtered("ExitWindowsEx"), Journal{});
    EXPECT_EQ(form.txtRebootKey.Text(), " Ctrl +  Shift + S");
    // Apply checks it as leaving the box would: the shutdown box holds it.
    program.Form().cmdApply.Click();
    EXPECT_EQ(form.txtRebootKey.Text() + std::to_string(Filtered("register").size()), "0");
    // Enter (OK) with a new capture in the box stores it and shows it in the tray menu.
    capture.KeyUp(HotkeyReboot, 'R', CtrlMask | AltMask);
    program.Form().cmdOK.Click();
    EXPECT_EQ(Stored(kHotkeys, "Reboot"), " Ctrl +  Alt + R");
    EXPECT_EQ(Filtered("register 1"), Journal{"register 1 3 82"});
    EXPECT_EQ(form.mReboot.Caption(), "Reboot Computer\t(Ctrl+Alt+R)");
}

}  // namespace
}  // namespace dwl
