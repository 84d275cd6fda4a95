#include "schedule/scenario_file.h"

#include <algorithm>
#include <charconv>

#include "model/text.h"
#include "platform/files.h"
#include "schedule/scenario_entry.h"

namespace dwl {

bool RunsApplication(const std::string& entry, const std::string& shortName) {
    const std::string name = ApplicationNameIn(entry, kRunAppText);
    return !name.empty() && name == shortName;
}

std::vector<ApplicationRecord> NamedRecords(const std::vector<ApplicationRecord>& list,
                                            const std::vector<std::string>& entries) {
    std::vector<ApplicationRecord> named;
    for (const ApplicationRecord& record : list)
        if (std::any_of(entries.begin(), entries.end(),
                        [&](const std::string& e) { return RunsApplication(e, record.shortName); }))
            named.push_back(record);
    return named;
}

namespace {

constexpr const char* kFormatLine = "Duskwell scenarios 1";
constexpr const char* kEndLine = "end";

// Fields are separated by tabs; a backslash escapes tab, line breaks and itself.
std::string Escape(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (char c : field) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
    return out;
}

std::optional<std::string> Unescape(const std::string& field) {
    std::string out;
    out.reserve(field.size());
    for (size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            out += field[i];
            continue;
        }
        if (++i == field.size()) return std::nullopt;
        switch (field[i]) {
        case '\\': out += '\\'; break;
        case 't': out += '\t'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        default: return std::nullopt;
        }
    }
    return out;
}

std::vector<std::string> SplitTabs(const std::string& line) {
    std::vector<std::string> fields;
    size_t begin = 0;
    for (;;) {
        const size_t tab = line.find('\t', begin);
        fields.push_back(line.substr(begin, tab == std::string::npos ? std::string::npos : tab - begin));
        if (tab == std::string::npos) return fields;
        begin = tab + 1;
    }
}

void AddLine(std::string& out, std::initializer_list<std::string> fields) {
    bool first = true;
    for (const auto& f : fields) {
        if (!first) out += '\t';
        out += f;
        first = false;
    }
    out += "\r\n";
}

}  // namespace

std::string FormatScenarioFile(const ScenarioFileData& data) {
    std::string out;
    AddLine(out, {kFormatLine});
    for (const auto& entry : data.scenarios) AddLine(out, {"scenario", Escape(entry)});
    for (const auto& app : data.applications)
        AddLine(out, {"application", Escape(app.longName), Escape(app.shortName), Escape(app.parameters)});
    AddLine(out, {kEndLine, std::to_string(data.scenarios.size() + data.applications.size())});
    return out;
}

std::optional<ScenarioFileData> ParseScenarioFile(const std::string& text) {
    std::vector<std::string> lines;
    size_t begin = 0;
    while (begin < text.size()) {
        const size_t nl = text.find('\n', begin);
        if (nl == std::string::npos) return std::nullopt;  // cut off inside a line
        std::string line = text.substr(begin, nl - begin);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(std::move(line));
        begin = nl + 1;
    }
    if (lines.empty() || lines.front() != kFormatLine) return std::nullopt;

    ScenarioFileData data;
    for (size_t i = 1; i < lines.size(); ++i) {
        const auto fields = SplitTabs(lines[i]);
        const std::string& kind = fields[0];
        if (kind == kEndLine) {
            if (fields.size() != 2 || i + 1 != lines.size()) return std::nullopt;
            size_t expected = 0;
            const auto& n = fields[1];
            const auto [ptr, ec] = std::from_chars(n.data(), n.data() + n.size(), expected);
            if (ec != std::errc() || ptr != n.data() + n.size() || expected != i - 1) return std::nullopt;
            return data;
        }
        if (kind == "scenario" && fields.size() >= 2) {
            auto entry = Unescape(fields[1]);
            if (!entry) return std::nullopt;
            data.scenarios.push_back(std::move(*entry));
        } else if (kind == "application" && fields.size() >= 4) {
            auto longName = Unescape(fields[1]);
            auto shortName = Unescape(fields[2]);
            auto parameters = Unescape(fields[3]);
            if (!longName || !shortName || !parameters) return std::nullopt;
            data.applications.push_back({std::move(*longName), std::move(*shortName), std::move(*parameters)});
        }
        // Lines of kinds this version does not know are skipped.
    }
    return std::nullopt;  // no end line: the file was cut off
}

}  // namespace dwl

namespace dwl {

ScenarioFilePlace LocateScenarioFile(IFileSystem& files, bool wasVirtualised) {
    const std::string programFolder = files.ExeFolder();
    const std::string beside = programFolder + "\\dwl.scn";
    const std::string roaming = files.UserFolderPath(UserFolder::Roaming);
    if (files.Exists(programFolder + "\\dwl.portable") || roaming.empty()) return {beside, {}};
    ScenarioFilePlace place{roaming + "\\Duskwell\\dwl.scn", {}};
    // Windows virtualised only folders on a local drive: "C:\Program Files\Duskwell"
    // became "<local>\VirtualStore\Program Files\Duskwell".
    const std::string local = files.UserFolderPath(UserFolder::Local);
    if (wasVirtualised && !local.empty() && programFolder.size() > 3 && programFolder.compare(1, 2, ":\\") == 0)
        place.earlier.push_back(local + "\\VirtualStore\\" + programFolder.substr(3) + "\\dwl.scn");
    place.earlier.push_back(beside);
    return place;
}

}  // namespace dwl
