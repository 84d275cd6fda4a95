#include "platform/win32/command_channel_win32.h"

#include <windows.h>

#include <utility>

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

// What the reply window takes: the text the running copy's window sends it.
struct Reply {
    HWND from;
    std::string text;
};

LRESULT CALLBACK ReplyProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    if (message != WM_COPYDATA) return DefWindowProcA(window, message, wParam, lParam);
    auto* reply = reinterpret_cast<Reply*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    if (!reply || reinterpret_cast<HWND>(wParam) != reply->from || !data || data->dwData != kReplyDataTag ||
        data->cbData > kMaxCommandBytes || (data->cbData > 0 && !data->lpData))
        return FALSE;
    try {
        reply->text.assign(static_cast<const char*>(data->lpData), data->cbData);
    } catch (...) {
        return FALSE;
    }
    return TRUE;
}

// A message-only window that takes the text `reply.from` sends it.
UniqueWindow MakeReplyWindow(Reply& reply) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    static const bool registered = [instance] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = &ReplyProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = kReplyWindowClass;
        return RegisterClassA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }();
    if (!registered) return {};
    return UniqueWindow(
        CreateWindowExA(0, kReplyWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, &reply));
}

}  // namespace

HandOverResult Win32CommandChannel::SendToRunningCopy(const std::string& text) {
    HWND window = nullptr;
    for (int tries = 0; tries < kFindTries && !(window = FindWindowA(windowClass_.c_str(), nullptr)); ++tries)
        Sleep(kFindPauseMs);
    if (!window) return {};
    std::string bytes = text;
    COPYDATASTRUCT data{kCommandDataTag, static_cast<DWORD>(bytes.size()), bytes.data()};
    // Named as the sender, the running copy sends its text to print there; this
    // thread, waiting for the answer, still takes the messages sent to it.
    Reply reply{window, {}};
    const UniqueWindow replyWindow = MakeReplyWindow(reply);
    DWORD_PTR answer = 0;
    SetLastError(ERROR_SUCCESS);
    if (!SendMessageTimeoutA(window, WM_COPYDATA, reinterpret_cast<WPARAM>(replyWindow.get()),
                             reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, kAnswerTimeoutMs, &answer)) {
        // The running copy lets no message in from a process of lower
        // integrity: the system drops it and says access was denied.
        if (GetLastError() == ERROR_ACCESS_DENIED) return {HandOverResult::Outcome::RunsElevated, 0, {}};
        return {};
    }
    return {HandOverResult::Outcome::Answered, static_cast<int>(answer), std::move(reply.text)};
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
