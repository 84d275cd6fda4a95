#pragma once
#include <cstdint>
#include <vector>

namespace dwl {

// The pictures of the Quickbar's eight buttons, in the bar's order, drawn when
// a button first needs one at the size it is shown: a bright shape in a dark
// outline one pixel wide, so it reads on light and on dark button faces alike.
inline constexpr int kQuickbarPictureCount = 8;

// Picture `index` at `size` x `size` pixels: rows top first, each pixel
// 0xAARRGGBB with straight (not premultiplied) alpha. Empty for an index out of range.
std::vector<std::uint32_t> DrawQuickbarPicture(int index, int size);

}  // namespace dwl
