#include "ui/options/hotkey_capture.h"

#include "model/controls.h"

namespace dwl {

bool CheckDupKeys(const std::string& shutdown, const std::string& reboot, const std::string& logOff) {
    auto same = [](const std::string& a, const std::string& b) { return !a.empty() && a == b; };
    return !same(shutdown, reboot) && !same(reboot, logOff) && !same(logOff, shutdown);
}

HotkeyCapture::HotkeyCapture(TextBox& txtShutdownKey, TextBox& txtRebootKey, TextBox& txtLogOffKey) {
    slots_[0].box = &txtShutdownKey;
    slots_[1].box = &txtRebootKey;
    slots_[2].box = &txtLogOffKey;
}

void HotkeyCapture::Reset(const HotkeyValues& applied) {
    const std::string* values[][2] = {{&applied.shutdownMod, &applied.shutdownVk},
                                      {&applied.rebootMod, &applied.rebootVk},
                                      {&applied.logOffMod, &applied.logOffVk}};
    for (size_t i = 0; i < slots_.size(); ++i) {
        slots_[i].mod = *values[i][0];
        slots_[i].vk = *values[i][1];
        slots_[i].KeyCaptured = false;
        slots_[i].focused = false;  // a focus taken before now ends without effect
    }
}

HotkeyValues HotkeyCapture::Values() const {
    HotkeyValues v;
    v.shutdownMod = slots_[0].mod, v.shutdownVk = slots_[0].vk, v.shutdownText = slots_[0].box->Text();
    v.rebootMod = slots_[1].mod, v.rebootVk = slots_[1].vk, v.rebootText = slots_[1].box->Text();
    v.logOffMod = slots_[2].mod, v.logOffVk = slots_[2].vk, v.logOffText = slots_[2].box->Text();
    return v;
}

HotkeyCapture::Slot* HotkeyCapture::SlotOf(int box) {
    return box >= HotkeyShutdown && box <= HotkeyLogOff ? &slots_[static_cast<size_t>(box)] : nullptr;
}

bool HotkeyCapture::CheckDupKeys() const {
    // Ctrl+Shift with a key is written two ways; its values are the same.
    for (size_t i = 0; i < slots_.size(); ++i) {
        const Slot& a = slots_[i];
        const Slot& b = slots_[(i + 1) % slots_.size()];
        if (!a.vk.empty() && a.mod == b.mod && a.vk == b.vk) return false;
    }
    return dwl::CheckDupKeys(slots_[0].box->Text(), slots_[1].box->Text(), slots_[2].box->Text());
}

void HotkeyCapture::GotFocus(int box) {
    Slot* slot = SlotOf(box);
    if (!slot || slot->focused) return;
    slot->focused = true;
    slot->SavedKeyText = slot->box->Text();
    slot->savedMod = slot->mod;
    slot->savedVk = slot->vk;
    slot->box->SetText("");
}

void HotkeyCapture::KeyUp(int box, int KeyCode, int Shift) {
    Slot* slot = SlotOf(box);
    if (!slot || !slot->focused || !CheckKeyCode(KeyCode)) return;
    int modifiers = 0;
    if (Shift & CtrlMask) modifiers += 2;
    if (Shift & ShiftMask) modifiers += 4;
    if (Shift & AltMask) modifiers += 1;
    // A bare key means Ctrl+Shift with it.
    const bool bare = modifiers == 0;
    if (bare) modifiers = 6;
    const std::string text = HotkeyText(modifiers, KeyCode, !bare);
    slot->mod = std::to_string(modifiers);
    slot->vk = std::to_string(KeyCode);
    slot->box->SetText(text);
    slot->box->SetSelection(static_cast<int>(text.size()), 0);
    slot->KeyCaptured = true;
}

void HotkeyCapture::LostFocus(int box) {
    Slot* slot = SlotOf(box);
    if (!slot || !slot->focused) return;
    slot->focused = false;
    if (slot->KeyCaptured && CheckDupKeys()) {
        slot->KeyCaptured = false;
        if (onChange) onChange();
        return;
    }
    // Nothing pressed, or a combination another box holds: all as it was.
    slot->KeyCaptured = false;
    slot->mod = slot->savedMod;
    slot->vk = slot->savedVk;
    slot->box->SetText(slot->SavedKeyText);
}

int HotkeyCapture::FocusedBox() const {
    for (size_t i = 0; i < slots_.size(); ++i)
        if (slots_[i].focused) return static_cast<int>(i);
    return -1;
}

bool HotkeyCapture::CaptureRegistered(int modifiers, int KeyCode) {
    const int box = FocusedBox();
    if (box < 0) return false;
    // RegisterHotKey's flags: 1 Alt, 2 Ctrl, 4 Shift.
    const int shift = (modifiers & 1 ? AltMask : 0) | (modifiers & 2 ? CtrlMask : 0) | (modifiers & 4 ? ShiftMask : 0);
    KeyUp(box, KeyCode, shift);
    return true;
}

void HotkeyCapture::Settle() {
    const int box = FocusedBox();
    if (box < 0) return;
    LostFocus(box);
    Slot& slot = slots_[static_cast<size_t>(box)];
    slot.focused = true;
    slot.SavedKeyText = slot.box->Text();
    slot.savedMod = slot.mod;
    slot.savedVk = slot.vk;
}

}  // namespace dwl
