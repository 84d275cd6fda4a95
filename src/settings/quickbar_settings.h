#pragma once
#include <array>

namespace dwl {

class MyRegistry;

// The Quickbar's stored settings, section "Quickbar" under
// HKEY_CURRENT_USER\SOFTWARE\Orbelle\DWL, with their defaults.
struct QuickbarSettings {
    int Enabled = 0, AOT = 1, Confirmations = 1;
    // The button boxes in the bar's order: qbShutdown, qbRestart, qbLogoff,
    // qbSuspend, qbHibernate, qbLock, qbConfig, qbAOT.
    std::array<int, 8> Buttons{1, 1, 1, 1, 1, 1, 1, 1};
    bool Horizontally = true, Vertically = false, Large = true, Small = false;
    int PosX = 0, PosY = 0;  // the bar's top-left corner, in twips
};

// Reads the section. A missing value, or a text that is not a number (a box
// other than 0 or 1), loads as the value's default.
void LoadQuickbarSettings(MyRegistry& registry, QuickbarSettings& settings);

// Writes every value of the section; boxes as "0" or "1", options as "0" or
// "1", positions as whole twips.
void SaveQuickbarSettings(MyRegistry& registry, const QuickbarSettings& settings);

// Writes "PosX" and "PosY" alone.
void SaveQuickbarPosition(MyRegistry& registry, int posX, int posY);

// Writes one box value ("Enabled", "AOT", ...) alone.
void SaveQuickbarBox(MyRegistry& registry, const char* value, int state);

}  // namespace dwl
