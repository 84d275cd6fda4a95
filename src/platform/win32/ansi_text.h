#pragma once
// Between the system's UTF-16 names and the program's texts: the file
// system's paths in UTF-8, other names in ANSI. A name is only ever narrowed to ANSI
// exactly: the code page's "best fit" would turn look-alikes (a fullwidth
// backslash) into other characters, and so into another path.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

namespace dwl::win32 {

// A text of the code page as UTF-16.
inline std::wstring Widen(const std::string& text, UINT codePage) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(std::max(0, MultiByteToWideChar(codePage, 0, text.data(), size, nullptr, 0))),
                      L'\0');
    if (!wide.empty()) MultiByteToWideChar(codePage, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}
// An ANSI text as UTF-16: exact for every text the program holds.
inline std::wstring WidenAnsi(const std::string& text) { return Widen(text, CP_ACP); }
// A path of the file system (UTF-8) as UTF-16, and back.
inline std::wstring WidenPath(const std::string& path) { return Widen(path, CP_UTF8); }
inline std::string Utf8Path(const std::wstring& path) {
    const int size = static_cast<int>(path.size());
    std::string text(static_cast<size_t>(
                         std::max(0, WideCharToMultiByte(CP_UTF8, 0, path.data(), size, nullptr, 0, nullptr, nullptr))),
                     '\0');
    if (!text.empty())
        WideCharToMultiByte(CP_UTF8, 0, path.data(), size, text.data(), static_cast<int>(text.size()), nullptr,
                            nullptr);
    return text;
}

// A UTF-16 name in ANSI, or nothing when the code page cannot hold it exactly.
inline std::optional<std::string> ExactAnsi(const std::wstring& name) {
    if (name.empty()) return std::string();
    const int size = static_cast<int>(name.size());
    BOOL lossy = FALSE;
    const int length =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, ansi.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return ansi;
}

}  // namespace dwl::win32
