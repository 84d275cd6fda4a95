#include <span>
#include <type_traits>
#include <utility>

#include "ui/options/win32/options_view.h"

namespace dwl::win32 {
namespace {

using F = OptionsForm;

// The form's control that a placement binds: a member of one of the form's
// kinds of control.
union Member {
    constexpr Member() : none(nullptr) {}
    constexpr Member(Label F::*m) : label(m) {}
    constexpr Member(CheckBox F::*m) : checkBox(m) {}
    constexpr Member(Button F::*m) : button(m) {}
    constexpr Member(ListControl F::*m) : list(m) {}
    constexpr Member(CheckedList F::*m) : checkedList(m) {}
    constexpr Member(TextBox F::*m) : textBox(m) {}
    constexpr Member(OptionButton F::*m) : option(m) {}

    // The control in `form`, of the kind the placement was made with.
    template <typename Model>
    Model& In(F& form) const {
        if constexpr (std::is_same_v<Model, Label>) return form.*label;
        if constexpr (std::is_same_v<Model, CheckBox>) return form.*checkBox;
        if constexpr (std::is_same_v<Model, Button>) return form.*button;
        if constexpr (std::is_same_v<Model, ListControl>) return form.*list;
        if constexpr (std::is_same_v<Model, CheckedList>) return form.*checkedList;
        if constexpr (std::is_same_v<Model, TextBox>) return form.*textBox;
        if constexpr (std::is_same_v<Model, OptionButton>) return form.*option;
    }

