#include "actions/exit_windows.h"

#include <gtest/gtest.h>

#include <string>

#include "fakes/fake_platform.h"

namespace dwl {
namespace {

TEST(ExitWindows, CodesToCleanUpPrivilegeAndPlatformCall) {
    // clang-format off
    struct Row { int code; int power; fakes::Journal journal; };
    const Row rows[] = {
        {0, 1, {"privilege", "ExitWindowsEx 4 4294967295"}},
        {1, 0, {"clean-up", "privilege", "ExitWindowsEx 5 4294967295"}},
        {1, 1, {"clean-up", "privilege", "ExitWindowsEx 12 4294967295"}},
        {2, 1, {"clean-up", "privilege", "ExitWindowsEx 7 4294967295"}},
        {8, 0, {"privilege", "ExitWindowsEx 12 4294967295"}},
        {5, 1, {"privilege"}},
    };
    // clang-format on
    fakes::Journal journal;
    fakes::FakePower power(journal);
    clsExitWindows exitWindows(power, [&] { journal.push_back("clean-up"); });
    for (const Row& r : rows) {
        SCOPED_TRACE("code " + std::to_string(r.code) + " power off " + std::to_string(r.power));
        journal.clear();
        exitWindows.ExitWindows(r.code, r.power != 0);
        EXPECT_EQ(journal, r.journal);
    }
}

}  // namespace
}  // namespace dwl
