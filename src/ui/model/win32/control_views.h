#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "platform/win32/handles.h"
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

// `caption` with a keyboard mnemonic (&) before the first occurrence of
// `key`, in either case; unchanged when `key` is 0 or not in the caption.
std::string WithMnemonic(const std::string& caption, char key);

// How a text box takes the user's typing.
enum class TextInput {
    Typed,     // an ordinary edit: every change goes into the model
    ReadOnly,  // shown, selectable, never changed by the user
    KeysOnly,  // looks editable, but typing, pasting and deleting do nothing:
               // the view acts on the keys itself (see ControlViews::Hook)
};

// Creates child windows for model controls and keeps both sides in step: the
// model's refreshes redraw the child, the user's changes go through the model's
// setters. Tab order is the order of the Add calls.
class ControlViews {
public:
    ControlViews(HWND parent, const Dpi& dpi) : parent_(parent), dpi_(dpi) {}
    ControlViews(const ControlViews&) = delete;
    ControlViews& operator=(const ControlViews&) = delete;
    ~ControlViews();

    // Controls added from here on go into `parent` (a page of the window, say).
    // The frames of the container left go behind its other controls.
    void SetContainer(HWND parent);
    // Puts the frames added so far behind the controls they frame: these are
    // drawn over them and keep their places in the tab order.
    void SendFramesBack();

    HWND AddListBox(ListControl& control, int id, TwipsRect rect);
    HWND AddDropDown(ListControl& control, int id, TwipsRect rect);
    // A list with a check box per item: a click on the box, a double click or
    // the space bar toggles the item. With `columns` > 1 the items run across
    // in that many columns.
    HWND AddCheckedList(CheckedList& control, int id, TwipsRect rect, int columns = 1);
    HWND AddCheckBox(CheckBox& control, int id, TwipsRect rect);
    // `firstOfGroup` starts a new exclusive group.
    HWND AddOptionButton(OptionButton& control, int id, TwipsRect rect, bool firstOfGroup);
    // `isDefault`: the button Enter presses.
    HWND AddButton(Button& control, int id, TwipsRect rect, bool isDefault = false);
    // A label; `mnemonic` gives it a key that moves to the control after it.
    HWND AddLabel(Control& control, int id, TwipsRect rect, char mnemonic = 0);
    // A frame around other controls, with the control's caption.
    HWND AddGroupBox(Control& control, int id, TwipsRect rect);
    HWND AddTextBox(TextBox& control, int id, TwipsRect rect, TextInput input = TextInput::Typed);
    HWND AddProgressBar(ProgressBar& control, int id, TwipsRect rect);

    // Decorations without a model: a frame without caption, an icon, an etched line.
    HWND AddFrame(int id, TwipsRect rect);
    HWND AddIcon(HICON icon, int id, TwipsRect rect);
    HWND AddLine(int id, TwipsRect rect);

    // A view's own handling of a child's messages, in front of the child's
    // procedure. Returns true when it handled the message (result in `result`);
    // otherwise the child's procedure runs. CallOriginal runs the child's own
    // procedure from inside a hook.
    using MessageHook = std::function<bool(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)>;
    void Hook(HWND child, MessageHook hook);
    static LRESULT CallOriginal(HWND child, UINT message, WPARAM wParam, LPARAM lParam);

    // Copies the caret and selection of a text box's window into its model.
    void ReadSelection(TextBox& control);
    // The child window that shows a control of the model; nullptr for none.
    HWND WindowOf(const void* control) const;

    // WM_COMMAND from one of the children; true when it was one of them.
    bool OnCommand(int id, int code);
    // WM_DRAWITEM for an owner-drawn child; true when it was one of them.
    bool OnDrawItem(const DRAWITEMSTRUCT& item);

private:
    struct Entry {
        Control* control;
        HWND window;
        int id;
        enum Kind { ListBox, DropDown, Checked, Check, Option, Push, Text, Group, Edit, Progress } kind;
        char mnemonic = 0;
        TextInput input = TextInput::Typed;
        bool firstOfGroup = false;
        bool hasTool = false;      // registered with the tooltip window
        bool fromView = false;     // the model is being updated from the window
        MessageHook hook;
    };
    HWND Create(const char* className, const char* text, DWORD style, int id, TwipsRect rect);
    void Bind(Control& control, HWND window, int id, Entry::Kind kind, char mnemonic = 0);
    void Sync(Entry& entry);
    void SyncList(const Entry& entry);
    void SyncTooltip(Entry& entry);
    void SyncOptionTabStops(size_t index);
    void Subclass(HWND window);
    Entry* Find(HWND window);
    bool OnChildMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    void ToggleItem(Entry& entry, int item);
    int CheckBoxWidth() const;
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND parent_;
    const Dpi& dpi_;
    std::vector<Entry> entries_;
    std::vector<HWND> subclassed_;
    std::vector<HWND> frames_;  // not yet sent back
    UniqueWindow tooltip_;
};

} // namespace dwl::win32
