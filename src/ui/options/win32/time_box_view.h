#pragma once
#include <windows.h>

#include "model/twips.h"
#include "ui/kit/win32/control_views.h"
#include "ui/options/time_box.h"

namespace dwl::win32 {

// The time box of the Scenarios page: the edit and its drop-down list of
// hours or minutes, hooked so that the TimeBox model sees focus, caret and
// keys, and the list placed under the part it was opened for.
class TimeBoxView {
public:
    // Hooks the box and the list once both exist (the page is made when it is
    // first turned to); `where` is the box's place in the page.
    void Wire(TimeBox* model, TextBoxView* box, Binder* list, const Dpi& dpi, TwipsRect where);
    // The windows are gone.
    void Reset();

private:
    bool OnBoxMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    bool OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void Focus(TimeBoxFocus target);

    TimeBox* model_ = nullptr;
    TextBoxView* box_ = nullptr;
    Binder* list_ = nullptr;
    const Dpi* dpi_ = nullptr;
    TwipsRect where_{};
};

}  // namespace dwl::win32
