#include "schedule/scenario_store.h"

#include <utility>

#include "platform/dialogs.h"
#include "platform/files.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

constexpr int kMaxSetAsideNames = 10;

}  // namespace

void ScenarioStore::Restore(const ScenarioFilePlace& place, ScenarioBook& book) {
    path_ = place.path;
    std::string source = path_;
    FileContent content = files_.ReadFile(source);
    for (size_t i = 0; content.status == ReadStatus::Missing && i < place.earlier.size(); ++i)
        content = files_.ReadFile(source = place.earlier[i]);
    if (content.status == ReadStatus::Missing) return;
    if (content.status == ReadStatus::Ok) {
        if (auto data = ParseScenarioFile(content.bytes)) {
            book.Load(data->scenarios, std::move(data->applications));
            if (source != path_) WriteFile(content.bytes);
            return;
        }
        // Damaged: kept under another name beside it, so that no save
        // destroys what it may still hold.
        for (int n = 1; n <= kMaxSetAsideNames; ++n) {
            const std::string aside = source + ".bad" + (n == 1 ? std::string() : std::to_string(n));
            if (files_.Exists(aside)) continue;
            if (files_.Rename(source, aside)) {
                dialogs_.ShowMessage("The scenario file could not be read and has been kept as " + Shown(aside) + ".",
                                     title_, MbOk | MbIconExclamation);
                return;
            }
            break;
        }
        if (source != path_) {
            // Saves go to another file: this one is never overwritten.
            dialogs_.ShowMessage("The scenario file " + Shown(source) + " could not be read and has been left there.",
                                 title_, MbOk | MbIconExclamation);
            return;
        }
    }
    // There, but it cannot be read now (another program may hold it), or
    // damaged and it cannot be set aside: it is left as it is and neither
    // overwritten nor replaced during this run.
    BlockSaving(source);
}

void ScenarioStore::BlockSaving(const std::string& source) {
    saveBlocked_ = true;
    dialogs_.ShowMessage("The scenario file " + Shown(source) +
                             " could not be read. Scenario changes will not be saved in this session.",
                         title_, MbOk | MbIconExclamation);
}

bool ScenarioStore::WriteFile(const std::string& bytes) {
    const size_t slash = path_.find_last_of('\\');
    if (slash != std::string::npos) files_.CreateFolder(path_.substr(0, slash));
    return files_.WriteFileAtomic(path_, bytes);
}

void ScenarioStore::Save(const std::vector<std::string>& active, const std::vector<ApplicationRecord>& applications,
                         SaveFailure report) {
    if (saveBlocked_ || path_.empty()) return;
    // A record no scenario names (an abandoned choice, a run scenario deleted) is not kept.
    ScenarioFileData data{active, NamedRecords(applications, active)};
    if (WriteFile(FormatScenarioFile(data))) return;
    // Said once a run: the scenarios then live only until the program ends.
    if (report == SaveFailure::Silent || saveFailureShown_) return;
    saveFailureShown_ = true;
    if (report == SaveFailure::AfterTick)
        saveFailurePending_ = true;
    else
        TellSaveFailure();
}

void ScenarioStore::TellPendingFailure() {
    if (saveFailurePending_) TellSaveFailure();
}

std::string ScenarioStore::Shown(const std::string& path) const {
    if (std::string ansi = files_.AnsiPath(path); !ansi.empty()) return ansi;
    // A character the code page lacks is shown as "?", not as its UTF-8 bytes.
    std::string shown;
    for (const char c : path) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80)
            shown += c;
        else if (byte >= 0xC0)  // the first byte of a character; the others are dropped
            shown += '?';
    }
    return shown;
}

void ScenarioStore::TellSaveFailure() {
    saveFailurePending_ = false;
    dialogs_.ShowMessage("The scenarios could not be saved to " + Shown(path_) + ".", title_, MbOk | MbIconExclamation);
}

}  // namespace dwl