    std::nullptr_t none;
    Label F::*label;
    CheckBox F::*checkBox;
    Button F::*button;
    ListControl F::*list;
    CheckedList F::*checkedList;
    TextBox F::*textBox;
    OptionButton F::*option;
};

// One control of a page: what makes its window, the form's control it binds,
// the binder's option, its id and its rectangle in twips inside the page. The
// order of a page's placements is its tab order.
struct Placement {
    HWND (*add)(ControlViews& views, OptionsForm& form, const Placement& placement, HICON aboutIcon);
    Member member;
    int option;
    int id;
    TwipsRect rect;
};

// One function per kind of binder (and of its option), not one per control.
template <typename B, typename Model>
HWND AddBinder(ControlViews& views, OptionsForm& form, const Placement& p, HICON) {
    return views.Add<B>(p.member.In<Model>(form), p.id, p.rect);
}
template <typename B, typename Model, typename Option>
HWND AddBinderWith(ControlViews& views, OptionsForm& form, const Placement& p, HICON) {
    return views.Add<B>(p.member.In<Model>(form), p.id, p.rect, static_cast<Option>(p.option));
}

template <auto M>
using ModelOf = std::remove_reference_t<decltype(std::declval<F&>().*M)>;

// The binder B for the form's control M, with B's option when one is given.
template <typename B, auto M>
constexpr Placement Place(int id, TwipsRect rect) {
    return {AddBinder<B, ModelOf<M>>, M, 0, id, rect};
}
template <typename B, auto M, auto option>
constexpr Placement Place(int id, TwipsRect rect) {
    return {AddBinderWith<B, ModelOf<M>, decltype(option)>, M, static_cast<int>(option), id, rect};
}

// Decorations, without a model.
HWND AddFrame(ControlViews& views, OptionsForm&, const Placement& p, HICON) { return views.AddFrame(p.id, p.rect); }
HWND AddLine(ControlViews& views, OptionsForm&, const Placement& p, HICON) { return views.AddLine(p.id, p.rect); }
HWND AddIcon(ControlViews& views, OptionsForm&, const Placement& p, HICON icon) {
    return views.AddIcon(icon, p.id, p.rect);
}
constexpr Placement Frame(int id, TwipsRect rect) { return {AddFrame, {}, 0, id, rect}; }
constexpr Placement Line(int id, TwipsRect rect) { return {AddLine, {}, 0, id, rect}; }
constexpr Placement Icon(int id, TwipsRect rect) { return {AddIcon, {}, 0, id, rect}; }

// A button of the bottom row, counted from the right.
constexpr TwipsRect BottomButton(int fromRight) {
    return {kOptionsClientWidth - 120 - (fromRight + 1) * 1125 - fromRight * 90, kOptionsButtonTop, 1125, 345};
}

constexpr bool kFirstOfGroup = true;
constexpr bool kDefault = true;
// The days of a weekly scenario, side by side.
constexpr int kDayColumns = 7;

constexpr Placement kGeneralPage[] = {
    Place<GroupBoxView, &F::fraUI>(IdFraUI, {120, 60, 7320, 930}),
    Place<CheckBoxView, &F::chkStartup>(IdChkStartup, {300, 330, 6960, 255}),
    Place<CheckBoxView, &F::chkTray>(IdChkTray, {300, 630, 6960, 255}),
    Place<GroupBoxView, &F::fraSecurity>(IdFraSecurity, {120, 1080, 7320, 780}),
    Place<CheckBoxView, &F::chkPassword>(IdChkPassword, {300, 1395, 5280, 255}),
    Place<ButtonView, &F::cmdPassword>(IdCmdPassword, {5820, 1350, 1440, 345}),
    Place<GroupBoxView, &F::Frame1>(IdFrame1, {120, 1980, 7320, 780}),
    Place<DropDownView, &F::cmdAct>(IdCmdAct, {300, 2295, 5280, 315}),
    Place<ButtonView, &F::cmdIA>(IdCmdIA, {5820, 2280, 1440, 345}),
    Place<LabelView, &F::Label4, 'A'>(IdLabel4, {120, 2910, 7320, 210}),
    Place<ListBoxView, &F::lstScen>(IdLstScen, {120, 3150, 7320, 2160}),
};

constexpr Placement kScenariosPage[] = {
    Place<DropDownView, &F::cmdScen>(IdCmdScen, {120, 135, 4920, 315}),
    Place<ButtonView, &F::cmdAdd>(IdCmdAdd, {5160, 120, 1080, 345}),
    Place<ButtonView, &F::cmdDel>(IdCmdDel, {6360, 120, 1080, 345}),
    Frame(IdFraScen, {120, 600, 7320, 2340}),
    Place<LabelView, &F::lblAction, 'A'>(IdLblAction, {300, 960, 1080, 210}),
    Place<DropDownView, &F::cmdAction>(IdCmdAction, {1440, 900, 4200, 315}),
    Place<ButtonView, &F::cmdFind>(IdCmdFind, {5820, 885, 1440, 345}),
    Place<LabelView, &F::lblDuration, 'D'>(IdLblDuration, {300, 1455, 1080, 210}),
    Place<DropDownView, &F::cmdDuration>(IdCmdDuration, {1440, 1395, 2400, 315}),
    Place<CheckedListView, &F::lstDays, kDayColumns>(IdLstDays, {1440, 1830, 5820, 300}),
    Place<LabelView, &F::lblTime, 'T'>(IdLblTime, {300, kTimeBoxRect.top + 60, 1080, 210}),
    Place<TextBoxView, &F::txtTime, TextInput::KeysOnly>(IdTxtTime, kTimeBoxRect),
    Place<ButtonView, &F::cmdPlus>(IdCmdPlus, {2700, kTimeBoxRect.top - 90, 420, 255}),
    Place<ButtonView, &F::cmdMin>(IdCmdMin, {2700, kTimeBoxRect.top + 165, 420, 255}),
    // Over the time box's place, shown instead of it for the durations of an event.
    Place<TextBoxView, &F::txtProgram>(IdTxtProgram, {1440, kTimeBoxRect.top, 4200, 315}),
    Place<ButtonView, &F::cmdProgram>(IdCmdProgram, {5820, kTimeBoxRect.top - 15, 480, 345}),
    Place<TextBoxView, &F::txtIdle, TextInput::Digits>(IdTxtIdle, {1440, kTimeBoxRect.top, 840, 315}),
    Place<LabelView, &F::lblIdle>(IdLblIdle, {2400, kTimeBoxRect.top + 60, 600, 210}),
    Place<CheckBoxView, &F::chkPower>(IdChkPower, {120, 3120, 7320, 255}),
    Place<LabelView, &F::lblWarn, 'W'>(IdLblWarn, {120, 3570, 3000, 210}),
    Place<DropDownView, &F::cmdWarn>(IdCmdWarn, {3240, 3510, 1800, 315}),
    Place<CheckBoxView, &F::chkWake>(IdChkWake, {120, 3960, 7320, 255}),
    Place<ListBoxView, &F::lstTime>(IdLstTime, {kTimeBoxRect.left, kTimeBoxRect.top + kTimeBoxRect.height, 840, 1590}),
};

constexpr Placement kHotkeysPage[] = {
    Place<LabelView, &F::lblHotkeys>(IdLblHotkeys, {120, 180, 7320, 420}),
    Place<LabelView, &F::lblShutdownKey, 'S'>(IdLblShutdownKey, {360, 900, 2400, 210}),
    Place<TextBoxView, &F::txtShutdownKey, TextInput::KeysOnly>(IdTxtShutdownKey, {2880, 840, 3000, 315}),
    Place<LabelView, &F::lblRebootKey, 'R'>(IdLblRebootKey, {360, 1380, 2400, 210}),
    Place<TextBoxView, &F::txtRebootKey, TextInput::KeysOnly>(IdTxtRebootKey, {2880, 1320, 3000, 315}),
    Place<LabelView, &F::lblLogOffKey, 'L'>(IdLblLogOffKey, {360, 1860, 2400, 210}),
    Place<TextBoxView, &F::txtLogOffKey, TextInput::KeysOnly>(IdTxtLogOffKey, {2880, 1800, 3000, 315}),
    Place<LabelView, &F::lblNote1>(IdLblNote1, {120, 2640, 7320, 210}),
    Place<LabelView, &F::lblNote2>(IdLblNote2, {120, 2880, 7320, 210}),
};

constexpr Placement kCleanUpPage[] = {
    Place<LabelView, &F::Label9>(IdLabel9, {120, 180, 7320, 420}),
    Frame(IdFraCleanUp, {120, 720, 7320, 1320}),
    Place<CheckBoxView, &F::chkCleanTemp>(IdChkCleanTemp, {360, 990, 6840, 255}),
    Place<CheckBoxView, &F::chkCleanNetCashe>(IdChkCleanNetCashe, {360, 1320, 6840, 255}),
    Place<CheckBoxView, &F::chkCleanRecycleBin>(IdChkCleanRecycleBin, {360, 1650, 6840, 255}),
};

constexpr Placement kQuickbarPage[] = {
    Place<CheckBoxView, &F::chkQBar>(IdChkQBar, {120, 120, 7320, 255}),
    Place<CheckBoxView, &F::chkQBAOT2>(IdChkQBAOT2, {120, 420, 7320, 255}),
    Place<CheckBoxView, &F::chkQBConfirm>(IdChkQBConfirm, {120, 720, 7320, 255}),
    Place<GroupBoxView, &F::Frame2>(IdFrame2, {120, 1080, 3570, 930}),
    Place<OptionView, &F::optQBLarge, kFirstOfGroup>(IdOptQBLarge, {300, 1380, 3240, 255}),
    Place<OptionView, &F::optQBSmall, !kFirstOfGroup>(IdOptQBSmall, {300, 1680, 3240, 255}),
    Place<GroupBoxView, &F::fraQBPlacement>(IdFraQBPlacement, {3870, 1080, 3570, 930}),
    Place<OptionView, &F::optQBHorizontal, kFirstOfGroup>(IdOptQBHorizontal, {4050, 1380, 3240, 255}),
    Place<OptionView, &F::optQBVertical, !kFirstOfGroup>(IdOptQBVertical, {4050, 1680, 3240, 255}),
    Place<GroupBoxView, &F::fraQBItems>(IdFraQBItems, {120, 2130, 7320, 1560}),
    Place<CheckBoxView, &F::chkQBShutdown>(IdChkQBShutdown, {300, 2430, 3240, 255}),
    Place<CheckBoxView, &F::chkQBRestart>(IdChkQBRestart, {300, 2730, 3240, 255}),
    Place<CheckBoxView, &F::chkQBLogoff>(IdChkQBLogoff, {300, 3030, 3240, 255}),
    Place<CheckBoxView, &F::chkQBSuspend>(IdChkQBSuspend, {300, 3330, 3240, 255}),
    Place<CheckBoxView, &F::chkQBHibernate>(IdChkQBHibernate, {4050, 2430, 3240, 255}),
    Place<CheckBoxView, &F::chkQBLock>(IdChkQBLock, {4050, 2730, 3240, 255}),
    Place<CheckBoxView, &F::chkQBConfig>(IdChkQBConfig, {4050, 3030, 3240, 255}),
    Place<CheckBoxView, &F::chkQBAOT>(IdChkQBAOT, {4050, 3330, 3240, 255}),
};

constexpr Placement kAboutPage[] = {
    Icon(IdPicIcon, {240, 240, kAboutIconSize, kAboutIconSize}),
    Place<LabelView, &F::lblTitle>(IdLblTitle, {960, 240, 6480, 660}),
    Line(IdLine1Top, {120, 1080, 7320, 30}),
    Place<LabelView, &F::lblDisclaimer>(IdLblDisclaimer, {120, 1260, 7320, 840}),
    Line(IdLine1Bottom, {120, 2220, 7320, 30}),
    Place<ButtonView, &F::cmdLink>(IdCmdLink, {120, 2400, 3000, 345}),
};

constexpr Placement kButtonRow[] = {
    Place<ButtonView, &F::cmdOK, kDefault>(IdOK, BottomButton(3)),
    Place<ButtonView, &F::cmdCancel>(IdCancel, BottomButton(2)),
    Place<ButtonView, &F::cmdApply>(IdApply, BottomButton(1)),
    Place<ButtonView, &F::cmdHelp>(IdHelp, BottomButton(0)),
};

// In the order of the tabs, then the row of buttons.
constexpr std::span<const Placement> kControls[OptionsForm::kPageCount + 1] = {
    kGeneralPage, kScenariosPage, kHotkeysPage, kCleanUpPage, kQuickbarPage, kAboutPage, kButtonRow,
};

}  // namespace

void CreateOptionsControls(size_t page, ControlViews& views, OptionsForm& form, HICON aboutIcon) {
    for (const Placement& placement : kControls[page]) placement.add(views, form, placement, aboutIcon);
}

}  // namespace dwl::win32
