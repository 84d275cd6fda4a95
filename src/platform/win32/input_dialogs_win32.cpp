#include "platform/win32/input_dialogs_win32.h"

#include <commdlg.h>

#include <vector>

#include "platform/win32/system_library.h"
#include "platform/win32/trace.h"

namespace dwl::win32 {
namespace {

constexpr DWORD kFileBufferSize = 32000;
enum : int { IdPrompt = 100, IdAnswer = 101 };

// An in-memory dialog template: the header, then each item, DWORD-aligned.
class DialogTemplate {
public:
    DialogTemplate(const std::string& title, short width, short height) {
        DLGTEMPLATE header{};
        header.style = DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
        header.cx = width;
        header.cy = height;
        Append(&header, sizeof header);
        Word(0);  // no menu
        Word(0);  // the standard dialog class
        Text(title);
        Word(8);
        Text("MS Shell Dlg");
    }
    void Item(const char* className, const std::string& text, DWORD style, int id, short x, short y, short cx,
              short cy) {
        bytes_.resize((bytes_.size() + 3) & ~size_t{3});
        DLGITEMTEMPLATE item{};
        item.style = style | WS_CHILD | WS_VISIBLE;
        item.x = x;
        item.y = y;
        item.cx = cx;
        item.cy = cy;
        item.id = static_cast<WORD>(id);
        Append(&item, sizeof item);
        Text(className);
        Text(text);
        Word(0);  // no creation data
        ++reinterpret_cast<DLGTEMPLATE*>(bytes_.data())->cdit;
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(bytes_.data()); }

private:
    void Append(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        bytes_.insert(bytes_.end(), p, p + size);
    }
    void Word(WORD w) { Append(&w, sizeof w); }
    void Text(const std::string& text) {
        const int n = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
        std::vector<wchar_t> wide(static_cast<size_t>(n > 0 ? n : 1), L'\0');
        if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), n);
        Append(wide.data(), wide.size() * sizeof(wchar_t));
    }
    std::vector<unsigned char> bytes_;  // DLGTEMPLATE wants WORD alignment: vector storage gives more
};

struct PromptState {
    std::string answer;
};

INT_PTR CALLBACK PromptProcedure(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        SetWindowLongPtrA(dialog, DWLP_USER, lParam);
        SetFocus(GetDlgItem(dialog, IdAnswer));
        return FALSE;  // the focus is set
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK) {
            auto* state = reinterpret_cast<PromptState*>(GetWindowLongPtrA(dialog, DWLP_USER));
            HWND edit = GetDlgItem(dialog, IdAnswer);
            std::vector<char> text(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
            GetWindowTextA(edit, text.data(), static_cast<int>(text.size()));
            if (state) state->answer = text.data();
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    default: return FALSE;
    }
}

}  // namespace

HWND Win32InputDialogs::Owner(DialogOwner which) const {
    HWND window = owner_ && which != DialogOwner::None ? owner_(which) : nullptr;
    return window && IsWindow(window) ? window : nullptr;
}

std::string Win32InputDialogs::ShowOpenDialog(DialogOwner owner, const std::string& initialFolder) {
    std::vector<char> file(kFileBufferSize, '\0');
    std::vector<char> title(kFileBufferSize, '\0');
    OPENFILENAMEA dialog{};
    dialog.lStructSize = OPENFILENAME_SIZE_VERSION_400A;  // the size every system knows
    dialog.hwndOwner = Owner(owner);
    dialog.hInstance = GetModuleHandleA(nullptr);
    dialog.lpstrFilter = "Applications (*.exe)\0*.exe\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = kFileBufferSize - 1;
    dialog.lpstrFileTitle = title.data();
    dialog.nMaxFileTitle = kFileBufferSize - 1;
    dialog.lpstrInitialDir = initialFolder.c_str();
    dialog.lpstrTitle = "Open file(s):";
    dialog.Flags = OFN_EXPLORER;
    // The common dialogs' library (with the printing support it brings) is
    // loaded for the first dialog, not at start.
    using Open = BOOL(WINAPI*)(OPENFILENAMEA*);
    using LastError = DWORD(WINAPI*)();
    const auto open = SystemFunction<Open>("comdlg32.dll", "GetOpenFileNameA");
    if (!Check(open != nullptr, "loading GetOpenFileNameA")) return {};
    if (!open(&dialog)) {
        const auto lastError = SystemFunction<LastError>("comdlg32.dll", "CommDlgExtendedError");
        Check(lastError && lastError() == 0, "GetOpenFileNameA");
        return {};
    }
    return std::string(file.data());
}

std::optional<std::string> Win32InputDialogs::InputBox(const std::string& prompt, const std::string& title,
                                                       DialogOwner owner) {
    // Laid out in dialog units: the prompt on the left, OK and Cancel on the
    // right, the answer across the bottom.
    DialogTemplate layout(title, 260, 84);
    layout.Item("STATIC", prompt, SS_LEFT | SS_NOPREFIX, IdPrompt, 7, 7, 186, 48);
    layout.Item("BUTTON", "OK", BS_DEFPUSHBUTTON | WS_TABSTOP, IDOK, 203, 7, 50, 14);
    layout.Item("BUTTON", "Cancel", BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL, 203, 24, 50, 14);
    layout.Item("EDIT", "", ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, IdAnswer, 7, 62, 246, 14);
    PromptState state;
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.Get(), Owner(owner),
                                                   &PromptProcedure, reinterpret_cast<LPARAM>(&state));
    Check(result != -1, "DialogBoxIndirectParamA");
    if (result != IDOK) return std::nullopt;
    return state.answer;
}

}  // namespace dwl::win32
