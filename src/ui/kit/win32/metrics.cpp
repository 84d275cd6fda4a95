#include "ui/kit/win32/control_views.h"

#include <algorithm>

#include "model/text.h"

namespace dwl::win32 {

Dpi::Dpi() {
    if (const WindowDc screen(nullptr); screen) {
        dpiX_ = GetDeviceCaps(screen.get(), LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen.get(), LOGPIXELSY);
    }
}

HFONT MessageFont() {
    static UniqueFont font = [] {
        NONCLIENTMETRICSA metrics{};
        metrics.cbSize = sizeof metrics;
        if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
            return UniqueFont(CreateFontIndirectA(&metrics.lfMessageFont));
        return UniqueFont();
    }();
    return font ? font.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

std::string WithMnemonic(const std::string& caption, char key) {
    if (key == 0) return caption;
    const auto at =
        std::find_if(caption.begin(), caption.end(), [&](char c) { return AsciiLower(c) == AsciiLower(key); });
    if (at == caption.end()) return caption;
    std::string text = caption;
    text.insert(static_cast<size_t>(at - caption.begin()), 1, '&');
    return text;
}

}  // namespace dwl::win32
