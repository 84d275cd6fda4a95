#include "platform/win32/visual_styles.h"

#include "platform/win32/system_library.h"

namespace dwl::win32 {
namespace {

constexpr DWORD kEnableTab = 6;  // ETDT_ENABLETAB
constexpr int kTabBody = 10;     // TABP_BODY

using HTheme = HANDLE;

bool Themed() {
    static const auto isAppThemed = SystemFunction<BOOL(WINAPI*)()>("uxtheme.dll", "IsAppThemed");
    return isAppThemed && isAppThemed();
}

}  // namespace

void EnableTabPageTexture(HWND page) {
    using Enable = HRESULT(WINAPI*)(HWND, DWORD);
    if (!Themed()) return;
    if (auto enable = SystemFunction<Enable>("uxtheme.dll", "EnableThemeDialogTexture")) enable(page, kEnableTab);
}

bool PaintTabPageBackground(HWND page, HDC dc) {
    using Open = HTheme(WINAPI*)(HWND, LPCWSTR);
    using Close = HRESULT(WINAPI*)(HTheme);
    using Draw = HRESULT(WINAPI*)(HTheme, HDC, int, int, const RECT*, const RECT*);
    if (!Themed()) return false;
    static const auto open = SystemFunction<Open>("uxtheme.dll", "OpenThemeData");
    static const auto close = SystemFunction<Close>("uxtheme.dll", "CloseThemeData");
    static const auto draw = SystemFunction<Draw>("uxtheme.dll", "DrawThemeBackground");
    if (!open || !close || !draw) return false;
    HTheme theme = open(page, L"TAB");
    if (!theme) return false;
    RECT area{};
    GetClientRect(page, &area);
    const bool drawn = SUCCEEDED(draw(theme, dc, kTabBody, 0, &area, nullptr));
    close(theme);
    return drawn;
}

LRESULT TabPageControlColour(HWND control, HDC dc) {
    char className[32] = {};
    GetClassNameA(control, className, sizeof className);
    if (!Themed() || lstrcmpiA(className, "Edit") == 0 || lstrcmpiA(className, "ComboBox") == 0) return 0;
    SetBkMode(dc, TRANSPARENT);
    return reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
}

}  // namespace dwl::win32
