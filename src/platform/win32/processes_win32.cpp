#include "platform/win32/processes_win32.h"

#include <tlhelp32.h>

#include <functional>
#include <map>

#include "platform/win32/ansi_text.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

// Windows Vista and later; on XP psapi reads the image name.
using QueryFullImageNameType = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
QueryFullImageNameType QueryFullImageName() {
    return SystemFunction<QueryFullImageNameType>("kernel32.dll", "QueryFullProcessImageNameW");
}
using ImageFileNameType = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);
ImageFileNameType ImageFileName() { return SystemFunction<ImageFileNameType>("psapi.dll", "GetProcessImageFileNameW"); }

// The close requests still waited for, by number: true once answered. The
// answer comes to this thread's message loop, perhaps after the process that
// asked for it has let go of the request.
std::map<ULONG_PTR, bool>& CloseRequests() {
    static std::map<ULONG_PTR, bool> requests;
    return requests;
}

void CALLBACK OnCloseAnswered(HWND, UINT, ULONG_PTR request, LRESULT) {
    if (auto found = CloseRequests().find(request); found != CloseRequests().end()) found->second = true;
}

// The ends waited for, by number. A thread of the system's pool sees a
// process end and posts its number to a message-only window of this thread.
constexpr UINT kExitedMessage = WM_APP + 1;
std::map<ULONG_PTR, std::function<void()>>& ExitWatches() {
    static std::map<ULONG_PTR, std::function<void()>> watches;
    return watches;
}
HWND exitWindow = nullptr;

LRESULT CALLBACK ExitWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kExitedMessage) return DefWindowProcA(window, message, wParam, lParam);
    try {
        if (auto found = ExitWatches().find(wParam); found != ExitWatches().end()) {
            auto exited = std::move(found->second);
            ExitWatches().erase(found);
            exited();
        }
    } catch (...) {
        TraceException("a program's end");
    }
    return 0;
}

HWND ExitWindow() {
    if (!exitWindow) {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = ExitWindowProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = "DuskwellProcessEnds";
        RegisterClassA(&windowClass);
        exitWindow = CreateWindowExA(0, windowClass.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                     windowClass.hInstance, nullptr);
        Check(exitWindow != nullptr, "CreateWindowExA");
    }
    return exitWindow;
}

void CALLBACK OnProcessSignalled(PVOID watch, BOOLEAN) {
    PostMessageA(exitWindow, kExitedMessage, reinterpret_cast<WPARAM>(watch), 0);
}

class Win32Process : public IProcess {
public:
    Win32Process(HANDLE process, DWORD id) : process_(process), id_(id) {}
    Win32Process(const Win32Process&) = delete;
    Win32Process& operator=(const Win32Process&) = delete;
    ~Win32Process() override {
        if (request_) CloseRequests().erase(request_);
        // Waits for a callback under way: none posts after this.
        if (wait_) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
        if (watch_) ExitWatches().erase(watch_);
    }

    void WhenExited(std::function<void()> exited) override {
        static ULONG_PTR lastWatch = 0;
        if (wait_ || !ExitWindow()) return;
        watch_ = ++lastWatch;
        ExitWatches()[watch_] = std::move(exited);
        if (!Check(RegisterWaitForSingleObject(&wait_, process_.get(), OnProcessSignalled,
                                               reinterpret_cast<PVOID>(watch_), INFINITE,
                                               WT_EXECUTEONLYONCE | WT_EXECUTEINWAITTHREAD) != 0,
                   "RegisterWaitForSingleObject"))
            wait_ = nullptr;
    }

    bool Exited() override { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

    std::string ImageName() override {
        std::wstring path(MAX_PATH * 4, L'\0');
        DWORD size = static_cast<DWORD>(path.size());
        // A DOS path from Vista on, a device path from psapi on XP: the file name is the same.
        if (const auto query = QueryFullImageName()) {
            if (!Check(query(process_.get(), 0, path.data(), &size) != 0, "QueryFullProcessImageNameW")) return {};
        } else if (const auto imageFile = ImageFileName()) {
            size = imageFile(process_.get(), path.data(), size);
            if (!Check(size != 0, "GetProcessImageFileNameW")) return {};
        } else {
            return {};
        }
        path.resize(size);
        return ExactAnsi(path.substr(path.find_last_of(L'\\') + 1)).value_or("");
    }

    bool RequestClose() override {
        window_ = FindProcessWindow(id_);
        if (!window_) return false;
        static ULONG_PTR lastRequest = 0;
        request_ = ++lastRequest;
        CloseRequests()[request_] = false;
        // A window that went in the meantime leaves the process to the waits.
        Check(SendMessageCallbackA(window_, WM_CLOSE, 0, 0, OnCloseAnswered, request_) != 0, "SendMessageCallbackA");
        return true;
    }

    bool CloseAnswered() override {
        const auto found = CloseRequests().find(request_);
        return found != CloseRequests().end() && found->second;
    }

    bool Hung() override {
        // Windows 2000 and later; where it is missing nothing counts as hung.
        using IsHung = BOOL(WINAPI*)(HWND);
        static const IsHung isHung = SystemFunction<IsHung>("user32.dll", "IsHungAppWindow");
        return window_ && isHung && isHung(window_);
    }

    bool Terminate(std::uint32_t exitCode) override { return TerminateProcess(process_.get(), exitCode) != 0; }

private:
    UniqueHandle process_;
    DWORD id_;
    HWND window_ = nullptr;
    ULONG_PTR request_ = 0;
    HANDLE wait_ = nullptr;
    ULONG_PTR watch_ = 0;
};

Win32Processes* ticking = nullptr;

}  // namespace

