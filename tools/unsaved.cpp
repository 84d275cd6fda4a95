// unsaved: an editor holding unsaved work, for the tests of closing
// applications. WM_CLOSE asks "Save changes?" (Yes, No, Cancel) in a modal
// box and closes only when the user answers Yes or No.
#include <windows.h>

namespace {

LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE:
        if (MessageBoxA(window, "Save changes to the document?", "unsaved", MB_YESNOCANCEL | MB_ICONQUESTION) !=
            IDCANCEL)
            DestroyWindow(window);
        return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int main() {
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = Procedure;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "Unsaved";
    RegisterClassA(&windowClass);
    CreateWindowA("Unsaved", "unsaved", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 120, 200, 100, nullptr, nullptr,
                  windowClass.hInstance, nullptr);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
    return 0;
}
