#include "actions/applications.h"

#include <algorithm>
#include <utility>

#include "model/text.h"

namespace dwl {

std::string ShortNameOf(const std::string& path) {
    const std::string name = path.substr(path.find_last_of('\\') + 1);
    return name.substr(0, name.find('.'));
}

std::string CommandLineOf(const ApplicationRecord& record) {
    std::string line = "\"" + record.longName + "\"";
    if (!record.parameters.empty()) line += " " + record.parameters;
    return line;
}

const ApplicationRecord* FindApplication(const std::vector<ApplicationRecord>& list, const std::string& shortName) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const ApplicationRecord& r) { return r.shortName == shortName; });
    return found == list.end() ? nullptr : &*found;
}

bool RemoveApplicationRecords(std::vector<ApplicationRecord>& list, const std::string& actionField,
                              const std::vector<std::string>& remainingEntries) {
    const std::string name = ApplicationNameIn(actionField, kRunAppText);
    if (name.empty()) return false;
    for (const std::string& entry : remainingEntries)
        if (ApplicationNameIn(entry, kRunAppText) == name) return false;
    return std::erase_if(list, [&](const ApplicationRecord& r) { return r.shortName == name; }) > 0;
}

void CommitApplication(std::vector<ApplicationRecord>& list, ApplicationRecord record) {
    std::erase_if(list, [&](const ApplicationRecord& r) { return r.shortName == record.shortName; });
    list.push_back(std::move(record));
}

std::string CloseNameOf(const std::string& exeFile) {
    const std::string file = exeFile.substr(exeFile.find_last_of('\\') + 1);
    constexpr size_t kExe = 4;
    if (file.size() <= kExe || AsciiLowered(file.substr(file.size() - kExe)) != ".exe") return {};
    return file.substr(0, file.size() - kExe);
}

std::string NameProblem(const std::string& name) {
    const std::string quoted = "The name \"" + name + "\" cannot be used in a scenario: ";
    if (name.find(';') != std::string::npos) return quoted + "it holds a \";\".";
    if (name.empty() || TrimBlanks(name) != name) return quoted + "it starts or ends with a blank.";
    std::vector<const char*> actions{kRunAppText, kCloseAppText};
    for (const auto& action : kPowerActions) actions.push_back(action.text);
    for (const char* action : actions)
        if (AsciiLowered(name).rfind(AsciiLowered(action), 0) == 0)
            return quoted + "it begins with the action \"" + action + "\".";
    return {};
}

void ApplicationCloser::CloseApplicationByName(const std::string& exeName) {
    std::vector<std::pair<std::uint32_t, std::unique_ptr<IProcess>>> opened;
    for (const ProcessInfo& info : processes_.Snapshot()) {
        if (info.self || !info.ownSession || !ProcessMatches(info.exeFile, exeName)) continue;
        if (std::any_of(waiting_.begin(), waiting_.end(), [&](const Wait& w) { return w.id == info.id; })) continue;
        // Only the program listed: an id passed on meanwhile is left alone.
        if (auto process = processes_.Open(info.id); process && ProcessMatches(process->ImageName(), exeName))
            opened.emplace_back(info.id, std::move(process));
    }
    for (auto& [id, process] : opened) {
        if (!process->RequestClose()) {
            process->Terminate(0);  // no window to ask: nothing of the user's can wait in it
            continue;
        }
        waiting_.push_back({id, std::move(process), processes_.Milliseconds()});
    }
    if (!waiting_.empty()) processes_.StartTicks(kTickMs, [this] { Tick(); });
}

void ApplicationCloser::Tick() {
    const std::uint32_t now = processes_.Milliseconds();
    std::erase_if(waiting_, [&](Wait& wait) {
        if (wait.process->Exited() || wait.process->CloseAnswered()) return true;
        if (now - wait.since < kCloseWaitMs + kHungWaitMs) return false;
        // A window that asks its user goes on taking messages: only a hung one is ended.
        if (wait.process->Hung()) wait.process->Terminate(0);
        return true;
    });
    if (waiting_.empty()) processes_.StopTicks();
}

void ApplicationCloser::Release() {
    if (!waiting_.empty()) processes_.StopTicks();
    waiting_.clear();
}

bool ChooseApplicationToRun(const RunChoice& ui, const std::vector<ApplicationRecord>& list,
                            const std::vector<std::string>& otherEntries, std::optional<ApplicationRecord>& chosen,
                            std::string& SelectedApplication) {
    const std::string path = TrimBlanks(
        ui.dialogs.RunModal([&] { return ui.input.ShowOpenDialog(DialogOwner::Options, ui.initialFolder); }));
    if (path.empty()) return false;
    ApplicationRecord record{path, ShortNameOf(path), {}};
    if (const std::string problem = NameProblem(record.shortName); !problem.empty()) {
        ui.dialogs.ShowMessage(problem, ui.caption, MbOk | MbIconExclamation);
        return false;
    }
    const auto answer = ui.dialogs.RunModal([&] {
        return ui.input.InputBox("If application " + record.shortName + "\r\nuse parameters, you can type them below:",
                                 kRunAppText, DialogOwner::Options);
    });
    record.parameters = TrimBlanks(answer.value_or(""));
    // One name stands for one program: another scenario's keeps it.
    const ApplicationRecord* old = FindApplication(list, record.shortName);
    if (old && *old != record && std::any_of(otherEntries.begin(), otherEntries.end(), [&](const std::string& e) {
            return RunsApplication(e, record.shortName);
        })) {
        ui.dialogs.ShowMessage("Another scenario runs \"" + old->longName +
                                   (old->parameters.empty() ? "" : " " + old->parameters) + "\" as \"" +
                                   record.shortName +
                                   "\".\r\nScenarios tell programs apart by that name only, so this choice is not "
                                   "taken.",
                               ui.caption, MbOk | MbIconExclamation);
        return false;
    }
    SelectedApplication = record.shortName;
    chosen = std::move(record);
    return true;
}

bool OpenWithUsersRights(IShell& shell, const std::string& command, bool address) {
    if (shell.Elevation() == TokenElevation::Full) return shell.OpenUnelevated(command);
    if (address)
        shell.OpenAddress(command);
    else
        shell.OpenDocument(command);
    return true;
}

ApplicationRun RunScenarioApplication(const std::string& actionField, bool oneTime,
                                      std::vector<ApplicationRecord>& list,
                                      const std::vector<std::string>& otherEntries, IShell& shell,
                                      ApplicationCloser& closer, const std::function<void()>& listChanged) {
    if (const std::string name = ApplicationNameIn(actionField, kRunAppText); !name.empty()) {
        const ApplicationRecord* record = FindApplication(list, name);
        if (!record) return ApplicationRun::NoRecord;
        const std::string command = CommandLineOf(*record);
        if (oneTime && RemoveApplicationRecords(list, actionField, otherEntries) && listChanged) listChanged();
        if (!OpenWithUsersRights(shell, command)) return ApplicationRun::NotStartedElevated;
    } else if (const std::string closed = ApplicationNameIn(actionField, kCloseAppText); !closed.empty()) {
        closer.CloseApplicationByName(closed + ".exe");
    }
    return ApplicationRun::Done;
}

}  // namespace dwl
