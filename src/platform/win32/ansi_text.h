#pragma once
// Between the program's ANSI texts and the system's UTF-16 names. A name is
// only ever narrowed exactly: the code page's "best fit" would turn look-alikes
// (a fullwidth backslash) into other characters, and so into another path.
#include <windows.h>

#include <algorithm>
#include <optional>
#include <string>

namespace dwl::win32 {

// An ANSI text as UTF-16: exact for every text the program holds.
inline std::wstring WidenAnsi(const std::string& text) {
    const int size = static_cast<int>(text.size());
    std::wstring wide(static_cast<size_t>(std::max(0, MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0))),
                      L'\0');
    if (!wide.empty()) MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

// A UTF-16 name in ANSI, or nothing when the code page cannot hold it exactly.
inline std::optional<std::string> ExactAnsi(const std::wstring& name) {
    if (name.empty()) return std::string();
    const int size = static_cast<int>(name.size());
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy) return std::nullopt;
    std::string ansi(static_cast<size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, name.data(), size, ansi.data(), length, nullptr, &lossy);
    if (lossy) return std::nullopt;
    return ansi;
}

}  // namespace dwl::win32
