#include "settings/quickbar_settings.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "model/text.h"
#include "settings/registry_access.h"

namespace dwl {
namespace {

constexpr const char* kSection = "Quickbar";
constexpr const char* kButtonValues[] = {"qbShutdown",  "qbRestart", "qbLogoff", "qbSuspend",
                                         "qbHibernate", "qbLock",    "qbConfig", "qbAOT"};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The number a stored text holds (blanks around it allowed), or nothing:
// decimal digits with an optional minus sign, point and exponent. Read here
// rather than by the library's floating-point reader, which would add some
// 40 KB to dwl.exe; numbers of up to 15 digits come out exactly as it reads them.
std::optional<double> Number(const std::string& text) {
    size_t i = text.find_first_not_of(' ');
    if (i == std::string::npos) return std::nullopt;
    const size_t end = text.find_last_not_of(' ') + 1;
    const bool negative = text[i] == '-';
    if (negative) ++i;
    double mantissa = 0;
    int scale = 0;
    int digits = 0;
    for (; i < end && IsDigit(text[i]); ++i, ++digits) mantissa = mantissa * 10 + (text[i] - '0');
    if (i < end && text[i] == '.')
        for (++i; i < end && IsDigit(text[i]); ++i, ++digits, --scale) mantissa = mantissa * 10 + (text[i] - '0');
    if (digits == 0) return std::nullopt;
    if (i < end && (text[i] == 'e' || text[i] == 'E')) {
        ++i;
        const bool down = i < end && text[i] == '-';
        if (i < end && (text[i] == '-' || text[i] == '+')) ++i;
        const size_t first = i;
        int exponent = 0;
        for (; i < end && IsDigit(text[i]); ++i) exponent = std::min(exponent * 10 + (text[i] - '0'), 9999);
        if (i == first) return std::nullopt;
        scale += down ? -exponent : exponent;
    }
    if (i != end) return std::nullopt;
    // One rounding: the powers of ten up to 10^22 are exact.
    double power = 1;
    for (int k = std::abs(scale); k > 0 && std::isfinite(power); --k) power *= 10;
    const double value = scale < 0 ? mantissa / power : mantissa * power;
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
}

int Box(MyRegistry& registry, const char* value, int defaultState) {
    const auto number = Number(registry.LoadFromRegistry(kSection, value, defaultState));
    return number && (*number == 0 || *number == 1) ? static_cast<int>(*number) : defaultState;
}

bool Truth(MyRegistry& registry, const char* value, bool defaultValue) {
    const auto number = Number(registry.LoadFromRegistry(kSection, value, defaultValue ? 1 : 0));
    return number ? *number != 0 : defaultValue;
}

int Twips(MyRegistry& registry, const char* value) {
    const auto number = Number(registry.LoadFromRegistry(kSection, value, 0));
    // Far beyond any screen, but still a window position; the value as it
    // is saved again, rounded, must lie within it.
    constexpr int kLimit = 99999999;
    return number ? IntWithin(std::round(*number), -kLimit, kLimit).value_or(0) : 0;
}

const char* Flag(bool on) { return on ? "1" : "0"; }

}  // namespace

void LoadQuickbarSettings(MyRegistry& registry, QuickbarSettings& settings) {
    const QuickbarSettings defaults;
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    settings.Enabled = Box(registry, "Enabled", defaults.Enabled);
    settings.AOT = Box(registry, "AOT", defaults.AOT);
    settings.Confirmations = Box(registry, "Confirmations", defaults.Confirmations);
    for (size_t i = 0; i < settings.Buttons.size(); ++i)
        settings.Buttons[i] = Box(registry, kButtonValues[i], defaults.Buttons[i]);
    settings.Horizontally = Truth(registry, "Horizontally", defaults.Horizontally);
    settings.Vertically = Truth(registry, "Vertically", defaults.Vertically);
    settings.Large = Truth(registry, "Large", defaults.Large);
    settings.Small = Truth(registry, "Small", defaults.Small);
    settings.PosX = Twips(registry, "PosX");
    settings.PosY = Twips(registry, "PosY");
}

void SaveQuickbarSettings(MyRegistry& registry, const QuickbarSettings& settings) {
    std::vector<std::pair<const char*, std::string>> values = {{"Enabled", Flag(settings.Enabled != 0)},
                                                               {"AOT", Flag(settings.AOT != 0)},
                                                               {"Confirmations", Flag(settings.Confirmations != 0)}};
    for (size_t i = 0; i < settings.Buttons.size(); ++i)
        values.emplace_back(kButtonValues[i], Flag(settings.Buttons[i] != 0));
    values.insert(values.end(), {{"Horizontally", Flag(settings.Horizontally)},
                                 {"Vertically", Flag(settings.Vertically)},
                                 {"Large", Flag(settings.Large)},
                                 {"Small", Flag(settings.Small)},
                                 {"PosX", std::to_string(settings.PosX)},
                                 {"PosY", std::to_string(settings.PosY)}});
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    // A section that can't be written says so once, not once a value.
    for (const auto& [name, text] : values)
        if (!registry.SaveToRegistry(kSection, name, text)) return;
}

void SaveQuickbarPosition(MyRegistry& registry, int posX, int posY) {
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    if (registry.SaveToRegistry(kSection, "PosX", posX)) registry.SaveToRegistry(kSection, "PosY", posY);
}

void SaveQuickbarBox(MyRegistry& registry, const char* value, int state) {
    registry.TuneMyRegistry("HKEY_CURRENT_USER", "SOFTWARE\\Orbelle\\DWL");
    registry.SaveToRegistry(kSection, value, Flag(state != 0));
}

}  // namespace dwl
