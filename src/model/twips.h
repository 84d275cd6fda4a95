#pragma once

namespace dwl {

// A rectangle in twips (1440 to the inch), as the window layouts give them.
struct TwipsRect {
    int left, top, width, height;
    bool operator==(const TwipsRect&) const = default;
};

}  // namespace dwl
