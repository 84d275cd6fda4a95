#include "ui/options/scenario_editor.h"

#include <algorithm>

#include <vector>

#include "model/text.h"
#include "schedule/mtime.h"
#include "schedule/scenario_entry.h"

namespace dwl {
namespace {

constexpr const char* kWeekly = "Weekly";
constexpr const char* kAfterExit = "After exit";
constexpr const char* kAfterIdle = "After idle";
constexpr const char* kCheckCaption = "Scenario";
constexpr const char* kDeleteQuestion = "Do you really want to delete";
constexpr const char* kDeleteCaption = "Delete scenario";
constexpr unsigned kDeleteStyle = MbYesNo | MbIconExclamation;  // 52

int IndexOf(const ListControl& list, const std::string& item) {
    const auto& items = list.Items();
    const auto found = std::find(items.begin(), items.end(), item);
    return found == items.end() ? -1 : static_cast<int>(found - items.begin());
}

// Selects the item equal to `text`, or none.
void SelectText(ListControl& list, const std::string& text) {
    if (!list.SetText(text)) list.SetListIndex(-1);
}

// Makes `list` hold `items`. Entries only leave or come (the user's at the
// end, the administrator's among the first), and so they do in the list: a
// selected entry stays selected, and one taken out leaves no selection.
void ShowItems(ListControl& list, const std::vector<std::string>& items) {
    int at = 0;
    for (auto item = items.begin(); item != items.end(); ++item, ++at) {
        while (at < list.Count() && list.Item(at) != *item && std::find(item, items.end(), list.Item(at)) == items.end())
            list.RemoveItem(at);
        if (at == list.Count() || list.Item(at) != *item) list.InsertItem(at, *item);
    }
    while (list.Count() > at) list.RemoveItem(at);
}

// The minutes typed for "After idle": digits alone, 1 to kMaxIdleMinutes.
std::optional<int> ReadIdleMinutes(const std::string& typed) {
    return ReadMinuteCount(TrimBlanks(typed), ScenarioEntry::kMaxIdleMinutes);
}

}  // namespace

ScenarioEditor::ScenarioEditor(OptionsForm& form, ScenarioBook& book, TimeBox& timeBox, IClock& clock,
                               IDialogs& dialogs)
    : form_(form), book_(book), timeBox_(timeBox), clock_(clock), dialogs_(dialogs) {
    for (int i = 0; i < form_.lstDays.Count(); ++i) dayChecks_.push_back(form_.lstDays.Checked(i));

    form_.cmdAction.onChange = [this] { cmdAction_Change(); };
    form_.cmdDuration.onChange = [this] { cmdDuration_Change(); };
    form_.lstDays.onChange = [this] { lstDays_Change(); };
    for (TextBox* box : {&timeBox_.txtTime, &form_.txtProgram, &form_.txtIdle})
        box->onChange = [this] { txtTime_Change(); };
    form_.cmdScen.onChange = [this] { cmdScen_Change(); };
    form_.lstScen.onChange = [this] { lstScen_Click(); };
    form_.cmdAdd.onClick = [this] { cmdAdd_Click(); };
    form_.cmdDel.onClick = [this] { cmdDel_Click(); };
    form_.cmdFind.onClick = [this] { cmdFind_Click(); };
    form_.cmdProgram.onClick = [this] { cmdProgram_Click(); };

    book_.Observe([this](ScenarioBook::Change) { ShowBook(); });
    ShowBook();
    ApplyEnablingRules();
}

bool ScenarioEditor::IsApplicationAction() const {
    const std::string action = form_.cmdAction.Text();
    return action == kRunAppText || action == kCloseAppText;
}

void ScenarioEditor::ApplyEnablingRules() {
    form_.cmdFind.SetVisible(IsApplicationAction());
    const std::string duration = form_.cmdDuration.Text();
    const bool weekly = duration == kWeekly, exit = duration == kAfterExit, idle = duration == kAfterIdle;
    // The program or the minutes take the time box's place.
    for (Control* control : std::initializer_list<Control*>{&timeBox_.txtTime, &timeBox_.cmdPlus, &timeBox_.cmdMin})
        control->SetVisible(!exit && !idle);
    if (exit || idle) timeBox_.lstTime.SetVisible(false);
    form_.txtProgram.SetVisible(exit);
    form_.cmdProgram.SetVisible(exit);
    form_.txtIdle.SetVisible(idle);
    form_.lblIdle.SetVisible(idle);
    form_.lblTime.SetCaption(exit ? "Program:" : idle ? "Idle time:" : "Time:");
    form_.lstDays.SetVisible(weekly);
    if (!weekly) {
        for (int i = 0; i < form_.lstDays.Count(); ++i) form_.lstDays.SetChecked(i, false);
        form_.lstDays.SetListIndex(-1);
    }
}

void ScenarioEditor::MarkChanged() {
    form_.cmdApply.SetEnabled(true);
    form_.ScenariosChanged = true;
    editPending_ = true;
}

void ScenarioEditor::SetEditingEnabled(bool enabled) {
    editable_ = enabled;
    for (Control* control : std::initializer_list<Control*>{
             &form_.cmdAction, &form_.cmdDuration, &form_.lstDays, &timeBox_.txtTime, &timeBox_.cmdPlus,
             &timeBox_.cmdMin, &form_.cmdFind, &form_.txtProgram, &form_.cmdProgram, &form_.txtIdle})
        control->SetEnabled(enabled && !lockedOut);
}

void ScenarioEditor::DropChangeUnlessOthersPending() {
    if (!form_.HotkeysChanged && !form_.OptionsChanged) form_.cmdApply.SetEnabled(false);
    form_.ScenariosChanged = false;
}

void ScenarioEditor::ShowBook() {
    // The administrator's entries first, marked: in the lists, never in the entry.
    std::vector<std::string> all = book_.PolicyTexts(), active;
    for (std::string& text : all) text += kPolicyMark;
    active = all;
    all.insert(all.end(), book_.All().begin(), book_.All().end());
    const std::vector<std::string> own = book_.ActiveTexts();
    active.insert(active.end(), own.begin(), own.end());
    ShowItems(form_.cmdScen, all);
    ShowItems(form_.lstScen, active);
}

bool ScenarioEditor::PolicyAt(int index) const {
    return index >= 0 && index < static_cast<int>(book_.PolicyTexts().size());
}

void ScenarioEditor::cmdAction_Change() {
    // A program picked to close is no program to run, nor the other way round.
    SelectedApplication.clear();
    ApplyEnablingRules();
    if (!form_.cmdDuration.Text().empty()) MarkChanged();
}

void ScenarioEditor::cmdDuration_Change() {
    ApplyEnablingRules();
    if (!form_.cmdAction.Text().empty()) MarkChanged();
}

void ScenarioEditor::lstDays_Change() {
    // The list also reports a move of its current item; only check marks count.
    bool checksChanged = false;
    dayChecks_.resize(static_cast<size_t>(form_.lstDays.Count()), false);
    for (int i = 0; i < form_.lstDays.Count(); ++i) {
        const bool checked = form_.lstDays.Checked(i);
        if (dayChecks_[static_cast<size_t>(i)] != checked) {
            dayChecks_[static_cast<size_t>(i)] = checked;
            checksChanged = true;
        }
    }
    if (checksChanged) MarkChanged();
}

void ScenarioEditor::txtTime_Change() {
    if (!form_.cmdAction.Text().empty() && !form_.cmdDuration.Text().empty()) MarkChanged();
}

void ScenarioEditor::cmdScen_Change() {
    // Removing the selected entry leaves no selection: nothing to load.
    if (form_.cmdScen.ListIndex() >= 0) SwitchScen(form_.cmdScen.ListIndex());
}

void ScenarioEditor::lstScen_Click() { form_.lstScen.SetTooltip(form_.lstScen.Text()); }

void ScenarioEditor::lstScen_LostFocus() { form_.lstScen.SetTooltip(""); }

void ScenarioEditor::SwitchScen(int index) {
    if (index < 0 || index >= form_.cmdScen.Count()) return;
    const bool policy = PolicyAt(index);
    const std::string text = policy ? book_.PolicyTexts()[static_cast<size_t>(index)] : form_.cmdScen.Item(index);
    const auto scenario = ParseScenarioEntry(text);
    // Only an entry the controls can show whole is edited; any other is shown
    // with its own text and never rewritten (a well-formed one still runs).
    // The administrator's entries are shown, never edited.
    const bool editable = scenario && !scenario->action.empty() && IndexOf(form_.cmdAction, scenario->action) >= 0;
    SetEditingEnabled(editable && !policy);
    if (editable) {
        // The action and the duration before the days: their change handling
        // clears the days while the duration shown is not weekly.
        form_.cmdAction.SetText(scenario->action);
        const bool weekly = scenario->recurrence == Recurrence::Weekly;
        form_.cmdDuration.SetText(weekly ? kWeekly : scenario->DurationText());
        if (weekly) CheckWeeklyDays(scenario->days);
    } else {
        form_.cmdAction.SetListIndex(-1);
        form_.cmdDuration.SetListIndex(-1);
    }
    form_.txtProgram.SetText(editable ? scenario->program : "");
    form_.txtIdle.SetText(editable && scenario->idleMinutes > 0 ? std::to_string(scenario->idleMinutes) : "");
    // Shown in the form the program runs in, whichever form the entry holds;
    // the current time for an entry of an event, should it become one of a time.
    const bool atTime = scenario && scenario->AtTimeOfDay();
    timeBox_.ShowTime(atTime     ? TimeText(scenario->hour, scenario->minute, timeBox_.Use12Hour)
                      : editable ? CurrentTimeText(clock_, timeBox_.Use12Hour)
                                 : TimeFieldIn(text));

    DropChangeUnlessOthersPending();
    editPending_ = false;
}

void ScenarioEditor::CheckWeeklyDays(const std::array<bool, 7>& checked) {
    CheckedList& days = form_.lstDays;
    for (int i = 0; i < days.Count(); ++i) days.SetChecked(i, i < 7 && checked[static_cast<size_t>(i)]);
    days.SetListIndex(-1);
}

std::optional<ScenarioEntry> ScenarioEditor::ShownScenario() const {
    const std::string action = form_.cmdAction.Text();
    const std::string duration = form_.cmdDuration.Text();
    if (action.empty() || IndexOf(form_.cmdAction, action) < 0 || duration.empty() ||
        IndexOf(form_.cmdDuration, duration) < 0)
        return std::nullopt;
    ScenarioEntry entry;
    entry.action = action;
    // cmdDuration lists the kinds in the order of Recurrence.
    entry.recurrence = static_cast<Recurrence>(IndexOf(form_.cmdDuration, duration));
    if (entry.recurrence == Recurrence::AfterExit) {
        entry.program = form_.txtProgram.Text();
        if (!IsProgramFileName(entry.program)) return std::nullopt;
    } else if (entry.recurrence == Recurrence::AfterIdle) {
        const auto minutes = ReadIdleMinutes(form_.txtIdle.Text());
        if (!minutes) return std::nullopt;
        entry.idleMinutes = *minutes;
    } else {
        const auto time = ReadTimeText(timeBox_.txtTime.Text());
        if (!time) return std::nullopt;
        entry.hour = time->first;
        entry.minute = time->second;
    }
    return entry;
}

std::optional<std::string> ScenarioEditor::BuildEntry() {
    auto entry = ShownScenario();
    if (!entry) return std::nullopt;
    if (IsApplicationAction()) entry->application = SelectedApplication;
    if (entry->recurrence == Recurrence::Weekly) {
        CheckedList& days = form_.lstDays;
        for (int i = 0; i < days.Count() && i < 7; ++i) entry->days[static_cast<size_t>(i)] = days.Checked(i);
        if (entry->days == std::array<bool, 7>{}) {
            // Sunday when no day is checked.
            entry->days[0] = true;
            days.SetChecked(0, true);
        }
    }
    const std::string text = FormatScenarioEntry(*entry, timeBox_.Use12Hour);
    // Written only when it reads back as a scenario: an application's name
    // holding ";" would make it another text.
    if (!ParseScenarioEntry(text)) return std::nullopt;
    return text;
}

bool ScenarioEditor::AddScenario(bool activate, const std::string& replaced) {
    const auto entry = BuildEntry();
    if (!entry) return false;
    if (activate) {
        // Its program is kept before the book tells its change (and is saved).
        if (onScenarioApplied) onScenarioApplied(*entry);
        book_.Replace(replaced, *entry);
    } else {
        book_.AddPending(*entry);
        form_.ScenariosChanged = true;
    }
    form_.cmdScen.SetListIndex(form_.cmdScen.Count() - 1);  // loads it: SwitchScen
    SelectedApplication.clear();
    return true;
}

std::optional<std::string> ScenarioEditor::ShownEntry() const {
    const auto shown = ShownScenario();
    if (!shown) return std::nullopt;
    return FormatScenarioEntry(*shown, timeBox_.Use12Hour);
}

bool ScenarioEditor::CheckDublicates() const {
    const auto shown = ShownEntry();
    return shown && IndexOf(form_.cmdScen, *shown) >= 0;
}

void ScenarioEditor::cmdAdd_Click() {
    SetEditingEnabled(true);
    form_.cmdAction.SetListIndex(2);    // "Shutdown Windows"
    form_.cmdDuration.SetListIndex(0);  // "Onetime"
    timeBox_.txtTime.SetText(CurrentTimeText(clock_, timeBox_.Use12Hour));
    if (CheckDublicates()) {
        // The same default scenario exists: show it rather than leave the
        // defaults over another selected entry, which Apply would replace.
        const int index = IndexOf(form_.cmdScen, *ShownEntry());
        if (form_.cmdScen.ListIndex() == index)
            SwitchScen(index);
        else
            form_.cmdScen.SetListIndex(index);
        return;
    }
    MarkChanged();
    AddScenario(false);
}

void ScenarioEditor::cmdDel_Click() {
    ListControl& scen = form_.cmdScen;
    if (scen.Count() == 0 || scen.ListIndex() < 0) return;
    if (PolicyAt(scen.ListIndex())) return;
    const std::string entry = scen.Item(scen.ListIndex());
    if (dialogs_.ShowMessage(std::string(kDeleteQuestion) + "\r\n" + entry + " ?", kDeleteCaption, kDeleteStyle) !=
        IdYes)
        return;
    // While the question was open the scheduler may have consumed a one-time
    // scenario and moved the others: the entry is found again by its text.
    if (!book_.Remove(entry)) return;
    // Once the entry is gone, so that a record another entry still uses stays.
    if (removeApplicationRecords) removeApplicationRecords(entry);
    DropChangeUnlessOthersPending();
    if (scen.Count() > 0) scen.SetListIndex(0);
}

void ScenarioEditor::cmdFind_Click() {
    if (form_.cmdAction.Text() == kRunAppText) {
        if (chooseApplicationToRun) chooseApplicationToRun();
    } else if (pickApplicationToClose) {
        pickApplicationToClose();
    }
}

void ScenarioEditor::cmdProgram_Click() {
    if (!pickApplicationToClose) return;
    // The application of a "Close Application" action stays what it was.
    const std::string kept = SelectedApplication;
    pickApplicationToClose();
    if (!SelectedApplication.empty()) form_.txtProgram.SetText(SelectedApplication + ".exe");
    SelectedApplication = kept;
}

std::string ScenarioEditor::EventFieldProblem() const {
    const std::string duration = form_.cmdDuration.Text();
    if (duration == kAfterExit && !IsProgramFileName(form_.txtProgram.Text()))
        return "The name \"" + form_.txtProgram.Text() +
               "\" cannot be used: \"After exit\" needs a program's file name ending in \".exe\", without \";\", "
               "\"\\\" or \"/\" and without blanks at either end.";
    if (duration == kAfterIdle && !ReadIdleMinutes(form_.txtIdle.Text()))
        return "\"After idle\" needs a whole number of minutes from 1 to " +
               std::to_string(ScenarioEntry::kMaxIdleMinutes) + ".";
    return {};
}

void ScenarioEditor::ApplyScenarioStep() {
    // A default that "Add new..." put into the selector is not applied unless
    // it was edited; an entry the controls cannot show is never rewritten.
    if (!form_.ScenariosChanged || !editPending_ || !editable_) return;
    // A program or minutes that make no entry are refused; the edit waits.
    if (const std::string problem = EventFieldProblem(); !problem.empty()) {
        dialogs_.ShowMessage(problem, kCheckCaption, MbOk | MbIconExclamation);
        return;
    }
    const std::string action = form_.cmdAction.Text();
    // A run entry is written only with the program it starts.
    const bool runsWithoutRecord =
        action == kRunAppText && hasApplicationRecord && !hasApplicationRecord(TrimBlanks(SelectedApplication));
    if (IsApplicationAction() && (TrimBlanks(SelectedApplication).empty() || runsWithoutRecord)) {
        if (action == kCloseAppText) {
            if (pickApplicationToClose) pickApplicationToClose();
            if (TrimBlanks(SelectedApplication).empty()) return;
        } else if (!chooseApplicationToRun || !chooseApplicationToRun()) {
            return;
        }
    }
    // An entry the editor cannot write whole is not written, and the
    // selected one stays: the edit waits, as an incomplete one does.
    AddScenario(true, form_.cmdScen.Text());
}

void ScenarioEditor::MarkApplied() {
    applied_.selected = form_.cmdScen.Text();
    applied_.action = form_.cmdAction.Text();
    applied_.duration = form_.cmdDuration.Text();
    applied_.time = timeBox_.txtTime.Text();
    applied_.program = form_.txtProgram.Text();
    applied_.idle = form_.txtIdle.Text();
    applied_.days.clear();
    for (int i = 0; i < form_.lstDays.Count(); ++i) applied_.days.push_back(form_.lstDays.Checked(i));
}

void ScenarioEditor::RevertToApplied() {
    ListControl& scen = form_.cmdScen;
    scen.SetListIndex(-1);  // the applied selection is loaded again below
    book_.DropPending();
    SetEditingEnabled(true);
    SelectText(form_.cmdAction, applied_.action);
    SelectText(form_.cmdDuration, applied_.duration);
    for (int i = 0; i < form_.lstDays.Count(); ++i)
        form_.lstDays.SetChecked(i,
                                 i < static_cast<int>(applied_.days.size()) && applied_.days[static_cast<size_t>(i)]);
    timeBox_.txtTime.SetText(applied_.time);
    form_.txtProgram.SetText(applied_.program);
    form_.txtIdle.SetText(applied_.idle);
    const int index = applied_.selected.empty() ? -1 : IndexOf(scen, applied_.selected);
    if (index >= 0) scen.SetListIndex(index);  // loads it
    SelectedApplication.clear();
    form_.ScenariosChanged = false;
    editPending_ = false;
}

}  // namespace dwl
