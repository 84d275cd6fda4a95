#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "actions/exit_windows.h"
#include "platform/power.h"
#include "ui/model/controls.h"

namespace dwl {
namespace {

class RecordingPower : public IPower {
public:
    explicit RecordingPower(std::vector<std::string>& j) : journal(j) {}
    void EnableShutdownPrivilege() override { journal.push_back("privilege"); }
    void ExitWindowsEx(unsigned flags, unsigned reason) override {
        char text[48];
        std::snprintf(text, sizeof text, "ExitWindowsEx 0x%X 0x%X", flags, reason);
        journal.push_back(text);
    }
    void LockWorkStation() override { journal.push_back("LockWorkStation"); }
    void SetSuspendState(bool hibernate, bool forceCritical, bool disableWakeEvent) override {
        journal.push_back("SetSuspendState " + std::to_string(hibernate) + std::to_string(forceCritical) +
                          std::to_string(disableWakeEvent));
    }
    std::vector<std::string>& journal;
};

TEST(ExitWindows, CodesToCleanUpPrivilegeAndPlatformCall) {
    struct Row { int code; int power; std::vector<std::string> journal; };
    const Row rows[] = {
        {0, 1, {"privilege", "ExitWindowsEx 0x4 0xFFFFFFFF"}},
        {1, 0, {"clean-up", "privilege", "ExitWindowsEx 0x5 0xFFFFFFFF"}},
        {1, 1, {"clean-up", "privilege", "ExitWindowsEx 0xC 0xFFFFFFFF"}},
        {2, 1, {"clean-up", "privilege", "ExitWindowsEx 0x7 0xFFFFFFFF"}},
        {8, 0, {"privilege", "ExitWindowsEx 0xC 0xFFFFFFFF"}},
        {10, 1, {"privilege", "SetSuspendState 011"}},
        {11, 1, {"privilege", "SetSuspendState 111"}},
        {5, 1, {"privilege"}},
    };
    std::vector<std::string> journal;
    RecordingPower power(journal);
    CheckBox chkPower{"chkPower"};
    clsExitWindows exitWindows(power, chkPower, [&] { journal.push_back("clean-up"); });
    for (const Row& r : rows) {
        SCOPED_TRACE("code " + std::to_string(r.code) + " chkPower " + std::to_string(r.power));
        journal.clear();
        chkPower.SetValue(r.power);  // read at the moment of the call
        exitWindows.ExitWindows(r.code);
        EXPECT_EQ(journal, r.journal);
    }
}

} // namespace
} // namespace dwl
