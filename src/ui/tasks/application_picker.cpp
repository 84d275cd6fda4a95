#include "ui/tasks/application_picker.h"

#include <algorithm>

#include "actions/applications.h"
#include "model/text.h"

namespace dwl {
namespace {

constexpr const char* kSelectFirst = "Select process first or press <Browse...> button,\r\nto find an application.";
constexpr const char* kNotRunning =
    "Selected application not running yet,\r\ndo you want to assign this application anyway?";
constexpr const char* kNotAProgram = "Only a program whose file name ends in \".exe\" can be closed by a scenario.";

}  // namespace

TwipsRect TasksLayout::List(int width, int height) {
    // The buttons take their full height below the list, so that they stay
    // whole inside the window at every size.
    return {0, 0, width, std::max(0, height - buttonHeight)};
}

TasksLayout::Buttons TasksLayout::ButtonsUnder(const TwipsRect& list) {
    const int top = list.top + list.height;
    const TwipsRect cancel{list.width - buttonWidth, top, buttonWidth, buttonHeight};
    return {{0, top, buttonWidth, buttonHeight},
            {cancel.left - buttonWidth - setGap, top, buttonWidth, buttonHeight},
            cancel};
}

ApplicationPicker::ApplicationPicker(ITasksWindow& window, IProcesses& processes, IDialogs& dialogs,
                                     std::function<std::string()> showOpenDialog)
    : window_(window), processes_(processes), dialogs_(dialogs), showOpenDialog_(std::move(showOpenDialog)) {
    cmdSet.onClick = [this] { cmdSet_Click(); };
    cmdCancel.onClick = [this] { cmdCancel_Click(); };
    cmdBrowse.onClick = [this] { cmdBrowse_Click(); };
}

std::string ApplicationPicker::ShowApplicationPicker() {
    SelectedApplication.clear();
    FillTaskList();
    dialogs_.RunModal([this] { window_.ShowModal(); });
    return SelectedApplication;
}

void ApplicationPicker::FillTaskList() {
    lstTasks.Clear();
    // What a Close scenario could close: never this program, nothing of another session.
    for (const ProcessInfo& process : processes_.Snapshot()) {
        if (process.self || !process.ownSession) continue;
        lstTasks.AddItem(AsciiLowered(process.exeFile));
    }
}

bool ApplicationPicker::Take(const std::string& exeFile) {
    const std::string name = CloseNameOf(exeFile);
    const std::string problem = name.empty() ? kNotAProgram : NameProblem(name);
    SelectedApplication = problem.empty() ? name : std::string();
    if (!problem.empty()) dialogs_.ShowMessage(problem, appTitle, MbOk | MbIconExclamation, DialogOwner::Tasks);
    return problem.empty();
}

void ApplicationPicker::cmdSet_Click() {
    if (lstTasks.ListIndex() < 0) {
        dialogs_.ShowMessage(kSelectFirst, appTitle, MbOk, DialogOwner::Tasks);
        return;
    }
    if (Take(lstTasks.Text())) window_.Unload();
}

void ApplicationPicker::cmdCancel_Click() {
    SelectedApplication.clear();
    window_.Unload();
}

void ApplicationPicker::cmdBrowse_Click() {
    const std::string path = TrimBlanks(showOpenDialog_ ? showOpenDialog_() : std::string());
    if (path.empty()) return;
    // The whole file name: "python3.11.exe" is not "python3.exe".
    const std::string file = path.substr(path.find_last_of('\\') + 1);
    lstTasks.SetListIndex(-1);
    if (lstTasks.SetText(file)) {
        Take(file);  // Set or a double click completes the choice
        return;
    }
    if (dialogs_.ShowMessage(kNotRunning, appTitle, MbYesNo | MbIconQuestion, DialogOwner::Tasks) == IdYes) {
        if (Take(file)) window_.Unload();
    } else {
        SelectedApplication.clear();
    }
}

}  // namespace dwl
