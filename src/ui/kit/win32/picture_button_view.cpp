#include "ui/kit/win32/picture_button_view.h"

#include <cstring>
#include <utility>

#include "platform/win32/trace.h"

namespace dwl::win32 {

HICON MakeAlphaIcon(const std::vector<std::uint32_t>& pixels, int size) {
    if (size <= 0 || pixels.size() != static_cast<size_t>(size) * static_cast<size_t>(size)) return nullptr;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = size;
    info.bmiHeader.biHeight = -size;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    UniqueBitmap colour(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!Check(colour && bits, "CreateDIBSection of a picture")) return nullptr;
    std::memcpy(bits, pixels.data(), pixels.size() * sizeof pixels[0]);
    // Monochrome rows are padded to 16 bits.
    const size_t stride = (static_cast<size_t>(size) + 15) / 16 * 2;
    std::vector<BYTE> mask(stride * static_cast<size_t>(size));
    for (size_t y = 0; y < static_cast<size_t>(size); ++y)
        for (size_t x = 0; x < static_cast<size_t>(size); ++x)
            if ((pixels[y * static_cast<size_t>(size) + x] >> 24) == 0)
                mask[y * stride + x / 8] |= static_cast<BYTE>(0x80 >> (x % 8));
    UniqueBitmap maskBitmap(CreateBitmap(size, size, 1, 1, mask.data()));
    if (!Check(static_cast<bool>(maskBitmap), "CreateBitmap of a picture's mask")) return nullptr;
    ICONINFO icon{TRUE, 0, 0, maskBitmap.get(), colour.get()};
    HICON made = CreateIconIndirect(&icon);
    Check(made != nullptr, "CreateIconIndirect");
    return made;
}

PictureButtonView::PictureButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, Picture picture,
                                     int pictureSize)
    : Binder(views, model, id), picture_(std::move(picture)) {
    Create("BUTTON", "", BS_OWNERDRAW, rect);
    // 1, 1.5 or 2 times the size; in between the smaller one is taken rather
    // than a blurred enlargement.
    const int dpi = views.Scale().X(1440);
    iconSize_ = dpi >= 192 ? pictureSize * 2 : dpi >= 144 ? pictureSize * 3 / 2 : pictureSize;
}

void PictureButtonView::OnCommand(int code) {
    if (code == BN_CLICKED) static_cast<Button&>(model_).Click();
}

bool PictureButtonView::OnDrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT face = item.rcItem;
    const bool pressed = (item.itemState & ODS_SELECTED) != 0;
    FillRect(dc, &face, GetSysColorBrush(COLOR_BTNFACE));
    DrawEdge(dc, &face, pressed ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (!icon_ && picture_) {
        icon_.reset(MakeAlphaIcon(picture_(iconSize_), iconSize_));
        picture_ = nullptr;  // made once, even when that failed
    }
    if (icon_) {
        // Centred, one pixel lower and to the right while pressed; a picture
        // larger than its button overlaps the edge rather than being cut.
        const int shift = pressed ? 1 : 0;
        const int x = (face.left + face.right - iconSize_) / 2 + shift;
        const int y = (face.top + face.bottom - iconSize_) / 2 + shift;
        DrawIconEx(dc, x, y, icon_.get(), iconSize_, iconSize_, 0, nullptr, DI_NORMAL);
    }
    return true;
}

}  // namespace dwl::win32
