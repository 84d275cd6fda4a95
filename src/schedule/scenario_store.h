#pragma once
// The scenario file: read at start-up, written whenever the
// active list changes. A file that cannot be read is never overwritten, and a
// failed save is told once a run.
#include <string>
#include <vector>

#include "schedule/scenario_book.h"
#include "schedule/scenario_file.h"

namespace dwl {

class IDialogs;
class IFileSystem;

class ScenarioStore {
public:
    // How a failed save is told: at once, after the running scheduler tick, or not at all.
    enum class SaveFailure { Tell, AfterTick, Silent };

    // `title` is the caption of its messages.
    ScenarioStore(IFileSystem& files, IDialogs& dialogs, std::string title)
        : files_(files), dialogs_(dialogs), title_(std::move(title)) {}

    // Reads the scenario file at `place` into the book: its entries active,
    // with their application records. A missing file is carried over from
    // where an older version kept it (that file stays as it is); a damaged
    // one is set aside as ".bad", ".bad2", ...
    void Restore(const ScenarioFilePlace& place, ScenarioBook& book);
    // Writes the active scenarios and the records they name.
    void Save(const std::vector<std::string>& active, const std::vector<ApplicationRecord>& applications,
              SaveFailure report);
    // Tells a failure that waited for the end of a scheduler tick.
    void TellPendingFailure();
    const std::string& Path() const { return path_; }

private:
    // `source` stays as it is for the rest of the run, and the user is told.
    void BlockSaving(const std::string& source);
    // Writes the scenario file, making its folder first.
    bool WriteFile(const std::string& bytes);
    void TellSaveFailure();
    // A path for a message, in the code page's text.
    std::string Shown(const std::string& path) const;

    IFileSystem& files_;
    IDialogs& dialogs_;
    std::string title_;
    std::string path_;
    bool saveBlocked_ = false;  // the file on disk could not be read or set aside: never overwrite it
    bool saveFailureShown_ = false;
    bool saveFailurePending_ = false;
};

}  // namespace dwl
