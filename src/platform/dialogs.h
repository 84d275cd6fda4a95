#pragma once
#include <string>

namespace dwl {

// Message box styles and answers, with the platform's numeric values.
enum MessageStyle : unsigned {
    MbOk = 0x0,
    MbYesNo = 0x4,
    MbIconStop = 0x10,
    MbIconQuestion = 0x20,
    MbIconExclamation = 0x30,
    MbIconInformation = 0x40
};
enum MessageAnswer : int { IdOk = 1, IdCancel = 2, IdYes = 6, IdNo = 7 };

// The window a message box belongs to: it stays disabled while the box is up.
enum class DialogOwner { None, Options, Countdown, Quickbar, Tasks };

class IDialogs {
public:
    virtual ~IDialogs() = default;

    // Shows a modal message box and gives the answer. The box's message loop
    // goes on delivering timer ticks, hotkeys and tray clicks; BoxOpen() tells
    // their handlers that they arrive inside another command.
    int ShowMessage(const std::string& text, const std::string& caption, unsigned style,
                    DialogOwner owner = DialogOwner::Options) {
        Open open(open_);
        return Show(text, caption, style, owner);
    }
    bool BoxOpen() const { return open_ > 0; }
    // Runs a modal window of the program's own (a file dialog, a picker) as a
    // box: BoxOpen() is true meanwhile.
    template <typename F>
    auto RunModal(F&& show) {
        Open open(open_);
        return show();
    }

protected:
    virtual int Show(const std::string& text, const std::string& caption, unsigned style, DialogOwner owner) = 0;

private:
    struct Open {
        int& count;
        explicit Open(int& c) : count(c) { ++count; }
        ~Open() { --count; }
    };
    int open_ = 0;
};

}  // namespace dwl
