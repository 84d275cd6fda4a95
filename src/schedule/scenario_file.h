#pragma once
#include <optional>
#include <string>
#include <vector>

namespace dwl {

// One program that a "Run Application" scenario starts.
struct ApplicationRecord {
    std::string longName;   // full path
    std::string shortName;  // file name up to its first "."
    std::string parameters;
    bool operator==(const ApplicationRecord&) const = default;
};

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

}  // namespace dwl
