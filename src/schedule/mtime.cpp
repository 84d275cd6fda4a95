#include "schedule/mtime.h"

#include <cctype>

#include "model/text.h"

namespace dwl {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads exactly `count` digits at `pos`, advancing it.
std::optional<int> ReadDigits(const std::string& text, size_t& pos, size_t count) {
    int value = 0;
    for (size_t i = 0; i < count; ++i, ++pos) {
        if (pos >= text.size() || !IsDigit(text[pos])) return std::nullopt;
        value = value * 10 + (text[pos] - '0');
    }
    return value;
}

std::string TwoDigits(int value) {
    return std::string(1, static_cast<char>('0' + value / 10)) + static_cast<char>('0' + value % 10);
}

}  // namespace

std::optional<std::pair<int, int>> ReadTimeOfDay(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) ++begin;
    while (end > begin && IsBlank(text[end - 1])) --end;
    const std::string t = text.substr(begin, end - begin);

    size_t pos = 0;
    const size_t hourDigits = (t.size() > 1 && IsDigit(t[0]) && IsDigit(t[1])) ? 2 : 1;
    const auto hour = ReadDigits(t, pos, hourDigits);
    if (!hour || pos >= t.size() || t[pos++] != ':') return std::nullopt;
    const auto minute = ReadDigits(t, pos, 2);
    if (!minute || *minute > 59) return std::nullopt;
    if (pos < t.size() && t[pos] == ':') {
        ++pos;
        const auto second = ReadDigits(t, pos, 2);
        if (!second || *second > 59) return std::nullopt;
    }

    if (pos == t.size()) {
        if (*hour > 23) return std::nullopt;
        return std::pair{*hour, *minute};
    }

    // The designator, after at least one blank.
    if (!IsBlank(t[pos])) return std::nullopt;
    while (pos < t.size() && IsBlank(t[pos])) ++pos;
    if (t.size() - pos != 2 || AsciiUpper(t[pos + 1]) != 'M') return std::nullopt;
    const char designator = AsciiUpper(t[pos]);
    if ((designator != 'A' && designator != 'P') || *hour < 1 || *hour > 12) return std::nullopt;
    const int hour24 = (*hour % 12) + (designator == 'P' ? 12 : 0);
    return std::pair{hour24, *minute};
}

std::string TimeText(int hour, int minute, bool use12Hour) {
    hour = ((hour % 24) + 24) % 24;
    minute = ((minute % 60) + 60) % 60;
    if (!use12Hour) return std::to_string(hour) + ":" + TwoDigits(minute);
    const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
    return std::to_string(hour12) + ":" + TwoDigits(minute) + (hour < 12 ? " AM" : " PM");
}

std::string Time24Text(std::string& time, IClock& clock) {
    if (time.find_first_not_of(" \t") == std::string::npos) {
        time = clock.SystemTimeText();
        if (!ReadTimeOfDay(time)) {
            const LocalTime now = clock.Now();
            time = TimeText(now.hour, now.minute, false);
        }
    }
    const auto read = ReadTimeOfDay(time);
    return read ? TimeText(read->first, read->second, false) : std::string();
}

std::string Time12Text(const std::string& time) {
    const auto read = ReadTimeOfDay(time);
    return read ? TimeText(read->first, read->second, true) : std::string();
}

std::string CurrentTimeText(IClock& clock, bool use12Hour) {
    std::string now;
    const std::string text24 = Time24Text(now, clock);
    return use12Hour ? Time12Text(text24) : text24;
}

bool SystemFormatIs12Hour(const std::string& systemTimeText) {
    for (char c : systemTimeText) {
        const char lower = AsciiLower(c);
        if (lower == 'a' || lower == 'p') return true;
    }
    return false;
}

}  // namespace dwl
