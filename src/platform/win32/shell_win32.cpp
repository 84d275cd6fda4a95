#include "platform/win32/shell_win32.h"

#include <windows.h>

#include <shellapi.h>
// After shellapi.h: IShellDispatch2's ShellExecute is named by its macro too.
#include <exdisp.h>
#include <servprov.h>
#include <shldisp.h>
#include <shobjidl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/win32/ansi_text.h"
#include "platform/win32/handles.h"
#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

// The shell's library is loaded for its first use, not at start.
using ShellExecuteType = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
ShellExecuteType ShellExecuteFunction() { return SystemFunction<ShellExecuteType>("shell32.dll", "ShellExecuteA"); }

// The shell takes a quoted file and its parameters apart.
std::pair<std::string, std::string> FileAndParameters(const std::string& command) {
    if (const size_t end = command.find('"', 1); !command.empty() && command.front() == '"' && end != std::string::npos)
        return {command.substr(1, end - 1), command.substr(std::min(command.size(), end + 2))};
    return {command, {}};
}

// A COM interface, released when it goes.
template <typename T>
class ComPointer {
public:
    ComPointer() = default;
    ComPointer(const ComPointer&) = delete;
    ComPointer& operator=(const ComPointer&) = delete;
    ~ComPointer() {
        if (pointer_) pointer_->Release();
    }
    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }
    T** put() { return &pointer_; }
    void** putVoid() { return reinterpret_cast<void**>(&pointer_); }

private:
    T* pointer_ = nullptr;
};

// COM's libraries are loaded for the first start through the desktop, not at start.
struct Com {
    using Initialize = HRESULT(WINAPI*)(LPVOID, DWORD);
    using Uninitialize = void(WINAPI*)();
    using CreateInstance = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
    using AllocString = BSTR(WINAPI*)(const OLECHAR*);
    using FreeString = void(WINAPI*)(BSTR);
    Initialize initialize = SystemFunction<Initialize>("ole32.dll", "CoInitializeEx");
    Uninitialize uninitialize = SystemFunction<Uninitialize>("ole32.dll", "CoUninitialize");
    CreateInstance createInstance = SystemFunction<CreateInstance>("ole32.dll", "CoCreateInstance");
    AllocString allocString = SystemFunction<AllocString>("oleaut32.dll", "SysAllocString");
    FreeString freeString = SystemFunction<FreeString>("oleaut32.dll", "SysFreeString");
    bool Loaded() const { return initialize && uninitialize && createInstance && allocString && freeString; }
};

// A BSTR argument as a VARIANT, freed when it goes.
class TextVariant {
public:
    TextVariant(const Com& com, const std::wstring& text) : com_(com) {
        value_.vt = VT_BSTR;
        value_.bstrVal = com.allocString(text.c_str());
    }
    TextVariant(const TextVariant&) = delete;
    TextVariant& operator=(const TextVariant&) = delete;
    ~TextVariant() { com_.freeString(value_.bstrVal); }
    const VARIANT& get() const { return value_; }

private:
    const Com& com_;
    VARIANT value_{};
};

constexpr GUID kTopLevelBrowser{0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};

