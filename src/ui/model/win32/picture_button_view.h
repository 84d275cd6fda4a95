#pragma once
#include <windows.h>

#include "platform/win32/handles.h"
#include "ui/model/win32/control_views.h"

namespace dwl::win32 {

// A button that shows a picture instead of a caption: an icon resource of
// the program, drawn centred at `iconSize` pixels on a 96-DPI screen and at
// 1.5 or 2 times that on screens of 150 % and 200 %. The tooltip names it.
class PictureButtonView : public Binder {
public:
    PictureButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, int iconResource, int iconSize);
    void OnCommand(int code) override;
    void SyncValue() override {}
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;

private:
    UniqueIcon icon_;
    int iconSize_ = 0;
};

}  // namespace dwl::win32
