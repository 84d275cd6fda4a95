#include "ui/model/controls.h"

#include <algorithm>

namespace dwl {

void Control::SetCaption(const std::string& caption) {
    if (caption_ == caption) return;
    caption_ = caption;
    Refresh();
}

void Control::SetEnabled(bool enabled) {
    if (enabled_ == enabled) return;
    enabled_ = enabled;
    Refresh();
}

void Control::SetVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    Refresh();
}

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

void ListControl::AddItem(const std::string& item) {
    items_.push_back(item);
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
    if (hadSelection) Changed(); else Refresh();
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

} // namespace dwl
