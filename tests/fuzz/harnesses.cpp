// The fuzz targets: each runs one input and gives the first property it
// breaks, or the empty text. Built with DWL_FUZZ_TARGET (an index into
// kTargets) this is a libFuzzer program (scripts/fuzz); in the unit tests it
// replays the saved corpus, tests/fuzz/corpus/<target>/.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/command_line.h"
#include "model/power_action.h"
#include "model/text.h"
#include "schedule/scenario_entry.h"
#include "schedule/scenario_file.h"

namespace dwl {
namespace {

// The scenario file: read, write, read again gives the same.
std::string ScenarioFile(const std::string& text) {
    if (const auto read = ParseScenarioFile(text); read && ParseScenarioFile(FormatScenarioFile(*read)) != read)
        return "a file read does not read back equal";
    // The input's lines as entries, every third with the two before it an application.
    ScenarioFileData made;
    const auto lines = Split(text, "\n");
    for (size_t i = 0; i < lines.size(); ++i) {
        made.scenarios.push_back(lines[i]);
        if (i % 3 == 2) made.applications.push_back({lines[i], lines[i - 1], lines[i - 2]});
    }
    if (ParseScenarioFile(FormatScenarioFile(made)) != made) return "a file written does not read back equal";
    return {};
}

// One entry: written in either time form it reads back the same, and the
// applications read the name it holds.
std::string Entry(const std::string& text) {
    const auto entry = ParseScenarioEntry(text);
    if (!entry) return {};
    for (bool use12Hour : {false, true})
        if (ParseScenarioEntry(FormatScenarioEntry(*entry, use12Hour)) != entry)
            return "an entry does not read back equal";
    for (const char* action : {kRunAppText, kCloseAppText})
        if (ApplicationNameIn(text, action) != (entry->action == action ? TrimBlanks(entry->application) : ""))
            return "the applications read another name than the entry holds";
    return {};
}

// A command line as another process hands it to the running copy, which
// splits and reads it: what it takes lies within what a command may ask.
std::string CommandText(const std::string& text) {
    const std::vector<std::string> args = SplitArguments(text);
    if (JoinArguments(args) != text) return "the arguments do not join back into the text sent";
    const auto [c, error] = ParseCommandLine(args);
    if (!error.empty()) return c.kind == Command::Kind::None ? "" : "a refused command is taken";
    if (c.kind == Command::Kind::Action && !FindPowerAction(c.action)) return "an action that is none";
    if (c.when == Command::When::In && (c.minutes < 1 || c.minutes > 1439)) return "minutes out of range";
    if (c.when == Command::When::At && (c.hour < 0 || c.hour > 23 || c.minute < 0 || c.minute > 59))
        return "a time of day out of range";
    if (c.when != Command::When::Now && c.kind != Command::Kind::Action) return "a time without an action";
    return {};
}

const std::pair<const char*, std::string (*)(const std::string&)> kTargets[] = {
    {"scenario_file", ScenarioFile}, {"entry", Entry}, {"command", CommandText}};

}  // namespace
}  // namespace dwl

#ifdef DWL_FUZZ_TARGET
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& [name, run] = dwl::kTargets[DWL_FUZZ_TARGET];
    const std::string failed = run({reinterpret_cast<const char*>(data), size});
    if (!failed.empty()) {
        std::fprintf(stderr, "%s: %s\n", name, failed.c_str());
        std::abort();
    }
    return 0;
}
#else
#include <gtest/gtest.h>

TEST(FuzzCorpus, ReplaysThroughTheHarnesses) {
    for (const auto& [name, run] : dwl::kTargets) {
        int inputs = 0;
        for (const auto& file : std::filesystem::directory_iterator(std::filesystem::path(DWL_FUZZ_CORPUS) / name)) {
            std::ifstream in(file.path(), std::ios::binary);
            EXPECT_EQ(run({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}), "") << file.path();
            ++inputs;
        }
        EXPECT_GT(inputs, 0) << name;
    }
}
#endif
