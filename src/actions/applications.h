#pragma once
// Starting and closing the applications of "Run Application" and
// "Close Application" scenarios, and the application list they use.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/dialogs.h"
#include "platform/input_dialogs.h"
#include "platform/processes.h"
#include "platform/shell.h"
#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"

namespace dwl {

// The short name of a program: its file name up to the first ".".
std::string ShortNameOf(const std::string& path);

// The command line that starts a record: the long name in quotes (a path with
// blanks must not be read as a shorter program), then its parameters.
std::string CommandLineOf(const ApplicationRecord& record);

// The first record of that short name (exact case), or nullptr.
const ApplicationRecord* FindApplication(const std::vector<ApplicationRecord>& list, const std::string& shortName);

// The newest choice of a program replaces the records of its short name.
void CommitApplication(std::vector<ApplicationRecord>& list, ApplicationRecord record);

// The name a "Close Application" entry keeps for an executable: its whole
// file name without ".exe" (the close adds it again); empty for a file of
// another kind.
std::string CloseNameOf(const std::string& exeFile);

// Why an application name cannot stand in a scenario entry, which would not
// give it back whole (a ";", blanks around it, an action's text at its
// start); empty when it can.
std::string NameProblem(const std::string& name);

// Drops the records of the application that `actionField` runs, unless one of
// `remainingEntries` still runs it. True when the list changed.
bool RemoveApplicationRecords(std::vector<ApplicationRecord>& list, const std::string& actionField,
                              const std::vector<std::string>& remainingEntries);


// Closes applications without stopping the program: each matching process
// is asked to close, and the waits for it run on ticks between the messages.
// A process that takes the request, or one that asks its user (a "save
// changes?" box) and so goes on taking messages, stays running; one is
// terminated only when it has no window to ask, or when its window is still
// reported hung kHungWaitMs after the close timed out.
class ApplicationCloser {
public:
    static constexpr std::uint32_t kCloseWaitMs = 5000;
    static constexpr std::uint32_t kHungWaitMs = 5000;
    static constexpr unsigned kTickMs = 250;

    explicit ApplicationCloser(IProcesses& processes) : processes_(processes) {}
    ApplicationCloser(const ApplicationCloser&) = delete;
    ApplicationCloser& operator=(const ApplicationCloser&) = delete;
    // The processes still waited for are let go, running.
    ~ApplicationCloser() { Release(); }

    // Every process of `exeName` in the user's session, this program never,
    // opened at once from one snapshot and closed only when the opened
    // process's image still has that name; returns without waiting.
    void CloseApplicationByName(const std::string& exeName);
    // One step of the waits.
    void Tick();
    void Release();

private:
    struct Wait {
        std::uint32_t id;
        std::unique_ptr<IProcess> process;
        std::uint32_t since;
    };
    IProcesses& processes_;
    std::vector<Wait> waiting_;
};

// The file dialog and the parameters prompt for a "Run Application"
// scenario. The choice goes to `chosen` (the list takes it when its scenario
// is applied) and its short name to SelectedApplication. False, with nothing
// changed, when the user cancelled the file dialog, or the choice is refused
// and told: a name an entry cannot hold, or one that `otherEntries` run with
// another program or other parameters.
struct RunChoice {
    IInputDialogs& input;
    IDialogs& dialogs;
    std::string initialFolder;
    std::string caption;  // of the refusals
};
bool ChooseApplicationToRun(const RunChoice& ui, const std::vector<ApplicationRecord>& list,
                            const std::vector<std::string>& otherEntries, std::optional<ApplicationRecord>& chosen,
                            std::string& SelectedApplication);

// Opens `command` (a program or a document, or with `address` a web address)
// with the user's own rights: run as an administrator, this program has the
// desktop open it, and when the desktop cannot, nothing is opened (false).
// Any program of the user can change what would be started, so it is never
// started elevated.
bool OpenWithUsersRights(IShell& shell, const std::string& command, bool address = false);

// What a due "Run Application" or "Close Application" scenario does, read by
// the entries' own rule (the action at the start decides): starts the program
// of the record its action field names, or closes the processes of that name.
// A one-time run's record leaves `list` unless another of `otherEntries` names
// it; `listChanged` is then called, before the program starts, with the
// user's own rights (OpenWithUsersRights). A run whose record is missing
// starts nothing.
enum class ApplicationRun { Done, NoRecord, NotStartedElevated };
ApplicationRun RunScenarioApplication(const std::string& actionField, bool oneTime,
                                      std::vector<ApplicationRecord>& list,
                                      const std::vector<std::string>& otherEntries, IShell& shell,
                                      ApplicationCloser& closer, const std::function<void()>& listChanged);

}  // namespace dwl
