#pragma once
// Starting and closing the applications of "Run Application" and
// "Close Application" scenarios, and the application list they use.
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/input_dialogs.h"
#include "platform/processes.h"
#include "schedule/scenario_file.h"

namespace dwl {

// Parts of a path: 1 the file name as name.extension (the text before its
// first "." and the text between its first and second "."), 2 the file name
// up to its first ".", 5 the whole text up to its first ".".
std::string PathPart(const std::string& path, int mode);

// The command line that starts a record: the long name in quotes (a path with
// blanks must not be read as a shorter program), then its parameters.
std::string CommandLineOf(const ApplicationRecord& record);

// The application name a scenario entry gives after `action` + " " (e.g.
// "Run Application "), without surrounding blanks; empty when it has none.
std::string ApplicationNameIn(const std::string& entry, const std::string& action);

// The first record of that short name (exact case), or nullptr.
const ApplicationRecord* FindApplication(const std::vector<ApplicationRecord>& list, const std::string& shortName);

// Drops the records of the application that `strAction` runs, unless one of
// `remainingEntries` still runs it. True when the list changed.
bool RemoveApplicationRecords(std::vector<ApplicationRecord>& list, const std::string& strAction,
                              const std::vector<std::string>& remainingEntries);

// Whether a process's executable is `exeName` ("notepad.exe"): the same name
// without regard to case, or a full path ending in "\" and that name.
bool ProcessMatches(const std::string& exeFile, const std::string& exeName);

// Closes every process of `exeName`: politely first, terminated when its
// window does not take the request. The result of the last one (false when none ran).
bool CloseApplicationByName(IProcesses& processes, const std::string& exeName);

// The file dialog and the parameters prompt for a new "Run Application"
// scenario; appends the record and sets `SelectedApplication`. False when
// the user cancelled the file dialog.
bool ChooseApplicationToRun(IInputDialogs& input, IDialogs& dialogs, const std::string& initialFolder,
                            std::vector<ApplicationRecord>& list, std::string& SelectedApplication);

}  // namespace dwl
