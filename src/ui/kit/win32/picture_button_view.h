#pragma once
#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "platform/win32/handles.h"
#include "ui/kit/win32/control_views.h"

namespace dwl::win32 {

// A button that shows a picture instead of a caption, drawn centred at
// `pictureSize` pixels on a 96-DPI screen and at 1.5 or 2 times that on
// screens of 150 % and 200 %. The picture is made when the button is first
// painted, at that one size: rows top first, pixels 0xAARRGGBB with straight alpha.
class PictureButtonView : public Binder {
public:
    using Picture = std::function<std::vector<std::uint32_t>(int size)>;
    PictureButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, Picture picture, int pictureSize);
    void OnCommand(int code) override;
    void SyncValue() override {}
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    Picture picture_;
    UniqueIcon icon_;
    int iconSize_ = 0;
};

// An icon of `size` x `size` pixels (0xAARRGGBB, rows top first) that keeps
// its alpha: a 32-bit colour bitmap, and a mask set where it is fully transparent.
HICON MakeAlphaIcon(const std::vector<std::uint32_t>& pixels, int size);

}  // namespace dwl::win32
