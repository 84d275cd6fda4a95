#include "ui/options/time_box.h"

#include "schedule/mtime.h"

namespace dwl {

namespace {

constexpr auto npos = std::string::npos;

// The numeric value of the leading digits of `text`; 0 when there are none.
int LeadingNumber(const std::string& text) {
    int value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') break;
        if (value < 100000) value = value * 10 + (c - '0');
    }
    return value;
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

}  // namespace

TimeBox::TimeBox(TextBox& timeText, Button& plusButton, Button& minusButton, ListControl& timeList)
    : txtTime(timeText), cmdPlus(plusButton), cmdMin(minusButton), lstTime(timeList) {
    cmdPlus.onClick = [this] { StepTimeUp(); };
    cmdMin.onClick = [this] { StepTimeDown(); };
    lstTime.SetVisible(false);
}

void TimeBox::InitTimeBox(IClock& clock) {
    if (SystemFormatIs12Hour(clock.SystemTimeText())) Use12Hour = true;
    txtTime.SetText(CurrentTimeText(clock, Use12Hour));
    LastValidTime = txtTime.Text();
}

// Positions in the text (0-based): the hours run from 0 to the ":", the
// minutes are the two characters after it, the designator the two after the
// first blank.
void TimeBox::SelectPartAtCaret() {
    const std::string& text = txtTime.Text();
    const size_t colon = text.find(':');
    if (colon == npos) return;
    const size_t blank = text.find(' ');
    const size_t caret = static_cast<size_t>(txtTime.SelStart());
    if (caret <= colon)
        TimePart = "h";
    else if (Use12Hour && blank != npos && caret > blank)
        TimePart = "t";
    else
        TimePart = "n";
    SelectTimePart();
}

void TimeBox::SelectTimePart() {
    const std::string& text = txtTime.Text();
    const size_t colon = text.find(':');
    const size_t blank = text.find(' ');
    if (TimePart == "h" && colon != npos)
        txtTime.SetSelection(0, static_cast<int>(colon));
    else if (TimePart == "n" && colon != npos)
        txtTime.SetSelection(static_cast<int>(colon) + 1, 2);
    else if (TimePart == "t" && blank != npos)
        txtTime.SetSelection(static_cast<int>(blank) + 1, 2);
}

void TimeBox::MoveTimePart(bool forward) {
    if (TimePart == "h")
        TimePart = forward || !Use12Hour ? "n" : "t";
    else if (TimePart == "n")
        TimePart = forward && Use12Hour ? "t" : "h";
    else if (TimePart == "t" && Use12Hour)
        TimePart = forward ? "h" : "n";
    else
        return;
    SelectTimePart();
}

void TimeBox::StepTimeUp() { StepTime(true); }
void TimeBox::StepTimeDown() { StepTime(false); }

void TimeBox::StepTime(bool up) {
    // The part as the text stands now: a selection made in another text
    // would step a piece of the hours.
    SelectTimePart();
    const auto time = ReadTimeOfDay(txtTime.Text());
    if (time && !TimePart.empty()) {
        auto [hour, minute] = *time;
        const int step = up ? 1 : -1;
        if (TimePart == "h" && Use12Hour) {
            // 1..12, the designator unchanged.
            const int hour12 = hour % 12 == 0 ? 12 : hour % 12;
            const int next = up ? (hour12 >= 12 ? 1 : hour12 + 1) : (hour12 <= 1 ? 12 : hour12 - 1);
            hour = next % 12 + (hour >= 12 ? 12 : 0);
        } else if (TimePart == "h") {
            hour = (hour + 24 + step) % 24;
        } else if (TimePart == "n") {
            minute = (minute + 60 + step) % 60;
        } else if (TimePart == "t" && Use12Hour) {
            hour = (hour + 12) % 24;
        }
        // Only ever the program's own time text.
        txtTime.SetText(TimeText(hour, minute, Use12Hour));
        SelectTimePart();
    }
    RequestFocus(TimeBoxFocus::Box);
}

void TimeBox::ShowTime(const std::string& text) {
    txtTime.SetText(text);
    SelectTimePart();
}

void TimeBox::KeyUp(int keyCode) {
    switch (keyCode) {
    case kKeyLeft: MoveTimePart(false); break;
    case kKeyRight: MoveTimePart(true); break;
    case kKeyUp:
        SelectTimePart();
        StepTimeUp();
        break;
    case kKeyDown:
        SelectTimePart();
        StepTimeDown();
        break;
    default: TimeBoxKey(keyCode); break;
    }
}

void TimeBox::TimeBoxKey(int keyCode) {
    if (keyCode >= kKey0 && keyCode <= kKey9 && (TimePart == "h" || TimePart == "n")) {
        const int digit = keyCode - kKey0;
        lstTime.Clear();
        int first = 0;
        int last = 59;
        if (TimePart == "h") {
            first = Use12Hour ? 1 : 0;
            last = Use12Hour ? 12 : 23;
        }
        for (int value = first; value <= last; ++value) lstTime.AddItem(std::to_string(value));
        // Items hold first..last in order: the digit's item is at digit - first
        // (none for 0 in the 12-hour list of hours).
        lstTime.SetListIndex(digit >= first ? digit - first : -1);
        lstTimeLeft = TimePart == "h" ? kHoursListLeft : kMinutesListLeft;
        lstTime.SetVisible(true);
        RequestFocus(TimeBoxFocus::List);
    }
    if (TimePart == "t" && (keyCode == kKeyP || keyCode == kKeyA)) {
        SelectTimePart();
        txtTime.ReplaceSelection(keyCode == kKeyP ? "PM" : "AM");
        SelectTimePart();
    }
}

void TimeBox::RevertIfNotATime() {
    if (!ReadTimeOfDay(txtTime.Text())) txtTime.SetText(LastValidTime);
}

void TimeBox::GotFocus() {
    RevertIfNotATime();
    LastValidTime = txtTime.Text();
    SelectPartAtCaret();
}

void TimeBox::LostFocus() { RevertIfNotATime(); }

void TimeBox::ChooseListItem(int index) {
    if (!lstTime.Visible() || index < 0 || index >= lstTime.Count()) return;
    lstTime.SetListIndex(index);
    const std::string& item = lstTime.Item(index);
    if (!TimePart.empty()) {
        // The box keeps its selection while the list has the focus; re-make it
        // all the same, so the choice lands on the part the list was opened for.
        SelectTimePart();
        txtTime.ReplaceSelection(TimePart == "h" ? item : TwoDigits(LeadingNumber(item)));
    }
    lstTime.SetVisible(false);
    SelectTimePart();
    RequestFocus(TimeBoxFocus::Box);
}

void TimeBox::ListLostFocus() { lstTime.SetVisible(false); }

void TimeBox::RequestFocus(TimeBoxFocus target) {
    if (onFocusRequest) onFocusRequest(target);
}

}  // namespace dwl
