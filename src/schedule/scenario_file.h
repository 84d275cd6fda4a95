#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/application_record.h"

namespace dwl {

class IFileSystem;


// Whether a "Run Application" entry names that short name.
bool RunsApplication(const std::string& entry, const std::string& shortName);

// The records the scenario file keeps: those a "Run Application" entry of `entries` names.
std::vector<ApplicationRecord> NamedRecords(const std::vector<ApplicationRecord>& list,
                                            const std::vector<std::string>& entries);

// What the scenario file keeps across runs.
struct ScenarioFileData {
    std::vector<std::string> scenarios;           // active entries, in list order
    std::vector<ApplicationRecord> applications;  // the application list
    bool operator==(const ScenarioFileData&) const = default;
};

// The file's text: a format line, one line per record, and an end line that
// tells a complete file from a cut-off one. Bytes above 127 are kept as they are.
std::string FormatScenarioFile(const ScenarioFileData& data);

// Nothing when the text is not a complete scenario file.
std::optional<ScenarioFileData> ParseScenarioFile(const std::string& text);

// Where the scenario file lives: "<user's roaming folder>\Duskwell\dwl.scn",
// whoever runs the program, elevated or not. In portable use, with a file
// "dwl.portable" beside the program, and on a system without a user folder,
// it is "dwl.scn" beside the program.
struct ScenarioFilePlace {
    std::string path;
    // The files that older versions kept in the file's place, in the order in
    // which a missing file is carried over from them: the copy that Windows
    // made under "<local folder>\VirtualStore" for a program it virtualised
    // (which the program saw in place of the other), then the one beside the
    // program.
    std::vector<std::string> earlier;
};
ScenarioFilePlace LocateScenarioFile(IFileSystem& files, bool wasVirtualised);

}  // namespace dwl
