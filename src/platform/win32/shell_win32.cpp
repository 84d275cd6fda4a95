#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>
#include <vector>

#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

// The shell's library is loaded for its first use, not at start.
using ShellExecuteType = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
ShellExecuteType ShellExecuteFunction() { return SystemFunction<ShellExecuteType>("shell32.dll", "ShellExecuteA"); }

}  // namespace

void Win32Shell::OpenDocument(const std::string& command) {
    // A command that is one file path (an existing file, or a name in an
    // existing folder) is quoted: unquoted, a path with blanks would first be
    // tried as a shorter program name ("C:\Program.exe").
    const DWORD attributes = GetFileAttributesA(command.c_str());
    bool isPath = attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
    const size_t slash = command.find_last_of('\\');
    if (!isPath && slash != std::string::npos && command.find(' ', slash) == std::string::npos) {
        const DWORD folder = GetFileAttributesA(command.substr(0, slash).c_str());
        isPath = folder != INVALID_FILE_ATTRIBUTES && (folder & FILE_ATTRIBUTE_DIRECTORY);
    }
    const bool quote = isPath && command.find(' ') != std::string::npos && command.front() != '"';
    const std::string line = quote ? "\"" + command + "\"" : command;

    std::vector<char> buffer(line.begin(), line.end());
    buffer.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, TRUE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, &process)) {
        UniqueHandle thread(process.hThread);
        UniqueHandle started(process.hProcess);
        return;
    }
    // The shell takes a quoted file and its parameters apart.
    std::string file = command, parameters;
    if (const size_t end = command.find('"', 1);
        !command.empty() && command.front() == '"' && end != std::string::npos) {
        file = command.substr(1, end - 1);
        parameters = command.substr(std::min(command.size(), end + 2));
    }
    const auto execute = ShellExecuteFunction();
    if (!execute) return;
    const auto result =
        reinterpret_cast<INT_PTR>(execute(nullptr, "open", file.c_str(), parameters.c_str(), "", SW_MAXIMIZE));
    // The system's editor by its full path: a bare name is looked for beside
    // this program and in the current folder first.
    if (const std::string write = SystemLibraryPath("write.exe"); result == SE_ERR_NOASSOC && !write.empty())
        execute(nullptr, "open", write.c_str(), command.c_str(), "", SW_MAXIMIZE);
}

void Win32Shell::OpenAddress(const std::string& address) {
    if (const auto execute = ShellExecuteFunction())
        execute(nullptr, "open", address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace dwl::win32
