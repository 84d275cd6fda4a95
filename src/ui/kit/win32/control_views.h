#pragma once
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "model/controls.h"
#include "model/twips.h"
#include "platform/win32/handles.h"
#include "platform/win32/subclass.h"

namespace dwl::win32 {

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
    Digits,    // typed, taking digits only
    ReadOnly,  // shown, selectable, never changed by the user
    Hidden,    // typed, shown as bullets (a password)
    KeysOnly,  // looks editable, but typing, pasting and deleting do nothing:
               // the view acts on the keys itself (see Binder::Hook)
};

class ControlViews;

// Keeps one child window in step with one model control. Each kind of control
// has its binder: its constructor creates the window, SyncValue shows the
// model's value in it, OnCommand carries the user's change back through the
// model's setters, OnMessage (once it called Intercept) handles the window's
// messages in front of its own procedure.
class Binder {
public:
    virtual ~Binder() { model_.onRefresh = nullptr; }
    HWND Window() const { return window_; }
    Control& Model() const { return model_; }
    int Id() const { return id_; }
    // Model to window: the value, then enabled, visible and tooltip.
    void Sync();
    virtual void SyncValue() = 0;
    // WM_COMMAND from the window, with its notification code.
    virtual void OnCommand(int /*code*/) {}
    // WM_DRAWITEM for the window; true when the binder draws it.
    virtual bool OnDrawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual bool OnMessage(UINT /*message*/, WPARAM, LPARAM, LRESULT& /*result*/) { return false; }
    // The binder as its kind, or nothing (the program is built without run-time type information).
    virtual class OptionView* AsOption() { return nullptr; }
    virtual class TextBoxView* AsTextBox() { return nullptr; }
    // A view's own handling of the window's messages, after the binder's.
    void Hook(Subclass::Handler hook);
    LRESULT CallOriginal(UINT message, WPARAM wParam, LPARAM lParam) {
        return subclass_.CallNext(message, wParam, lParam);
    }

protected:
    Binder(ControlViews& views, Control& model, int id) : views_(views), model_(model), id_(id) {}
    void Create(const char* className, const char* text, DWORD style, TwipsRect rect);
    void Intercept();

    ControlViews& views_;
    Control& model_;
    const int id_;
    HWND window_ = nullptr;

private:
    void SyncTooltip();
    Subclass subclass_;
    Subclass::Handler hook_;
    bool hasTool_ = false;  // registered with the tooltip window
};

class ListBoxView : public Binder {
public:
    ListBoxView(ControlViews& views, ListControl& model, int id, TwipsRect rect);
    void OnCommand(int code) override;
    void SyncValue() override;

protected:
    ListBoxView(ControlViews& views, ListControl& model, int id, bool box) : Binder(views, model, id), box_(box) {}
    const bool box_;  // a list box, not a drop-down list
};

struct DropDownView : ListBoxView {
    DropDownView(ControlViews& views, ListControl& model, int id, TwipsRect rect);
};

// A list with a check box per item: a click on the box, a double click or the
// space bar toggles the item. With `columns` > 1 the items run across in that
// many columns.
class CheckedListView : public ListBoxView {
public:
    CheckedListView(ControlViews& views, CheckedList& model, int id, TwipsRect rect, int columns = 1);
    bool OnDrawItem(const DRAWITEMSTRUCT& item) override;
    void SyncValue() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void Toggle(int item);
    int BoxWidth() const;
};

struct CheckBoxView : Binder {
    CheckBoxView(ControlViews& views, CheckBox& model, int id, TwipsRect rect);
    void OnCommand(int code) override;
    void SyncValue() override;
};

// `firstOfGroup` starts a new exclusive group; the later buttons join the group
// of the button added before them.
class OptionView : public Binder {
public:
    OptionView(ControlViews& views, OptionButton& model, int id, TwipsRect rect, bool firstOfGroup);
    OptionView* AsOption() override { return this; }
    void OnCommand(int code) override;
    void SyncValue() override;

private:
    OptionView* first_ = this;
    std::vector<OptionView*> group_;  // the first button's: all of the group
};

