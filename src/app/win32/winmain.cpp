#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/version.h"
#include "app/win32/message_window.h"
#include "platform/win32/clock_win32.h"
#include "platform/win32/command_channel_win32.h"
#include "platform/win32/common_controls.h"
#include "platform/win32/dialogs_win32.h"
#include "platform/win32/disk_win32.h"
#include "platform/win32/file_system_win32.h"
#include "platform/win32/hotkeys_win32.h"
#include "platform/win32/input_dialogs_win32.h"
#include "platform/win32/instance_win32.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/power_win32.h"
#include "platform/win32/processes_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/trace.h"
#include "platform/win32/user_win32.h"
#include "platform/win32/wake_timer_win32.h"
#include "ui/cleanup/win32/cleanup_progress_view.h"
#include "ui/countdown/win32/countdown_view.h"
#include "ui/options/win32/options_view.h"
#include "ui/options/win32/password_dialog.h"
#include "ui/quickbar/win32/quickbar_view.h"
#include "ui/splash/win32/splash_view.h"
#include "ui/tasks/win32/tasks_view.h"
#include "ui/warning/win32/warning_window.h"

namespace {

// The windows are laid out at the screen's real DPI; without this, newer
// systems would draw them at 96 DPI and stretch the bitmap. Looked up at run
// time: Windows XP does not have it.
void DeclareDpiAware() {
    using SetAware = BOOL(WINAPI*)();
    if (HMODULE user = GetModuleHandleA("user32.dll"))
        if (auto setAware =
                reinterpret_cast<SetAware>(reinterpret_cast<void*>(GetProcAddress(user, "SetProcessDPIAware"))))
            setAware();
}

int Run(HINSTANCE instance) {
    using namespace dwl::win32;
    DeclareDpiAware();
    Win32InstanceGuard instanceGuard;
    Win32Dialogs dialogs;
    Win32Registry registry;
    Win32FileSystem files;
    dwl::Win32OsVersionSource osVersion;
    Win32Clock clock;
    Win32Power power;
    Win32WakeTimer wakeTimer;
    Win32UserInfo user;
    Win32Shell shell;
    MessageWindow messages(instance);
    OptionsView view(instance);
    CountdownView countdown(instance);
    QuickbarView quickbar(instance);
    TasksView tasks(instance, [&view] { return view.Handle(); });
    Win32Processes processes;
    Win32Hotkeys hotkeys([&messages] { return messages.Handle(); });
    Win32DiskCleanUp disk([&view] { return view.Handle(); });
    CleanUpProgressView cleanUpProgress(instance, DWL_APP_TITLE);
    dialogs.owner = [&view, &countdown, &quickbar, &tasks](dwl::DialogOwner which) {
        if (which == dwl::DialogOwner::Quickbar && quickbar.Handle()) return quickbar.Handle();
        if (which == dwl::DialogOwner::Tasks) return tasks.Handle();
        return which == dwl::DialogOwner::Countdown ? countdown.Handle() : view.Handle();
    };
    Win32InputDialogs inputDialogs(dialogs.owner);
    Win32CommandChannel commands(kMessageWindowClass);
    WarningWindows warningWindows(instance, DWL_APP_TITLE);  // outlives the program
    dwl::Program program(
        dwl::Platform{dwl::OsServices{instanceGuard, dialogs, registry, files, osVersion, hotkeys, clock, power, user, user,
                                      shell, disk, processes, inputDialogs, commands, wakeTimer},
                      dwl::WindowPorts{view, countdown, cleanUpProgress, quickbar, tasks, messages, warningWindows}});
    countdown.Attach(program.CountdownWindow());
    quickbar.Attach(program.QuickbarModel());
    tasks.Attach(program.Picker());
    program.initCommonControls = [] { EnsureCommonControls(ICC_WIN95_CLASSES); };
    program.trace = [](const std::string& line) { OutputDebugStringA((line + "\n").c_str()); };
    SplashView splashView(instance, [&view] { return view.Handle(); });
    dwl::Splash splash(splashView);
    splashView.Attach(splash);
    program.showSplash = [&] { splash.Show_Splash(program.About().VersionText, program.About().CopyrightText); };
    program.closeSplash = [&] { splashView.Close(); };
    PasswordDialog passwordDialog(instance);
    program.askPassword = [&] { return passwordDialog.AskPassword(view.Handle(), "Unlock the configuration"); };
    program.askNewPassword = [&] { return passwordDialog.AskNewPassword(view.Handle(), "Set password"); };
    program.closePasswordDialog = [&] { passwordDialog.Close(); };

    // The windows go before the program whose form they show.
    struct CloseViews {
        OptionsView& view;
        CountdownView& countdown;
        QuickbarView& quickbar;
        TasksView& tasks;
        MessageWindow& messages;
        ~CloseViews() {
            tasks.DestroyFrame();
            countdown.Destroy();
            quickbar.Destroy();
            view.Destroy();
            messages.Destroy();
        }
    } closeViews{view, countdown, quickbar, tasks, messages};

    std::vector<std::string> args;
    for (int i = 1; i < __argc && __argv; ++i) args.emplace_back(__argv[i]);
    if (const std::optional<int> exitCode = program.Start(args)) return *exitCode;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        // The options window sees its keys first (Ctrl+Tab turns its pages).
        if (view.PreTranslate(message)) continue;
        // Tab, Enter and Escape move between and press the controls of the program's windows.
        HWND root = message.hwnd ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
        if (!root || !IsDialogMessageA(root, &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return Run(instance);
    } catch (...) {
        dwl::win32::TraceException("WinMain");
        return 1;
    }
}
