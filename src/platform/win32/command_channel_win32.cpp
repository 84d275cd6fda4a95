#include "platform/win32/command_channel_win32.h"

#include <windows.h>

#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

constexpr int kFindTries = 50;  // the running copy's window follows its guard within moments
constexpr DWORD kFindPauseMs = 100;
constexpr UINT kAnswerTimeoutMs = 30000;

bool WriteAll(HANDLE out, const std::string& text) {
    DWORD wrote = 0;
    return WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &wrote, nullptr) && wrote == text.size();
}

}  // namespace

HandOverResult Win32CommandChannel::SendToRunningCopy(const std::string& text) {
    HWND window = nullptr;
    for (int tries = 0; tries < kFindTries && !(window = FindWindowA(windowClass_.c_str(), nullptr)); ++tries)
        Sleep(kFindPauseMs);
    if (!window) return {};
    std::string bytes = text;
    COPYDATASTRUCT data{kCommandDataTag, static_cast<DWORD>(bytes.size()), bytes.data()};
    DWORD_PTR answer = 0;
    SetLastError(ERROR_SUCCESS);
    if (!SendMessageTimeoutA(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG,
                             kAnswerTimeoutMs, &answer)) {
        // The running copy lets no message in from a process of lower
        // integrity: the system drops it and says access was denied.
        if (GetLastError() == ERROR_ACCESS_DENIED) return {HandOverResult::Outcome::RunsElevated, 0, {}};
        return {};
    }
    return {HandOverResult::Outcome::Answered, static_cast<int>(answer), {}};
}

bool Win32CommandChannel::WriteToConsole(const std::string& text) {
    const std::string line = text + "\r\n";
    // Output redirected to a file or a pipe.
    HANDLE out = GetStdHandle(STD_OUTPUT_HANDLE);
    if (out && out != INVALID_HANDLE_VALUE && GetFileType(out) != FILE_TYPE_UNKNOWN && WriteAll(out, line)) return true;
    // A program of the windows subsystem has no console of its own: it borrows
    // the one it was started from. Windows 2000 lacks the call.
    using Attach = BOOL(WINAPI*)(DWORD);
    const auto attach = SystemFunction<Attach>("kernel32.dll", "AttachConsole");
    if (!attach || !attach(ATTACH_PARENT_PROCESS)) return false;
    bool written = false;
    {
        UniqueFile console(CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                       nullptr, OPEN_EXISTING, 0, nullptr));
        written = console && WriteAll(console.get(), line);
    }
    FreeConsole();
    return written;
}

}  // namespace dwl::win32
