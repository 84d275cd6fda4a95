// closetarget: a window for the tests of closing applications, copied under
// the name a test needs. Started with "hang" it never answers WM_CLOSE (its
// thread stops there); otherwise it holds unsaved work: WM_CLOSE asks "Save
// changes?" (Yes, No, Cancel) in a modal box and closes only when the user
// answers Yes or No.
#include <windows.h>

#include <cstring>

namespace {

bool hangs = false;

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE && hangs) Sleep(INFINITE);
    if (message == WM_CLOSE) {
        if (MessageBoxA(window, "Save changes to the document?", "unsaved", MB_YESNOCANCEL | MB_ICONQUESTION) !=
            IDCANCEL)
            DestroyWindow(window);
        return 0;
    }
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

int main(int argc, char** argv) {
    hangs = argc > 1 && std::strcmp(argv[1], "hang") == 0;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "CloseTarget";
    RegisterClassA(&windowClass);
    CreateWindowA("CloseTarget", hangs ? "stubborn" : "unsaved", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, hangs ? 0 : 120,
                  200, 100, nullptr, nullptr, windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
