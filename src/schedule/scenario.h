#pragma once
#include <string>
#include <vector>

namespace dwl {

class ListControl;

// Action texts of scenario entries and action lists.
inline constexpr const char* kLogOffText = "Log Off Current User";
inline constexpr const char* kRebootText = "Reboot Computer";
inline constexpr const char* kShutdownText = "Shutdown Windows";
inline constexpr const char* kRunAppText = "Run Application";
inline constexpr const char* kCloseAppText = "Close Application";
inline constexpr const char* kLockText = "Lock Computer";
inline constexpr const char* kSuspendText = "Suspend";
inline constexpr const char* kHibernateText = "Hibernate";

// Fields of an entry are separated by this text.
inline constexpr const char* kFieldSeparator = "; ";

// The text between the first `startDelimiter` and the next `endDelimiter`:
// "0" when the start delimiter does not occur, empty when the end one does not
// follow it (before a second start delimiter).
std::string TextBetween(const std::string& text, const std::string& startDelimiter,
                        const std::string& endDelimiter);

// Cuts `text` at every `separator`; a text without it is one piece.
std::vector<std::string> Split(const std::string& text, const std::string& separator);

// `text` without the blanks around it.
std::string TrimBlanks(const std::string& text);

// Fills the immediate-action list, the editor's action list and the duration
// list; "Lock Computer" only where the workstation can be locked.
void FillActionLists(ListControl& cmdAct, ListControl& cmdAction, ListControl& cmdDuration,
                     bool lockSupported);

} // namespace dwl
