#include "ui/options/options_form.h"

#include <algorithm>
#include <iterator>
#include <span>

#include "model/text.h"

namespace dwl {
namespace {

// The pages' check boxes: those of the General, Scenarios and Clean Up pages,
// then the Quickbar's.
using BoxMember = CheckBox OptionsForm::*;
constexpr BoxMember kBoxes[] = {
    &OptionsForm::chkStartup,       &OptionsForm::chkTray,
    &OptionsForm::chkPassword,      &OptionsForm::chkPower,
    &OptionsForm::chkWake,          &OptionsForm::chkCleanTemp,
    &OptionsForm::chkCleanNetCashe, &OptionsForm::chkCleanRecycleBin,
    &OptionsForm::chkQBar,          &OptionsForm::chkQBAOT2,
    &OptionsForm::chkQBConfirm,     &OptionsForm::chkQBShutdown,
    &OptionsForm::chkQBRestart,     &OptionsForm::chkQBLogoff,
    &OptionsForm::chkQBSuspend,     &OptionsForm::chkQBHibernate,
    &OptionsForm::chkQBLock,        &OptionsForm::chkQBConfig,
    &OptionsForm::chkQBAOT,
};
constexpr std::span<const BoxMember> kOptionBoxes = std::span(kBoxes).first(8);
constexpr std::span<const BoxMember> kQuickbarBoxes = std::span(kBoxes).subspan(8);

}  // namespace

OptionsForm::OptionsForm() {
    for (const char* tab : {"General", "Scenarios", "Hotkeys", "Clean Up", "Quickbar", "About"})
        tbsOptions.AddItem(tab);
    tbsOptions.SetListIndex(kPageGeneral);
    for (const char* item : {"Onetime", "Daily", "Weekly", "After exit", "After idle"}) cmdDuration.AddItem(item);
    for (const char* day : {"  Sun", "  Mon", "  Tue", "  Wed", "  Thu", "  Fri", "  Sat"}) lstDays.AddItem(day);
    lstDays.SetVisible(false);
    cmdFind.SetVisible(false);
    lstTime.SetVisible(false);
    txtShutdownKey.SetText("Ctrl + Shift + S");
    txtRebootKey.SetText("Ctrl + Shift + R");
    txtLogOffKey.SetText("Ctrl + Shift + L");

    // The Quickbar page before its settings are loaded: every box checked,
    // large buttons in a row.
    optQBLarge.Group({&optQBSmall});
    optQBSmall.Group({&optQBLarge});
    optQBHorizontal.Group({&optQBVertical});
    optQBVertical.Group({&optQBHorizontal});
    for (BoxMember box : kQuickbarBoxes) (this->*box).SetValue(1);
    optQBLarge.SetValue(true);
    optQBHorizontal.SetValue(true);

    for (BoxMember box : kOptionBoxes) (this->*box).onChange = [this] { MarkOptionsChanged(); };
    for (int minutes : kWarnMinuteChoices)
        cmdWarn.AddItem(minutes == 0 ? "Off" : std::to_string(minutes) + (minutes == 1 ? " minute" : " minutes"));
    cmdWarn.SetListIndex(WarnChoiceIndex(kDefaultWarnMinutes));
    cmdWarn.onChange = [this] { MarkOptionsChanged(); };
}

int OptionsForm::WarnChoiceIndex(int minutes) {
    const auto found = std::find(std::begin(kWarnMinuteChoices), std::end(kWarnMinuteChoices), minutes);
    return found == std::end(kWarnMinuteChoices) ? 0 : static_cast<int>(found - std::begin(kWarnMinuteChoices));
}

namespace {

// The stored boxes in load order.
constexpr std::pair<CheckBox OptionsForm::*, int BoxSettings::*> kStoredBoxes[] = {
    {&OptionsForm::chkPower, &BoxSettings::PowerOff},
    {&OptionsForm::chkPassword, &BoxSettings::Enabled},
    {&OptionsForm::chkStartup, &BoxSettings::StartUp},
    {&OptionsForm::chkTray, &BoxSettings::SysTray},
    {&OptionsForm::chkWake, &BoxSettings::WakeToRun},
    {&OptionsForm::chkCleanTemp, &BoxSettings::Temp},
    {&OptionsForm::chkCleanNetCashe, &BoxSettings::NetCashe},
    {&OptionsForm::chkCleanRecycleBin, &BoxSettings::RecycleBin},
};

}  // namespace

BoxSettings OptionsForm::StoredBoxes() const {
    BoxSettings boxes;
    for (const auto& [box, setting] : kStoredBoxes) boxes.*setting = (this->*box).Value();
    const int warn = cmdWarn.ListIndex();
    boxes.WarnMinutes = warn >= 0 && warn < cmdWarn.Count() ? kWarnMinuteChoices[warn] : kDefaultWarnMinutes;
    return boxes;
}

void OptionsForm::LoadStoredBoxes(const BoxSettings& boxes) {
    for (const auto& [box, setting] : kStoredBoxes) (this->*box).SetValue(boxes.*setting);
    cmdWarn.SetListIndex(WarnChoiceIndex(boxes.WarnMinutes));
}

void OptionsForm::LoadHotkeyTexts(const HotkeyValues& values) {
    txtShutdownKey.SetText(values.shutdownText);
    txtRebootKey.SetText(values.rebootText);
    txtLogOffKey.SetText(values.logOffText);
}

void OptionsForm::FillActionLists(bool lockSupported) {
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

void OptionsForm::MarkOptionsChanged() {
    OptionsChanged = true;
    cmdApply.SetEnabled(true);
}

void OptionsForm::MarkApplied() {
    restoreApplied_.clear();
    // Checked boxes first: the Quickbar's button boxes never pass through a
    // state with none of them checked.
    for (int checked : {1, 0})
        for (BoxMember box : kBoxes)
            if (((this->*box).Value() != 0) == (checked != 0)) MarkAppliedValue(this->*box);
    // Each button as it was: a group may have none chosen (both stored "0").
    for (OptionButton* option : {&optQBLarge, &optQBSmall, &optQBHorizontal, &optQBVertical})
        restoreApplied_.emplace_back(option, [option, value = option->Value()] { option->SetValue(value); });
    for (TextBox* box : {&txtShutdownKey, &txtRebootKey, &txtLogOffKey})
        restoreApplied_.emplace_back(box, [box, text = box->Text()] { box->SetText(text); });
    MarkAppliedValue(cmdWarn);
}

void OptionsForm::MarkAppliedValue(CheckBox& box) {
    MarkAppliedStep(box, [&box, value = box.Value()] { box.SetValue(value); });
}

void OptionsForm::MarkAppliedValue(ListControl& list) {
    MarkAppliedStep(list, [&list, index = list.ListIndex()] { list.SetListIndex(index); });
}

void OptionsForm::MarkAppliedStep(const Control& control, std::function<void()> restore) {
    for (auto& [marked, step] : restoreApplied_)
        if (marked == &control) return void(step = std::move(restore));
    restoreApplied_.emplace_back(&control, std::move(restore));
}

void OptionsForm::RestoreApplied() {
    for (const auto& [control, restore] : restoreApplied_) restore();
}

void OptionsForm::ClearPendingChanges() {
    cmdApply.SetEnabled(false);
    ScenariosChanged = false;
    HotkeysChanged = false;
    OptionsChanged = false;
}

}  // namespace dwl
