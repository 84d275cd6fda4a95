#pragma once
#include <windows.h>

#include <vector>

#include "ui/model/controls.h"

namespace dwl::win32 {

// Lengths in twips, as the window layouts give them.
struct TwipsRect {
    int left, top, width, height;
};

// Converts twips to pixels at the screen's real DPI.
class Dpi {
public:
    Dpi();
    int X(int twips) const { return MulDiv(twips, dpiX_, 1440); }
    int Y(int twips) const { return MulDiv(twips, dpiY_, 1440); }

private:
    int dpiX_ = 96;
    int dpiY_ = 96;
};

// The system's message font, shared by a window's controls.
HFONT MessageFont();

// Creates child windows for model controls and keeps both sides in step: the
// model's refreshes redraw the child, the user's changes go through the model's setters.
class ControlViews {
public:
    ControlViews(HWND parent, const Dpi& dpi) : parent_(parent), dpi_(dpi) {}
    ControlViews(const ControlViews&) = delete;
    ControlViews& operator=(const ControlViews&) = delete;
    ~ControlViews();

    HWND AddListBox(ListControl& control, int id, TwipsRect rect);
    HWND AddDropDown(ListControl& control, int id, TwipsRect rect);
    HWND AddCheckBox(CheckBox& control, int id, TwipsRect rect);
    HWND AddButton(Button& control, int id, TwipsRect rect);
    HWND AddLabel(Control& control, int id, TwipsRect rect);
    HWND AddProgressBar(ProgressBar& control, int id, TwipsRect rect);

    // WM_COMMAND from one of the children; true when it was one of them.
    bool OnCommand(int id, int code);

private:
    struct Entry {
        Control* control;
        HWND window;
        int id;
        enum Kind { ListBox, DropDown, Check, Push, Text, Progress } kind;
    };
    HWND Create(const char* className, const char* text, DWORD style, int id, TwipsRect rect);
    void Bind(Control& control, HWND window, int id, Entry::Kind kind);
    void Sync(const Entry& entry);

    HWND parent_;
    const Dpi& dpi_;
    std::vector<Entry> entries_;
};

} // namespace dwl::win32
