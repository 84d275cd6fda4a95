#pragma once
// The model of the scenario editor's time box: the text box txtTime, read-only
// to typing, edited one part at a time (hours, minutes, AM/PM designator)
// through the "+" and "-" buttons, the arrow keys, the letter keys P and A and
// the pop-up list lstTime that a digit key opens.
#include <functional>
#include <string>

#include "model/controls.h"
#include "platform/clock.h"

namespace dwl {

// Where the time box asks the focus to go; the window's view carries it out.
enum class TimeBoxFocus { Box, List };

class TimeBox {
public:
    // Key codes the box reacts to.
    static constexpr int kKeyLeft = 37;
    static constexpr int kKeyUp = 38;
    static constexpr int kKeyRight = 39;
    static constexpr int kKeyDown = 40;
    static constexpr int kKey0 = 48;
    static constexpr int kKey9 = 57;
    static constexpr int kKeyA = 65;
    static constexpr int kKeyP = 80;

    // Left positions of the pop-up list, in twips: under the hours or the minutes.
    static constexpr int kHoursListLeft = 2160;
    static constexpr int kMinutesListLeft = 2400;

    // The controls stay owned by the caller (normally the options window's
    // model). The buttons' click handling is set here and the list is hidden.
    TimeBox(TextBox& timeText, Button& plusButton, Button& minusButton, ListControl& timeList);
    TimeBox(const TimeBox&) = delete;
    TimeBox& operator=(const TimeBox&) = delete;

    TextBox& txtTime;
    Button& cmdPlus;
    Button& cmdMin;
    ListControl& lstTime;

    // True when time texts are in the 12-hour form; set once by InitTimeBox.
    bool Use12Hour = false;
    // The part being edited: "h" hours, "n" minutes, "t" designator, or empty.
    // Kept when the focus leaves the box, so the buttons act on the last part.
    std::string TimePart;
    // The last text of the box known to be a time of day.
    std::string LastValidTime;
    // Left position of lstTime in twips, set when the list is shown.
    int lstTimeLeft = kHoursListLeft;
    // Requests to move the focus to the box or to the list.
    std::function<void(TimeBoxFocus)> onFocusRequest;

    // Chooses the form from the system's time format and puts the current time
    // into the box.
    void InitTimeBox(IClock& clock);

    // Puts a loaded time into the box; the part being edited is selected
    // again in the new text.
    void ShowTime(const std::string& text);

    // Selects the part under the caret (on gaining the focus, on mouse-up).
    void SelectPartAtCaret();
    // Selects the part named by TimePart; nothing when it is empty.
    void SelectTimePart();
    // Moves to the next or previous part, cyclically.
    void MoveTimePart(bool forward);
    // One step up or down of the selected part ("+" and "-").
    void StepTimeUp();
    void StepTimeDown();

    // A key released in the box: arrows move or step, others go to TimeBoxKey.
    void KeyUp(int keyCode);
    // Digit keys open the list of hours or minutes; P and A set the designator.
    void TimeBoxKey(int keyCode);

    // A text that is not a time reverts to LastValidTime on both; gaining the
    // focus then records the text as valid and selects the part at the caret.
    void GotFocus();
    void LostFocus();

    // The user chose item `index` of lstTime. Ignored while the list is hidden.
    void ChooseListItem(int index);
    // The list lost the focus: it hides.
    void ListLostFocus();

private:
    void StepTime(bool up);
    void RevertIfNotATime();
    void RequestFocus(TimeBoxFocus target);
};

}  // namespace dwl
