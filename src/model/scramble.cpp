#include "model/scramble.h"

namespace dwl {

std::string UnscrambleText(const std::string& text, int key) {
    // The digits of the key's text; its sign is no digit (and negating the
    // most negative key would overflow).
    int sum = 0;
    for (char digit : std::to_string(key))
        if (digit != '-') sum += digit - '0';
    sum %= 256;
    std::string result(text.size(), '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned pad = static_cast<unsigned>(i + 1 + static_cast<size_t>(sum)) % 256;
        result[i] = static_cast<char>(pad ^ static_cast<unsigned char>(text[i]));
    }
    return result;
}

}  // namespace dwl