// `isDefault`: the button Enter presses.
struct ButtonView : Binder {
    ButtonView(ControlViews& views, Button& model, int id, TwipsRect rect, bool isDefault = false);
    void OnCommand(int code) override;
    void SyncValue() override;
};

// A label; `mnemonic` gives it a key that moves to the control after it.
class LabelView : public Binder {
public:
    LabelView(ControlViews& views, Control& model, int id, TwipsRect rect, char mnemonic = 0);
    void SyncValue() override;

protected:
    LabelView(ControlViews& views, Control& model, int id) : Binder(views, model, id) {}
    char mnemonic_ = 0;
};

// A frame around other controls, with the model's caption.
struct GroupBoxView : LabelView {
    GroupBoxView(ControlViews& views, Control& model, int id, TwipsRect rect);
};

class TextBoxView : public Binder {
public:
    TextBoxView(ControlViews& views, TextBox& model, int id, TwipsRect rect, TextInput input = TextInput::Typed);
    TextBoxView* AsTextBox() override { return this; }
    void OnCommand(int code) override;
    void SyncValue() override;
    bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // Copies the caret and selection of the window into the model.
    void ReadSelection();

private:
    TextInput input_;
    bool fromView_ = false;  // the model is being updated from the window
};

struct ProgressView : Binder {
    ProgressView(ControlViews& views, ProgressBar& model, int id, TwipsRect rect);
    void SyncValue() override;
};

// The binders of a window's model controls. Tab order is the order of the Add calls.
class ControlViews {
public:
    ControlViews(HWND parent, const Dpi& dpi) : parent_(parent), dpi_(dpi) {}

    // A binder of kind B for `control`, in the current container.
    template <typename B, typename Model, typename... Options>
    HWND Add(Model& control, int id, TwipsRect rect, Options... options) {
        return Adopt(std::make_unique<B>(*this, control, id, rect, options...));
    }
    // Decorations without a model: a frame without caption, an icon, an etched line.
    HWND AddFrame(int id, TwipsRect rect);
    HWND AddIcon(HICON icon, int id, TwipsRect rect);
    HWND AddLine(int id, TwipsRect rect);

    // Controls added from here on go into `parent` (a page of the window, say).
    // The frames of the container left go behind its other controls.
    void SetContainer(HWND parent);
    // Puts the frames added so far behind the controls they frame: these are
    // drawn over them and keep their places in the tab order.
    void SendFramesBack();

    // The binder of a control of the model, and its window; nullptr for none.
    Binder* BinderOf(const void* control) const;
    HWND WindowOf(const void* control) const;

    // WM_COMMAND from one of the children; true when it was one of them.
    bool OnCommand(int id, int code);
    // A window's WM_COMMAND: a child's notification, or Enter and Escape as
    // the dialog keys report them (IDOK, IDCANCEL without a control), which
    // press the button of that id. False for anything else (a menu command).
    bool OnDialogCommand(WPARAM wParam, LPARAM lParam);
    // WM_DRAWITEM for an owner-drawn child; true when it was one of them.
    bool OnDrawItem(const DRAWITEMSTRUCT& item);

    // For the binders.
    HWND CreateChild(const char* className, const char* text, DWORD style, int id, TwipsRect rect);
    const Dpi& Scale() const { return dpi_; }
    Binder* Last() const { return binders_.empty() ? nullptr : binders_.back().get(); }
    HWND Tooltips();

private:
    HWND Adopt(std::unique_ptr<Binder> binder);
    Binder* Find(HWND window) const;

    HWND parent_;
    const Dpi& dpi_;
    UniqueWindow tooltip_;
    std::vector<HWND> frames_;  // not yet sent back
    std::vector<std::unique_ptr<Binder>> binders_;
};

}  // namespace dwl::win32
