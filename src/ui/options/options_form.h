#pragma once
#include <string>

#include "ui/model/controls.h"

namespace dwl {

// The options window's model: the controls that hold the settings, the
// scenario lists and the change flags. The Win32 view mirrors it.
class OptionsForm {
public:
    OptionsForm();

    // The window's own caption.
    Label frmOptions{"frmOptions"};

    // Scenarios page
    ListControl cmdScen{"cmdScen"};
    ListControl lstScen{"lstScen", "Active scenarios:"};
    ListControl cmdAction{"cmdAction"};
    ListControl cmdDuration{"cmdDuration"};
    CheckBox chkPower{"chkPower", "Power Off computer after shutdown"};
    TextBox txtTime{"txtTime"};
    Button cmdPlus{"cmdPlus", "+"};
    Button cmdMin{"cmdMin", "-"};
    ListControl lstTime{"lstTime"};
    // General page
    ListControl cmdAct{"cmdAct"};
    CheckBox chkPassword{"chkPassword", "Lock configuration with a password"};
    CheckBox chkStartup{"chkStartup", "Enable an application on Windows startup"};
    CheckBox chkTray{"chkTray", "Enable system tray icon"};
    // Hotkeys page
    Label txtShutdownKey{"txtShutdownKey", "Ctrl + Shift + S"};
    Label txtRebootKey{"txtRebootKey", "Ctrl + Shift + R"};
    Label txtLogOffKey{"txtLogOffKey", "Ctrl + Shift + L"};
    // Clean Up page
    CheckBox chkCleanTemp{"chkCleanTemp", "Clean Up the Temporary  files"};
    CheckBox chkCleanNetCashe{"chkCleanNetCashe", "Clean Up the Temporary Internet Files folder"};
    CheckBox chkCleanRecycleBin{"chkCleanRecycleBin", "Clean Up my Recycle Bin"};

    Button cmdApply{"cmdApply", "&Apply"};

    bool ScenariosChanged = false;
    bool HotkeysChanged = false;
    bool OptionsChanged = false;
    bool QuickbarChanged = false;

    // Drops the pending changes: Apply off, change flags clear. The controls keep their state.
    void ClearPendingChanges();

private:
    void MarkOptionsChanged();
};

} // namespace dwl
