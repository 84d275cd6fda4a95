#include "model/controls.h"

#include <algorithm>

namespace dwl {

void Control::SetCaption(const std::string& caption) { SetShown(caption_, caption); }

void Control::SetEnabled(bool enabled) { SetShown(enabled_, enabled); }

void Control::SetVisible(bool visible) { SetShown(visible_, visible); }

Control::Control(const char* name, const char* caption) : name_(name), caption_(caption) {}

void Control::SetTooltip(const std::string& tooltip) { SetShown(tooltip_, tooltip); }

void Control::Changed() {
    if (onChange) onChange();
    Refresh();
}

void Control::Refresh() {
    if (onRefresh) onRefresh();
}

void CheckBox::SetValue(int value) {
    if (value_ == value) return;
    value_ = value;
    Changed();
}

void TextBox::SetText(const std::string& text) {
    if (text_ == text) return;
    text_ = text;
    SetSelection(selStart_, selLength_);
    Changed();
}

std::string TextBox::SelText() const {
    return text_.substr(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_));
}

void TextBox::SetSelection(int start, int length) {
    const int size = static_cast<int>(text_.size());
    start = std::clamp(start, 0, size);
    length = std::clamp(length, 0, size - start);
    if (start == selStart_ && length == selLength_) return;
    selStart_ = start;
    selLength_ = length;
    Refresh();
}

void TextBox::ReplaceSelection(const std::string& text) {
    const int start = selStart_;
    std::string replaced = text_;
    replaced.replace(static_cast<size_t>(selStart_), static_cast<size_t>(selLength_), text);
    selLength_ = 0;
    selStart_ = std::min(start, static_cast<int>(replaced.size()));
    SetText(replaced);
    SetSelection(start + static_cast<int>(text.size()), 0);
}

void ProgressBar::SetRange(int min, int max) {
    min_ = min;
    max_ = std::max(min, max);
    value_ = std::clamp(value_, min_, max_);
    Refresh();
}

void ProgressBar::SetValue(int value) {
    value = std::clamp(value, min_, max_);
    if (value_ == value) return;
    value_ = value;
    Changed();
}

void OptionButton::SetValue(bool value) {
    if (value_ == value) return;
    value_ = value;
    if (value)
        for (OptionButton* other : others_) other->SetValue(false);
    Changed();
}

bool CheckedList::Checked(int index) const {
    return index >= 0 && index < static_cast<int>(checked_.size()) && checked_[static_cast<size_t>(index)];
}

void CheckedList::SetChecked(int index, bool checked) {
    if (index < 0 || index >= Count() || Checked(index) == checked) return;
    checked_.resize(static_cast<size_t>(Count()), false);
    checked_[static_cast<size_t>(index)] = checked;
    Changed();
}

void CheckedList::AddItem(const std::string& item) {
    checked_.push_back(false);
    ListControl::AddItem(item);
}

void CheckedList::Clear() {
    checked_.clear();
    ListControl::Clear();
}

void ListControl::AddItem(const std::string& item) {
    items_.push_back(item);
    Refresh();
}

void ListControl::InsertItem(int index, const std::string& item) {
    if (index < 0 || index > Count()) return;
    items_.insert(items_.begin() + index, item);
    if (listIndex_ >= index) ++listIndex_;
    Refresh();
}

void ListControl::RemoveItem(int index) {
    if (index < 0 || index >= Count()) return;
    items_.erase(items_.begin() + index);
    if (listIndex_ == index) {
        listIndex_ = -1;
        Changed();
        return;
    }
    if (listIndex_ > index) --listIndex_;
    Refresh();
}

void ListControl::Clear() {
    const bool hadSelection = listIndex_ != -1;
    items_.clear();
    listIndex_ = -1;
    if (hadSelection)
        Changed();
    else
        Refresh();
}

void ListControl::SetListIndex(int index) {
    if (index < -1 || index >= Count()) return;
    if (listIndex_ == index) return;
    listIndex_ = index;
    Changed();
}

bool ListControl::SetText(const std::string& text) {
    auto it = std::find(items_.begin(), items_.end(), text);
    if (it == items_.end()) return false;
    SetListIndex(static_cast<int>(it - items_.begin()));
    return true;
}

}  // namespace dwl
