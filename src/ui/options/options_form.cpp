#include "ui/options/options_form.h"

namespace dwl {

OptionsForm::OptionsForm() {
    for (const char* tab : {"General", "Scenarios", "Hotkeys", "Clean Up", "Quickbar", "About"})
        tbsOptions.AddItem(tab);
    tbsOptions.SetListIndex(kPageGeneral);
    for (const char* item : {"Onetime", "Daily", "Weekly"}) cmdDuration.AddItem(item);
    for (const char* day : {"  Sun", "  Mon", "  Tue", "  Wed", "  Thu", "  Fri", "  Sat"}) lstDays.AddItem(day);
    lstDays.SetVisible(false);
    cmdFind.SetVisible(false);
    lstTime.SetVisible(false);
    txtShutdownKey.SetText("Ctrl + Shift + S");
    txtRebootKey.SetText("Ctrl + Shift + R");
    txtLogOffKey.SetText("Ctrl + Shift + L");

    // The Quickbar page before its settings are loaded: every box checked,
    // large buttons in a row.
    optQBLarge.Group({&optQBSmall});
    optQBSmall.Group({&optQBLarge});
    optQBHorizontal.Group({&optQBVertical});
    optQBVertical.Group({&optQBHorizontal});
    for (CheckBox* box : {&chkQBar, &chkQBAOT2, &chkQBConfirm, &chkQBShutdown, &chkQBRestart, &chkQBLogoff,
                          &chkQBSuspend, &chkQBHibernate, &chkQBLock, &chkQBConfig, &chkQBAOT})
        box->SetValue(1);
    optQBLarge.SetValue(true);
    optQBHorizontal.SetValue(true);

    for (CheckBox* box : {&chkStartup, &chkTray, &chkPower, &chkCleanTemp, &chkCleanNetCashe, &chkCleanRecycleBin})
        box->onChange = [this] { MarkOptionsChanged(); };
}

void OptionsForm::MarkOptionsChanged() {
    OptionsChanged = true;
    cmdApply.SetEnabled(true);
}

void OptionsForm::ClearPendingChanges() {
    cmdApply.SetEnabled(false);
    ScenariosChanged = false;
    HotkeysChanged = false;
    OptionsChanged = false;
}

} // namespace dwl
