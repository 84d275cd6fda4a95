#pragma once
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "app/program.h"
#include "fakes/fake_apps.h"
#include "fakes/fake_platform.h"
#include "schedule/scenario_file.h"

namespace dwl {

using fakes::Journal;

inline const std::string kScn = "C:\\Users\\ann\\AppData\\Roaming\\Duskwell\\dwl.scn";
constexpr const char* kHotkeys = "SOFTWARE\\Orbelle\\DWL\\HotKeys";
constexpr const char* kOptions = "SOFTWARE\\Orbelle\\DWL\\Options";

// The program over fakes of every system service, on Monday 2026-12-07 at
// 8:59:10, its manifest in place. Also made as a second program beside a
// test's own (each with a platform of its own).
struct ProgramTest : ::testing::Test {
    ProgramTest() { files.files["C:\\Apps\\Duskwell\\dwl.exe.MANIFEST"] = "<assembly/>"; }
    void TestBody() override {}

    // Starts with these scenarios and applications in the file; the journal is cleared.
    void Start(const std::vector<std::string>& scenarios = {}, const std::vector<ApplicationRecord>& apps = {}) {
        files.files[kScn] = FormatScenarioFile({scenarios, apps});
        ASSERT_TRUE(program.Main());
        journal.clear();
    }
    std::vector<std::string> Saved() { return ParseScenarioFile(files.files[kScn])->scenarios; }
    void TickAt(int hour, int minute, int second = 30) {
        clock.now = {2026, 12, 7, 1, hour, minute, second};
        program.OnSchedulerTick();
    }
    std::string& Stored(const std::string& key, const std::string& value) {
        return registry.values[{Hive::CurrentUser, key, value}];
    }
    void SetHotkey(const std::string& name, const std::string& mod, const std::string& vk) {
        Stored(kHotkeys, name + "MOD") = mod;
        Stored(kHotkeys, name + "VK") = vk;
    }
    Journal Filtered(const std::string& prefix) const {
        Journal out;
        std::copy_if(journal.begin(), journal.end(), std::back_inserter(out),
                     [&](const std::string& s) { return s.rfind(prefix, 0) == 0; });
        return out;
    }
    std::vector<std::string> Told() const {
        std::vector<std::string> texts;
        for (const auto& box : dialogs.shown) texts.push_back(box.text);
        return texts;
    }

    Journal journal;
    fakes::FakeInstance instance;
    fakes::FakeDialogs dialogs{journal};
    fakes::FakeRegistry registry;
    fakes::FakeFileSystem files{journal};
    fakes::FakeOsVersion osVersion;
    fakes::FakeHotkeys hotkeys{journal};
    fakes::FakeOptionsWindow window{journal};
    fakes::FakeClock clock{LocalTime{2026, 12, 7, 1, 8, 59, 10}};
    fakes::FakePower power{journal};
    fakes::FakeUser user;
    fakes::FakeCountdownWindow countdownWindow;
    fakes::FakeShell shell;
    fakes::FakeDisk disk{journal};
    fakes::FakeQuickbarWindow quickbarWindow{journal};
    fakes::FakeProcesses processes{journal};
    fakes::FakeInputDialogs input{journal};
    fakes::FakeTasksWindow tasks{journal};
    Program program{Platform{OsServices{instance, dialogs, registry, files, osVersion, hotkeys, clock, power, user,
                                        shell, disk, processes, input, instance},
                             WindowPorts{window, countdownWindow, disk, quickbarWindow, tasks}}};
};

}  // namespace dwl
