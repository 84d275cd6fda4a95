#include "actions/applications.h"

#include <algorithm>
#include <cctype>

#include "model/text.h"

namespace dwl {
namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

std::string UpToDot(const std::string& text) { return text.substr(0, text.find('.')); }

}  // namespace

std::string PathPart(const std::string& path, int mode) {
    const size_t slash = path.find_last_of('\\');
    const std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    switch (mode) {
    case 1: {
        const size_t first = name.find('.');
        if (first == std::string::npos) return name;
        const size_t second = name.find('.', first + 1);
        return name.substr(0, second);
    }
    case 2: return UpToDot(name);
    case 5: return UpToDot(path);
    default: return path;
    }
}

std::string CommandLineOf(const ApplicationRecord& record) {
    std::string line = "\"" + record.longName + "\"";
    if (!record.parameters.empty()) line += " " + record.parameters;
    return line;
}

std::string ApplicationNameIn(const std::string& entry, const std::string& action) {
    if (entry.find(action + " ") == std::string::npos) return {};
    return TrimBlanks(TextBetween(entry, action + " ", ";"));
}

const ApplicationRecord* FindApplication(const std::vector<ApplicationRecord>& list, const std::string& shortName) {
    const auto found =
        std::find_if(list.begin(), list.end(), [&](const ApplicationRecord& r) { return r.shortName == shortName; });
    return found == list.end() ? nullptr : &*found;
}

bool RemoveApplicationRecords(std::vector<ApplicationRecord>& list, const std::string& strAction,
                              const std::vector<std::string>& remainingEntries) {
    const std::string name = ApplicationNameIn(strAction, kRunAppText);
    if (name.empty()) return false;
    for (const std::string& entry : remainingEntries)
        if (ApplicationNameIn(entry, kRunAppText) == name) return false;
    return std::erase_if(list, [&](const ApplicationRecord& r) { return r.shortName == name; }) > 0;
}

bool ProcessMatches(const std::string& exeFile, const std::string& exeName) {
    const std::string file = Lower(exeFile);
    const std::string name = Lower(exeName);
    if (name.empty()) return false;
    if (file == name) return true;
    return file.size() > name.size() && file.compare(file.size() - name.size(), name.size(), name) == 0 &&
           file[file.size() - name.size() - 1] == '\\';
}

bool CloseApplicationByName(IProcesses& processes, const std::string& exeName) {
    bool result = false;
    for (const ProcessInfo& process : processes.Snapshot()) {
        if (!ProcessMatches(process.exeFile, exeName)) continue;
        result = processes.CloseMainWindow(process.id) || processes.TerminateProcessById(process.id, 0);
    }
    return result;
}

bool ChooseApplicationToRun(IInputDialogs& input, IDialogs& dialogs, const std::string& initialFolder,
                            std::vector<ApplicationRecord>& list, std::string& SelectedApplication) {
    const std::string path =
        TrimBlanks(dialogs.RunModal([&] { return input.ShowOpenDialog(DialogOwner::Options, initialFolder); }));
    if (path.empty()) return false;
    ApplicationRecord record{path, PathPart(path, 2), {}};
    SelectedApplication = record.shortName;
    const auto answer = dialogs.RunModal([&] {
        return input.InputBox("If application " + record.shortName + "\r\nuse parameters, you can type them below:",
                              kRunAppText, DialogOwner::Options);
    });
    record.parameters = TrimBlanks(answer.value_or(""));
    list.push_back(std::move(record));
    return true;
}

}  // namespace dwl
