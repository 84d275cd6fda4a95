#include "ui/options/options_form.h"

namespace dwl {

OptionsForm::OptionsForm() {
    for (const char* item : {"Onetime", "Daily", "Weekly"}) cmdDuration.AddItem(item);
    for (CheckBox* box : {&chkPower, &chkPassword, &chkStartup, &chkTray, &chkCleanTemp,
                          &chkCleanNetCashe, &chkCleanRecycleBin})
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
