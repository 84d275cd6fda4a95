#pragma once
#include <array>
#include <functional>
#include <string>

#include "hotkeys/hotkey_settings.h"

namespace dwl {

class TextBox;

// The modifier keys down with a key, as KeyUp reports them.
enum KeyShift : int { ShiftMask = 1, CtrlMask = 2, AltMask = 4 };

// Whether the three combinations differ. Empty boxes hold no combination
// and never count as equal.
bool CheckDupKeys(const std::string& shutdown, const std::string& reboot, const std::string& logOff);

// Capturing the three hotkeys in their text boxes: focus empties a box, a
// key released in it puts the combination there, and leaving it keeps the
// combination only when no other box holds the same. The modifier and key
// values go with the text: a combination that is not kept leaves nothing.
class HotkeyCapture {
public:
    HotkeyCapture(TextBox& txtShutdownKey, TextBox& txtRebootKey, TextBox& txtLogOffKey);
    HotkeyCapture(const HotkeyCapture&) = delete;
    HotkeyCapture& operator=(const HotkeyCapture&) = delete;

    // An accepted combination: the hotkeys have changed.
    std::function<void()> onChange;

    // Starts again from the applied values; the boxes' texts are the caller's.
    void Reset(const HotkeyValues& applied);
    // The texts of the boxes with the values captured for them.
    HotkeyValues Values() const;

    // `box` is a HotkeyId from HotkeyShutdown to HotkeyLogOff.
    void GotFocus(int box);
    void KeyUp(int box, int KeyCode, int Shift);
    void LostFocus(int box);

    // The box that has the focus, or -1.
    int FocusedBox() const;
    // A combination that is registered (RegisterHotKey's modifier flags and
    // key) pressed while a box has the focus: captured there, not carried
    // out. False when no box has the focus.
    bool CaptureRegistered(int modifiers, int KeyCode);
    // OK, Enter or Apply while a box has the focus: the box is settled as
    // leaving it would, then goes on capturing from what it now shows.
    void Settle();

private:
    struct Slot {
        TextBox* box = nullptr;
        std::string mod, vk;
        std::string SavedKeyText, savedMod, savedVk;
        bool KeyCaptured = false;
        bool focused = false;
    };
    Slot* SlotOf(int box);
    bool CheckDupKeys() const;

    std::array<Slot, 3> slots_;
};

}  // namespace dwl
