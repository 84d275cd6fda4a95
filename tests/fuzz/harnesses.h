#pragma once
// The fuzz targets' bodies. Each runs one input and gives the first property
// it breaks, or the empty text. libFuzzer calls them through fuzz_main.cpp;
// the unit tests replay the saved corpus (tests/fuzz/corpus/<name>/) through
// the same functions.
#include <cstddef>
#include <cstdint>
#include <string>

namespace dwl::fuzz {

using Harness = std::string (*)(const std::uint8_t* data, std::size_t size);

// The scenario file: read, write, read again gives the same.
std::string ScenarioFile(const std::uint8_t* data, std::size_t size);
// One entry: written in either time form it reads back the same, and the
// applications read the name it holds.
std::string Entry(const std::uint8_t* data, std::size_t size);
// The settings loaders over a registry that holds any texts.
std::string Loaders(const std::uint8_t* data, std::size_t size);

struct Target {
    const char* name;
    Harness run;
};
inline constexpr Target kTargets[] = {
    {"scenario_file", ScenarioFile},
    {"entry", Entry},
    {"loaders", Loaders},
};

}  // namespace dwl::fuzz
