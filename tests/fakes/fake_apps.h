#pragma once
// Stand-ins for processes, the file dialog and prompt, and the picker window.
#include <functional>
#include <optional>

#include "fakes/fake_platform.h"
#include "platform/input_dialogs.h"
#include "platform/processes.h"
#include "ui/tasks/application_picker.h"

namespace dwl::fakes {

// Running processes; each answers a close request or not, as set.
struct FakeProcesses : IProcesses, Recorder {
    using Recorder::Recorder;
    std::vector<ProcessInfo> Snapshot() override { return running; }
    bool CloseMainWindow(std::uint32_t id) override {
        Note("close " + std::to_string(id));
        return !deaf.count(id);
    }
    bool TerminateProcessById(std::uint32_t id, std::uint32_t code) override {
        Note("terminate " + std::to_string(id) + " " + std::to_string(code));
        return true;
    }
    std::vector<ProcessInfo> running;
    std::set<std::uint32_t> deaf;  // never take WM_CLOSE
};

struct FakeInputDialogs : IInputDialogs, Recorder {
    using Recorder::Recorder;
    std::string ShowOpenDialog(DialogOwner, const std::string& folder) override {
        Note("open dialog " + folder);
        return path;
    }
    std::optional<std::string> InputBox(const std::string& prompt, const std::string& title, DialogOwner) override {
        Note("prompt " + title + ": " + prompt);
        return answer;
    }
    std::string path;
    std::optional<std::string> answer;
};

// Runs `whileShown` as the user's doings while the picker is up.
struct FakeTasksWindow : ITasksWindow, Recorder {
    using Recorder::Recorder;
    void ShowModal() override {
        Note("show tasks");
        unloaded = false;
        if (whileShown) whileShown();
    }
    void Unload() override { unloaded = true; }
    std::function<void()> whileShown;
    bool unloaded = false;
};

}  // namespace dwl::fakes
