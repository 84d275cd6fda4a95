#include "model/text.h"

namespace dwl {

std::string TextBetween(const std::string& text, const std::string& startDelimiter, const std::string& endDelimiter) {
    if (startDelimiter.empty()) return "0";
    const size_t start = text.find(startDelimiter);
    if (start == std::string::npos) return "0";
    const size_t pieceBegin = start + startDelimiter.size();
    const size_t nextStart = text.find(startDelimiter, pieceBegin);
    const std::string piece =
        text.substr(pieceBegin, nextStart == std::string::npos ? std::string::npos : nextStart - pieceBegin);
    const size_t end = endDelimiter.empty() ? std::string::npos : piece.find(endDelimiter);
    if (end == std::string::npos) return {};
    return piece.substr(0, end);
}

std::vector<std::string> Split(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (size_t found; !separator.empty() && (found = text.find(separator, start)) != std::string::npos;
         start = found + separator.size())
        pieces.push_back(text.substr(start, found - start));
    pieces.push_back(text.substr(start));
    return pieces;
}

std::string TrimBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    const size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

bool ProcessMatches(const std::string& exeFile, const std::string& exeName) {
    const std::string file = AsciiLowered(exeFile);
    const std::string name = AsciiLowered(exeName);
    if (name.empty()) return false;
    if (file == name) return true;
    return file.size() > name.size() && file.compare(file.size() - name.size(), name.size(), name) == 0 &&
           file[file.size() - name.size() - 1] == '\\';
}

std::optional<int> ReadMinuteCount(const std::string& text, int most) {
    if (text.empty() || text.size() > 4) return std::nullopt;
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return IntWithin(value, 1, most);
}

}  // namespace dwl