DWORD WindowProcessId(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

namespace {

struct WindowSearch {
    DWORD processId;
    HWND visible = nullptr, hidden = nullptr;
};

BOOL CALLBACK SearchWindow(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<WindowSearch*>(data);
    if (GetParent(window) || WindowProcessId(window) != search.processId) return TRUE;
    if (IsWindowVisible(window)) {
        search.visible = window;
        return FALSE;
    }
    if (!search.hidden) search.hidden = window;
    return TRUE;
}

}  // namespace

HWND FindProcessWindow(DWORD processId) {
    // EnumWindows takes the list of windows at once: a window destroyed while
    // it is read does not end the search, as a GW_HWNDNEXT walk would.
    WindowSearch search{processId};
    EnumWindows(SearchWindow, reinterpret_cast<LPARAM>(&search));
    return search.visible ? search.visible : search.hidden;
}

Win32Processes::~Win32Processes() { StopTicks(); }

std::vector<ProcessInfo> Win32Processes::Snapshot() {
    std::vector<ProcessInfo> list;
    UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!Check(snapshot && snapshot.get() != INVALID_HANDLE_VALUE, "CreateToolhelp32Snapshot")) {
        snapshot.release();
        return list;
    }
    DWORD ownSession = 0;
    const bool sessions = ProcessIdToSessionId(GetCurrentProcessId(), &ownSession) != 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = L'\0';
        ProcessInfo process{entry.th32ProcessID, {}, true, entry.th32ProcessID == GetCurrentProcessId()};
        // A near spelling of a name the code page cannot hold could be another program's.
        const auto exeFile = ExactAnsi(entry.szExeFile);
        if (!exeFile) continue;
        process.exeFile = *exeFile;
        DWORD session = 0;
        if (sessions) process.ownSession = ProcessIdToSessionId(entry.th32ProcessID, &session) && session == ownSession;
        list.push_back(std::move(process));
    }
    return list;
}

std::unique_ptr<IProcess> Win32Processes::Open(std::uint32_t processId, bool toWait) {
    // PROCESS_QUERY_LIMITED_INFORMATION came with the call that needs it; psapi's needs more.
    const DWORD query = QueryFullImageName() ? PROCESS_QUERY_LIMITED_INFORMATION : PROCESS_QUERY_INFORMATION;
    HANDLE process = OpenProcess(query | (toWait ? 0 : PROCESS_TERMINATE) | SYNCHRONIZE, FALSE, processId);
    if (!Check(process != nullptr, "OpenProcess")) return nullptr;
    return std::make_unique<Win32Process>(process, processId);
}

std::uint32_t Win32Processes::Milliseconds() { return GetTickCount(); }

void Win32Processes::StartTicks(unsigned intervalMs, std::function<void()> tick) {
    StopTicks();
    tick_ = std::move(tick);
    timer_ = SetTimer(nullptr, 0, intervalMs, OnTimer);
    if (Check(timer_ != 0, "SetTimer")) ticking = this;
}

void Win32Processes::StopTicks() {
    if (timer_) KillTimer(nullptr, timer_);
    timer_ = 0;
    if (ticking == this) ticking = nullptr;
}

void CALLBACK Win32Processes::OnTimer(HWND, UINT, UINT_PTR id, DWORD) {
    // No exception leaves for the message loop.
    try {
        if (ticking && ticking->timer_ == id && ticking->tick_) {
            auto tick = ticking->tick_;  // the tick may stop the ticks
            tick();
        }
    } catch (...) {
        TraceException("the close waits");
    }
}

}  // namespace dwl::win32
