#include "ui/model/win32/picture_button_view.h"

namespace dwl::win32 {

PictureButtonView::PictureButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, int iconResource,
                                     int iconSize)
    : Binder(views, model, id) {
    Create("BUTTON", "", BS_OWNERDRAW, rect);
    // The icons hold 1, 1.5 and 2 times the size; in between the smaller one
    // is taken rather than a blurred enlargement.
    const int dpi = views.Scale().X(1440);
    iconSize_ = dpi >= 192 ? iconSize * 2 : dpi >= 144 ? iconSize * 3 / 2 : iconSize;
    icon_.reset(static_cast<HICON>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(iconResource), IMAGE_ICON,
                                              iconSize_, iconSize_, LR_DEFAULTCOLOR)));
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
