#pragma once
// Time-of-day texts. Scenario times are held and compared as texts in one of
// two forms, fixed for the whole run:
//   24-hour: "9:05", "0:30", "23:59"   (hours 0..23 without leading zero)
//   12-hour: "9:05 AM", "12:30 AM", "12:00 PM", "11:59 PM"   (hours 1..12)
// Minutes are always two digits.
#include <optional>
#include <string>
#include <utility>

#include "platform/clock.h"

namespace dwl {

// Reads `text` as a time of day and gives {hour 0..23, minute 0..59}.
// Accepted, with blanks (spaces, tabs) allowed around the whole text:
//   H:MM or HH:MM             hours 0..23
//   H:MM AM or H:MM PM        hours 1..12; one or more blanks before the
//                             designator, which may be in any letter case
// and, in both forms, an optional seconds part ":SS" (00..59) after the
// minutes ("21:05:12", "9:05:12 PM"); the seconds are ignored.
// Hours have one or two digits (a leading zero is allowed: "09:05"); minutes
// and seconds have exactly two. Anything else -- other separators, signs,
// missing or extra parts, other designators such as "a.m." -- is not a time.
std::optional<std::pair<int, int>> ReadTimeOfDay(const std::string& text);

// The time text of `hour` (0..23) and `minute` (0..59) in the 24-hour or the
// 12-hour form. Values outside these ranges are wrapped into them.
std::string TimeText(int hour, int minute, bool use12Hour);

// The 24-hour text of `time`. When `time` is blank it is first replaced, in
// the caller's variable, by the current system time as text (the system's own
// format; when the system gives no readable text, the 24-hour text of the
// clock's time instead). Gives the empty text when `time` is not a time.
std::string Time24Text(std::string& time, IClock& clock);

// The 12-hour text of `time`; the empty text when `time` is not a time.
std::string Time12Text(const std::string& time);

// The current time in the chosen form, without seconds.
std::string CurrentTimeText(IClock& clock, bool use12Hour);

// True when the system's time text shows a designator: its lower-cased text
// contains an 'a' or a 'p'.
bool SystemFormatIs12Hour(const std::string& systemTimeText);

}  // namespace dwl
