#include "ui/quickbar/quickbar.h"

#include <algorithm>

#include "model/power_action.h"
#include "platform/dialogs.h"
#include "ui/options/options_form.h"

namespace dwl {
namespace {

constexpr int kConfig = 6;
constexpr int kAlwaysOnTop = 7;
constexpr int kNoAction = -1;

struct Item {
    CheckBox OptionsForm::*box;
    int code;              // handed to ExitWindows; kNoAction for Config and Always on top
    const char* question;  // asked first when confirmations are on; null: never asked
    const char* tooltip;
};

const Item kItems[Quickbar::kButtonCount] = {
    {&OptionsForm::chkQBShutdown, Shutdown, "Are you sure you want to shutdown?",
     FindPowerAction(Shutdown)->quickbarTip},
    {&OptionsForm::chkQBRestart, Reboot, "Are you sure you want to restart?", FindPowerAction(Reboot)->quickbarTip},
    {&OptionsForm::chkQBLogoff, LogOff, "Are you sure you want to log off?", FindPowerAction(LogOff)->quickbarTip},
    {&OptionsForm::chkQBSuspend, Suspend, nullptr, FindPowerAction(Suspend)->quickbarTip},
    {&OptionsForm::chkQBHibernate, Hibernate, nullptr, FindPowerAction(Hibernate)->quickbarTip},
    {&OptionsForm::chkQBLock, Lock, nullptr, FindPowerAction(Lock)->quickbarTip},
    {&OptionsForm::chkQBConfig, kNoAction, nullptr, "Config"},
    {&OptionsForm::chkQBAOT, kNoAction, nullptr, "Always on top"},
};
constexpr size_t kLockItem = 5;  // chkQBLock in kItems

// Keeps Apply's enabled state across a change the bar makes on the page itself.
struct KeepApply {
    Button& apply;
    const bool enabled = apply.Enabled();
    ~KeepApply() { apply.SetEnabled(enabled); }
};

}  // namespace

Quickbar::Quickbar(IQuickbarWindow& window, Services services) : window_(window), services_(std::move(services)) {
    OptionsForm& form = services_.form;
    for (int i = 0; i < kButtonCount; ++i) {
        const auto index = static_cast<size_t>(i);
        for (bool isLarge : {false, true}) {
            Button& button = isLarge ? large[index] : small[index];
            button.SetTooltip(kItems[i].tooltip);
            button.onClick = [this, i, isLarge] { Click(i, isLarge); };
        }
        CheckBox& box = form.*kItems[i].box;
        box.onChange = [this, &box] {
            box.SetValue(CheckExist(static_cast<std::int16_t>(box.Value())));
            MarkChanged();
        };
    }
    for (Control* control :
         std::initializer_list<Control*>{&form.chkQBar, &form.chkQBAOT2, &form.chkQBConfirm, &form.optQBLarge,
                                         &form.optQBSmall, &form.optQBHorizontal, &form.optQBVertical})
        control->onChange = [this] { MarkChanged(); };
}

void Quickbar::MarkChanged() {
    services_.form.cmdApply.SetEnabled(true);
    services_.form.QuickbarChanged = true;
}

void Quickbar::ShowButtonSet(bool& blnSmall) {
    for (Button& button : small) button.SetVisible(blnSmall);
    blnSmall = !blnSmall;
    for (Button& button : large) button.SetVisible(blnSmall);
}

void Quickbar::ArrangeButtons(const bool& blnHorizontal) {
    for (int i = 0; i < kButtonCount; ++i) {
        const auto index = static_cast<size_t>(i);
        if (blnHorizontal) {
            smallPlace[index] = {i * kSmallPitch, 0};
            largePlace[index] = {i * kLargePitch, 0};
        } else {
            smallPlace[index] = {35, i * kSmallPitch};
            largePlace[index] = {0, i * kLargePitch};
        }
    }
}

void Quickbar::DisplayQuickbar() {
    const OptionsForm& form = services_.form;
    window_.Hide();
    const bool horizontal = form.optQBHorizontal.Value();
    const bool useLarge = form.optQBLarge.Value();
    ArrangeButtons(horizontal);
    bool showSmall = !useLarge;
    ShowButtonSet(showSmall);
    auto& buttons = useLarge ? large : small;
    auto& places = useLarge ? largePlace : smallPlace;
    const int pitch = useLarge ? kLargePitch : kSmallPitch;
    std::int16_t position = 0;
    int shown = -1;
    for (int i = 0; i < kButtonCount; ++i) {
        const auto index = static_cast<size_t>(i);
        if ((form.*kItems[i].box).Value() == 0) {
            buttons[index].SetVisible(false);
            continue;
        }
        (horizontal ? places[index].left : places[index].top) = position;
        position = static_cast<std::int16_t>(position + pitch);
        shown = i;
    }
    if (horizontal) {
        Height = useLarge ? 855 : 615;
        Width = position + (useLarge ? 100 : 80);
        // One small button alone: the title bar needs the room.
        if (!useLarge && Width < 405 && shown >= 0) smallPlace[static_cast<size_t>(shown)].left = 35;
    } else {
        Width = useLarge ? 595 : 355;
        Height = position + 360;
    }
    window_.Layout();
    if (form.chkQBar.Value() != 0) window_.Show();
    if (form.chkQBAOT2.Value() != 0)
        window_.SetAlwaysOnTop();
    else
        window_.ClearAlwaysOnTop();
}

std::int16_t Quickbar::CheckExist(const std::int16_t& val) {
    std::int16_t result = val;
    if (val != 0) return result;
    std::int16_t sum = 0;
    for (const Item& item : kItems) sum = static_cast<std::int16_t>(sum + (services_.form.*item.box).Value());
    if (sum == 0) {
        services_.dialogs.ShowMessage("At least one button must be set in the Quickbar.", appTitle,
                                      MbOk | MbIconInformation);
        result = 1;
    }
    return result;
}

void Quickbar::Click(int index, bool isLarge) {
    // Nothing starts inside another command's message box.
    if (services_.dialogs.BoxOpen()) return;
    // A click made before the machine went to sleep and queued meanwhile
    // (a second click on Suspend) is not carried out after it wakes.
    if (woke_ && static_cast<std::int32_t>(window_.InputTime() - wokeAt_) < 0) return;
    const Item& item = kItems[index];
    if (item.code != kNoAction) {
        if (item.question && services_.form.chkQBConfirm.Value() != 0 &&
            services_.dialogs.ShowMessage(item.question, "Action confirmation.", MbYesNo | MbIconQuestion,
                                          DialogOwner::Quickbar) != IdYes)
            return;
        if (services_.exitWindows) services_.exitWindows(item.code);
        if (item.code == Suspend || item.code == Hibernate) {
            woke_ = true;
            wokeAt_ = window_.Now();
        }
    } else if (index == kConfig) {
        // The large button shows the window as start-up does while the tray
        // icon was never installed in this run.
        if (!isLarge || (services_.trayIconAdded && services_.trayIconAdded())) {
            if (services_.showSettings) services_.showSettings();
        } else if (services_.Show_Form) {
            services_.Show_Form();
        }
    } else if (index == kAlwaysOnTop) {
        ToggleAlwaysOnTop();
    }
}

void Quickbar::ToggleAlwaysOnTop() {
    CheckBox& aot = services_.form.chkQBAOT2;
    {
        KeepApply keep{services_.form.cmdApply};
        aot.SetValue(aot.Value() != 0 ? 0 : 1);
    }
    if (aot.Value() != 0)
        window_.SetAlwaysOnTop();
    else
        window_.ClearAlwaysOnTop();
    // In effect at once: Cancel keeps it, and so does the next start.
    services_.form.MarkAppliedValue(aot);
    if (services_.saveBox) services_.saveBox("AOT", aot.Value());
}

bool Quickbar::OnClose(bool byUser) {
    if (!byUser) return false;
    CheckBox& show = services_.form.chkQBar;
    {
        KeepApply keep{services_.form.cmdApply};
        show.SetValue(0);
    }
    services_.form.MarkAppliedValue(show);
    if (services_.saveBox) services_.saveBox("Enabled", 0);
    SavePosition();
    return true;
}

void Quickbar::LoadSettings(const QuickbarSettings& s, bool lockSupported) {
    OptionsForm& form = services_.form;
    form.chkQBar.SetValue(s.Enabled);
    form.chkQBAOT2.SetValue(s.AOT);
    form.chkQBConfirm.SetValue(s.Confirmations);
    auto buttons = s.Buttons;
    if (!lockSupported) {
        // Where locking is not offered, a stored set of "Lock" alone would
        // leave no button: the bar starts with the default set instead.
        buttons[kLockItem] = 0;
        if (std::all_of(buttons.begin(), buttons.end(), [](int b) { return b == 0; }) && s.Buttons[kLockItem] != 0) {
            buttons = QuickbarSettings{}.Buttons;
            buttons[kLockItem] = 0;
        }
    }
    for (int i = 0; i < kButtonCount; ++i) (form.*kItems[i].box).SetValue(buttons[static_cast<size_t>(i)]);
    // Each as its own option button would take it: the later of a group wins.
    for (auto [option, value] : {std::pair{&form.optQBHorizontal, s.Horizontally},
                                 {&form.optQBVertical, s.Vertically},
                                 {&form.optQBLarge, s.Large},
                                 {&form.optQBSmall, s.Small}})
        option->SetValue(value);
    Left = s.PosX;
    Top = s.PosY;
    place_ = savedPosition_ = {Left, Top};
    window_.Place(Left, Top);
    if (!lockSupported) {
        form.chkQBLock.SetValue(0);
        form.chkQBLock.SetEnabled(false);
    }
}

QuickbarSettings Quickbar::StoredSettings() const {
    const OptionsForm& form = services_.form;
    QuickbarSettings s;
    s.Enabled = form.chkQBar.Value();
    s.AOT = form.chkQBAOT2.Value();
    s.Confirmations = form.chkQBConfirm.Value();
    for (int i = 0; i < kButtonCount; ++i) s.Buttons[static_cast<size_t>(i)] = (form.*kItems[i].box).Value();
    s.Horizontally = form.optQBHorizontal.Value();
    s.Vertically = form.optQBVertical.Value();
    s.Large = form.optQBLarge.Value();
    s.Small = form.optQBSmall.Value();
    s.PosX = place_.left;
    s.PosY = place_.top;
    return s;
}

void Quickbar::OnMoved(int left, int top) {
    Left = left;
    Top = top;
}

void Quickbar::OnDragEnded() {
    place_ = {Left, Top};
    SavePosition();
}

void Quickbar::SavePosition() {
    if (savedPosition_.left == place_.left && savedPosition_.top == place_.top) return;
    savedPosition_ = place_;
    if (services_.savePosition) services_.savePosition(place_.left, place_.top);
}

void Quickbar::Destroy() {
    SavePosition();
    window_.Destroy();
}

}  // namespace dwl
