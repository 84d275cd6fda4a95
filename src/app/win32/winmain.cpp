#include <windows.h>

#include <memory>

#include "app/program.h"
#include "platform/win32/os_version_win32.h"
#include "platform/win32/registry_win32.h"
#include "platform/win32/services_win32.h"
#include "ui/options/win32/options_view.h"

namespace {

int Run(HINSTANCE instance) {
    using namespace dwl::win32;
    Win32InstanceGuard instanceGuard;
    Win32Dialogs dialogs;
    Win32Registry registry;
    Win32FileSystem files;
    dwl::Win32OsVersionSource osVersion;
    OptionsView view(instance);
    Win32Hotkeys hotkeys([&view] { return view.Handle(); });
    dwl::Program program(dwl::Platform{instanceGuard, dialogs, registry, files, osVersion, hotkeys, view});

    // The window goes before the program whose form it shows.
    struct CloseView {
        OptionsView& view;
        ~CloseView() { view.Destroy(); }
    } closeView{view};

    if (!program.Main()) return 0;

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(view.Handle(), &message)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
    }
    return static_cast<int>(message.wParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    try {
        return Run(instance);
    } catch (...) {
        return 1;
    }
}
