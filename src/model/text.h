#pragma once
#include <optional>
#include <string>
#include <vector>

#include "model/power_action.h"

namespace dwl {

// The two actions of scenario entries that carry an application's name.
inline constexpr const char* kRunAppText = "Run Application";
inline constexpr const char* kCloseAppText = "Close Application";

// Fields of an entry are separated by this text.
inline constexpr const char* kFieldSeparator = "; ";

// The text between the first `startDelimiter` and the next `endDelimiter`:
// "0" when the start delimiter does not occur, empty when the end one does not
// follow it (before a second start delimiter).
std::string TextBetween(const std::string& text, const std::string& startDelimiter, const std::string& endDelimiter);

// Cuts `text` at every `separator`; a text without it is one piece.
std::vector<std::string> Split(const std::string& text, const std::string& separator);

// ASCII case, whatever the C library's locale: only A-Z and a-z change.
constexpr char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
constexpr char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
inline std::string AsciiLowered(std::string text) {
    for (char& c : text) c = AsciiLower(c);
    return text;
}
inline std::string AsciiUppered(std::string text) {
    for (char& c : text) c = AsciiUpper(c);
    return text;
}

// A stored number as an int when its whole value lies within [low, high]:
// compared before it is narrowed, so a value too wide for an int never
// wraps round into the range. A fraction is rounded by the caller first.
template <class Number>
constexpr std::optional<int> IntWithin(Number value, int low, int high) {
    if (!(value >= low && value <= high)) return std::nullopt;
    return static_cast<int>(value);
}

// `text` without the blanks around it.
std::string TrimBlanks(const std::string& text);

// A count of minutes, 1 to `most`, written in one to four decimal digits and
// nothing else; nothing otherwise.
std::optional<int> ReadMinuteCount(const std::string& text, int most);

// Whether a process's executable is `exeName` ("notepad.exe"): the same name
// without regard to case, or a full path ending in "\" and that name.
bool ProcessMatches(const std::string& exeFile, const std::string& exeName);

}  // namespace dwl
