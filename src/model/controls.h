#pragma once
#include <functional>
#include <string>
#include <vector>

namespace dwl {

// Platform-neutral controls of the program's windows. A window's Win32 view
// mirrors them; setting a value in code runs the same change handling as a
// user's change, because both go through the same setter.
class Control {
public:
    using Handler = std::function<void()>;

    // Out of line: a window's model makes dozens of controls, and each
    // inlined pair of strings would cost the program its code.
    explicit Control(const char* name, const char* caption = "");
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;
    virtual ~Control() = default;

    const std::string& Name() const { return name_; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    const std::string& Tooltip() const { return tooltip_; }
    void SetTooltip(const std::string& tooltip);

    // The program's change handling (the control's event procedure).
    Handler onChange;
    // The view's refresh; called after every change of state, value or items.
    Handler onRefresh;

protected:
    void Changed();  // value changed: change handling, then refresh
    void Refresh();  // appearance changed only

private:
    // Stores a property of the appearance; refreshes only when it changed.
    template <typename T>
    void SetShown(T& field, const T& value) {
        if (field == value) return;
        field = value;
        Refresh();
    }

    std::string name_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string tooltip_;
};

class CheckBox : public Control {
public:
    using Control::Control;
    int Value() const { return value_; }
    void SetValue(int value);  // 0 unchecked, 1 checked
private:
    int value_ = 0;
};

class Button : public Control {
public:
    using Control::Control;
    Handler onClick;
    void Click() {
        if (onClick) onClick();
    }
};

class Label : public Control {
public:
    using Control::Control;
};

// A one-line text box: its text and the selection (start and length, in
// characters; with length 0 the start is the caret position).
class TextBox : public Control {
public:
    using Control::Control;
    const std::string& Text() const { return text_; }
    void SetText(const std::string& text);
    int SelStart() const { return selStart_; }
    int SelLength() const { return selLength_; }
    std::string SelText() const;
    // Clamped to the text.
    void SetSelection(int start, int length);
    // Replaces the selected characters; the caret goes after the new ones.
    void ReplaceSelection(const std::string& text);

private:
    std::string text_;
    int selStart_ = 0;
    int selLength_ = 0;
};

// A progress bar: value between minimum and maximum.
class ProgressBar : public Control {
public:
    using Control::Control;
    int Min() const { return min_; }
    int Max() const { return max_; }
    int Value() const { return value_; }
    void SetRange(int min, int max);
    void SetValue(int value);

private:
    int min_ = 0;
    int max_ = 100;
    int value_ = 0;
};

// An option button of an exclusive group: setting one clears the others.
class OptionButton : public Control {
public:
    using Control::Control;
    bool Value() const { return value_; }
    void SetValue(bool value);
    // The other buttons of its group.
    void Group(std::initializer_list<OptionButton*> others) { others_.assign(others.begin(), others.end()); }

private:
    bool value_ = false;
    std::vector<OptionButton*> others_;
};

// A list box or a drop-down list: items, the selected index (-1 for none) and
// the shown text.
class ListControl : public Control {
public:
    using Control::Control;
    const std::vector<std::string>& Items() const { return items_; }
    int Count() const { return static_cast<int>(items_.size()); }
    const std::string& Item(int index) const { return items_.at(static_cast<size_t>(index)); }
    void AddItem(const std::string& item);
    void RemoveItem(int index);
    // Before item `index`; the selected item stays selected.
    void InsertItem(int index, const std::string& item);
    void Clear();
    int ListIndex() const { return listIndex_; }
    void SetListIndex(int index);
    // Selects the first item equal to `text`; with no such item nothing changes.
    bool SetText(const std::string& text);
    std::string Text() const { return listIndex_ >= 0 ? items_[static_cast<size_t>(listIndex_)] : std::string(); }

private:
    std::vector<std::string> items_;
    int listIndex_ = -1;
};

// A list with a check box per item.
class CheckedList : public ListControl {
public:
    using ListControl::ListControl;
    bool Checked(int index) const;
    // Checking or unchecking an item runs the change handling.
    void SetChecked(int index, bool checked);
    void AddItem(const std::string& item);
    void Clear();

private:
    std::vector<bool> checked_;
};

}  // namespace dwl
