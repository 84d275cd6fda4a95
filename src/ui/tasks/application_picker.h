#pragma once
// frmTasks, "Windows Tasks": picks the executable of a "Close Application"
// scenario from the running processes, or from a file.
#include <functional>
#include <string>

#include "model/controls.h"
#include "model/twips.h"
#include "platform/dialogs.h"
#include "platform/processes.h"

namespace dwl {

// Layout of the picker, in twips.
struct TasksLayout {
    static constexpr int clientWidth = 5160;
    static constexpr int clientHeight = 6645;
    static constexpr int buttonWidth = 1455;
    static constexpr int buttonHeight = 375;
    static constexpr int minOuterWidth = 4695;
    static constexpr int minOuterHeight = 1560;
    static constexpr int setGap = 100;  // between Set and Cancel

    // The list fills the client area above a row of buttons.
    static TwipsRect List(int clientWidth, int clientHeight);
    // Browse, Set and Cancel on the bottom edge of the list as it placed itself.
    struct Buttons {
        TwipsRect browse, set, cancel;
    };
    static Buttons ButtonsUnder(const TwipsRect& list);
};

// The window side of the picker.
class ITasksWindow {
public:
    virtual ~ITasksWindow() = default;
    // Shows the window modally over the options window; returns once Unload
    // was called or the user closed it.
    virtual void ShowModal() = 0;
    virtual void Unload() = 0;
};

class ApplicationPicker {
public:
    // `showOpenDialog` is the file dialog over the picker: a path, or empty.
    ApplicationPicker(ITasksWindow& window, IProcesses& processes, IDialogs& dialogs,
                      std::function<std::string()> showOpenDialog);
    ApplicationPicker(const ApplicationPicker&) = delete;
    ApplicationPicker& operator=(const ApplicationPicker&) = delete;

    Label frmTasks{"frmTasks", "Windows Tasks"};
    ListControl lstTasks{"lstTasks"};
    Button cmdBrowse{"cmdBrowse", "&Browse ..."};
    Button cmdSet{"cmdSet", "&Set"};
    Button cmdCancel{"cmdCancel", "&Cancel"};

    // The caption of the picker's message boxes.
    std::string appTitle;
    // The short name of the chosen executable ("notepad"), empty when none.
    std::string SelectedApplication;

    // Shows the picker afresh and gives its choice.
    std::string ShowApplicationPicker();
    void FillTaskList();

    void cmdSet_Click();
    void lstTasks_DblClick() { cmdSet_Click(); }
    void cmdCancel_Click();
    void cmdBrowse_Click();

private:
    // Takes the executable as the choice: its name without ".exe". False,
    // told and nothing chosen, when a scenario entry cannot hold it whole.
    bool Take(const std::string& exeFile);

    ITasksWindow& window_;
    IProcesses& processes_;
    IDialogs& dialogs_;
    std::function<std::string()> showOpenDialog_;
};

}  // namespace dwl
