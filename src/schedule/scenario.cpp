#include "schedule/scenario.h"

#include "ui/model/controls.h"

namespace dwl {

std::string TextBetween(const std::string& text, const std::string& startDelimiter,
                        const std::string& endDelimiter) {
    if (startDelimiter.empty()) return "0";
    const size_t start = text.find(startDelimiter);
    if (start == std::string::npos) return "0";
    const size_t pieceBegin = start + startDelimiter.size();
    const size_t nextStart = text.find(startDelimiter, pieceBegin);
    const std::string piece = text.substr(pieceBegin, nextStart == std::string::npos
                                                          ? std::string::npos
                                                          : nextStart - pieceBegin);
    const size_t end = endDelimiter.empty() ? std::string::npos : piece.find(endDelimiter);
    if (end == std::string::npos) return {};
    return piece.substr(0, end);
}

void FillActionLists(ListControl& cmdAct, ListControl& cmdAction, ListControl& cmdDuration,
                     bool lockSupported) {
    for (const char* text : {kLogOffText, kRebootText, kShutdownText, kSuspendText, kHibernateText})
        cmdAct.AddItem(text);
    cmdAct.SetText(kShutdownText);

    for (const char* text : {kLogOffText, kRebootText, kShutdownText, kRunAppText, kCloseAppText})
        cmdAction.AddItem(text);
    if (lockSupported) {
        cmdAct.AddItem(kLockText);
        cmdAction.AddItem(kLockText);
    }
    cmdAction.AddItem(kSuspendText);
    cmdAction.AddItem(kHibernateText);

    cmdAction.SetText(kShutdownText);
    cmdDuration.SetText("Onetime");
}

} // namespace dwl
