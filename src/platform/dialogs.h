#pragma once
#include <string>

namespace dwl {

// Message box styles and answers, with the platform's numeric values.
enum MessageStyle : unsigned { MbOk = 0x0, MbYesNo = 0x4, MbIconStop = 0x10, MbIconQuestion = 0x20,
                               MbIconExclamation = 0x30, MbIconInformation = 0x40 };
enum MessageAnswer : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

class IDialogs {
public:
    virtual ~IDialogs() = default;
    virtual int ShowMessage(const std::string& text, const std::string& caption, unsigned style) = 0;
};

} // namespace dwl
