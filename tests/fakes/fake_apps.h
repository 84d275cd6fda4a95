#pragma once
// Stand-ins for processes, the file dialog and prompt, and the picker window.
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <utility>

#include "fakes/fake_platform.h"
#include "platform/input_dialogs.h"
#include "platform/processes.h"
#include "ui/tasks/application_picker.h"

namespace dwl::fakes {

// Running processes, opened as fake processes that note what is done to
// them; each takes a close request, asks its user or hangs, as set, and
// reports its listed name as its image unless `images` gives another.
struct FakeProcesses : IProcesses, Recorder {
    using Recorder::Recorder;
    enum class Answer { Closes, Asks, Hangs, NoWindow };
    struct Process : IProcess {
        FakeProcesses& all;
        std::uint32_t id;
        Answer answer;
        bool asked = false, ended = false;
        Process(FakeProcesses& a, std::uint32_t i, Answer w) : all(a), id(i), answer(w) {}
        bool Exited() override { return ended || all.ended.count(id) || (asked && answer == Answer::Closes); }
        std::string ImageName() override {
            if (all.images.count(id)) return all.images[id];
            for (const ProcessInfo& p : all.running)
                if (p.id == id) return p.exeFile;
            return {};
        }
        bool RequestClose() override {
            all.Note("close " + std::to_string(id));
            asked = answer != Answer::NoWindow;
            return asked;
        }
        bool CloseAnswered() override { return false; }
        bool Hung() override { return answer == Answer::Hangs; }
        bool Terminate(std::uint32_t code) override {
            all.Note("terminate " + std::to_string(id) + " " + std::to_string(code));
            std::erase_if(all.running, [this](const ProcessInfo& p) { return p.id == id; });
            return ended = true;
        }
        void WhenExited(std::function<void()> exited) override { all.exitWaits[id] = std::move(exited); }
        ~Process() override { all.exitWaits.erase(id); }
    };
    // The process ends: it leaves the list, and a wait for it is told.
    void End(std::uint32_t id) {
        std::erase_if(running, [id](const ProcessInfo& p) { return p.id == id; });
        ended.insert(id);
        if (auto wait = exitWaits.find(id); wait != exitWaits.end()) std::exchange(wait->second, nullptr)();
    }
    std::vector<ProcessInfo> Snapshot() override { return running; }
    // A program of higher rights opens only to be waited for.
    std::unique_ptr<IProcess> Open(std::uint32_t id, bool toWait = false) override {
        if (elevated.count(id) && !toWait) return nullptr;
        ++opened;
        return std::make_unique<Process>(*this, id, answers.count(id) ? answers[id] : Answer::Closes);
    }
    std::uint32_t Milliseconds() override { return ms; }
    void StartTicks(unsigned, std::function<void()> t) override { tick = std::move(t); }
    void StopTicks() override { tick = nullptr; }
    // Lets `seconds` pass in quarter-second ticks.
    void Pass(int seconds) {
        for (int i = 0; i < seconds * 4 && tick; ++i) {
            ms += 250;
            tick();
        }
    }
    std::vector<ProcessInfo> running;
    std::map<std::uint32_t, Answer> answers;
    std::map<std::uint32_t, std::string> images;
    std::map<std::uint32_t, std::function<void()>> exitWaits;
    std::set<std::uint32_t> ended, elevated;
    int opened = 0;
    std::uint32_t ms = 0;
    std::function<void()> tick;
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