// The desktop's ShellExecute: the program starts in the desktop's process,
// with that process's token, whatever this program's is.
HRESULT DesktopShellExecute(const CLSID& shellWindows, const std::wstring& file, const std::wstring& parameters) {
    const Com com;
    if (!com.Loaded()) return E_NOTIMPL;
    const HRESULT apartment = com.initialize(nullptr, COINIT_APARTMENTTHREADED);
    // A thread of the other model can make the calls as well.
    if (FAILED(apartment) && apartment != RPC_E_CHANGED_MODE) return apartment;
    struct Leave {
        const Com& com;
        bool entered;
        ~Leave() {
            if (entered) com.uninitialize();
        }
    } leave{com, SUCCEEDED(apartment)};  // after the interfaces below are released

    ComPointer<IShellWindows> windows;
    HRESULT result =
        com.createInstance(shellWindows, nullptr, CLSCTX_LOCAL_SERVER, __uuidof(IShellWindows), windows.putVoid());
    VARIANT none{};
    LONG desktopWindow = 0;
    ComPointer<IDispatch> desktop;
    if (SUCCEEDED(result) && windows)
        result = windows->FindWindowSW(&none, &none, SWC_DESKTOP, &desktopWindow, SWFO_NEEDDISPATCH, desktop.put());
    ComPointer<IServiceProvider> services;
    if (SUCCEEDED(result) && desktop) result = desktop->QueryInterface(__uuidof(IServiceProvider), services.putVoid());
    ComPointer<IShellBrowser> browser;
    if (SUCCEEDED(result) && services)
        result = services->QueryService(kTopLevelBrowser, __uuidof(IShellBrowser), browser.putVoid());
    ComPointer<IShellView> view;
    if (SUCCEEDED(result) && browser) result = browser->QueryActiveShellView(view.put());
    ComPointer<IDispatch> background;
    if (SUCCEEDED(result) && view)
        result = view->GetItemObject(SVGIO_BACKGROUND, __uuidof(IDispatch), background.putVoid());
    ComPointer<IShellFolderViewDual> folderView;
    if (SUCCEEDED(result) && background)
        result = background->QueryInterface(__uuidof(IShellFolderViewDual), folderView.putVoid());
    ComPointer<IDispatch> application;
    if (SUCCEEDED(result) && folderView) result = folderView->get_Application(application.put());
    ComPointer<IShellDispatch2> shell;
    if (SUCCEEDED(result) && application)
        result = application->QueryInterface(__uuidof(IShellDispatch2), shell.putVoid());
    if (FAILED(result)) return result;
    if (!shell) return E_FAIL;  // no desktop window: FindWindowSW gave S_FALSE
    const TextVariant arguments(com, parameters), operation(com, L"open");
    VARIANT show{};
    show.vt = VT_I4;
    show.lVal = SW_SHOWNORMAL;
    BSTR fileText = com.allocString(file.c_str());
    result = shell->ShellExecute(fileText, arguments.get(), none, operation.get(), show);
    com.freeString(fileText);
    return result;
}

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
    // The program gets none of this program's handles.
    if (CreateProcessA(nullptr, buffer.data(), nullptr, nullptr, FALSE, NORMAL_PRIORITY_CLASS, nullptr, nullptr,
                       &startup, &process)) {
        UniqueHandle thread(process.hThread);
        UniqueHandle started(process.hProcess);
        return;
    }
    const auto [file, parameters] = FileAndParameters(command);
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

TokenElevation Win32Shell::Elevation() {
    UniqueHandle token;
    TOKEN_ELEVATION_TYPE type = TokenElevationTypeDefault;
    DWORD size = 0;
    // Windows XP knows no such class: the question fails there, as on no split token.
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, token.put()) ||
        !GetTokenInformation(token.get(), TokenElevationType, &type, sizeof type, &size))
        return TokenElevation::Default;
    if (type == TokenElevationTypeLimited) return TokenElevation::Limited;
    if (type != TokenElevationTypeFull) return TokenElevation::Default;
    // Windows splits the token only while UAC is on; Wine gives its programs a
    // full token with UAC off ("EnableLUA" 0). A value that cannot be read counts as on.
    UniqueKey key;
    DWORD enabled = 1, valueType = 0, valueSize = sizeof enabled;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Policies\\System", 0,
                      KEY_QUERY_VALUE, key.put()) == ERROR_SUCCESS &&
        RegQueryValueExW(key.get(), L"EnableLUA", nullptr, &valueType, reinterpret_cast<BYTE*>(&enabled), &valueSize) ==
            ERROR_SUCCESS &&
        valueType == REG_DWORD && enabled == 0)
        return TokenElevation::Default;
    return TokenElevation::Full;
}

bool Win32Shell::OpenUnelevated(const std::string& command) {
    const auto [file, parameters] = FileAndParameters(command);
    const HRESULT result = DesktopShellExecute(shellWindows_, WidenAnsi(file), WidenAnsi(parameters));
    if (SUCCEEDED(result)) return true;
    SetLastError(static_cast<DWORD>(result));
    Check(false, "Starting the program through the desktop");
    return false;
}

}  // namespace dwl::win32
