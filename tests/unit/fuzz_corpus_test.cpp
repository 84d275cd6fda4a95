#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "fuzz/harnesses.h"

namespace dwl {
namespace {

// Every saved input of every fuzz target holds the target's properties.
TEST(FuzzCorpus, ReplaysThroughTheHarnesses) {
    for (const auto& target : fuzz::kTargets) {
        const std::filesystem::path folder = std::filesystem::path(DWL_FUZZ_CORPUS) / target.name;
        int inputs = 0;
        for (const auto& file : std::filesystem::directory_iterator(folder)) {
            std::ifstream in(file.path(), std::ios::binary);
            const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            EXPECT_EQ(target.run(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "") << file.path();
            ++inputs;
        }
        EXPECT_GT(inputs, 0) << target.name;
    }
}

}  // namespace
}  // namespace dwl
