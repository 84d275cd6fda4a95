#pragma once
// The "Scenarios" page of the options window: the selector cmdScen, the
// editing rows (action, duration with its days, then the time, or the program
// of "After exit", or the minutes of "After idle") and the buttons
// "Add new...", "Delete" and "Find...". The selector and the active list
// (lstScen, on the General page) show the scenario book. Edits stay in the
// controls until the options window applies them (ApplyScenarioStep), which
// replaces the selected entry in the book by a newly built one at the end of
// the lists; that entry then becomes active. An entry only becomes active
// when it was itself edited and applied: "Add new..." alone prepares a default
// in the selector, which is dropped again when the window hides without
// applying it.
#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/dialogs.h"
#include "schedule/scenario_book.h"
#include "schedule/scenario_entry.h"
#include "ui/options/options_form.h"
#include "ui/options/time_box.h"

namespace dwl {

// How the lists mark the administrator's entries.
inline constexpr const char* kPolicyMark = " (policy)";

class ScenarioEditor {
public:
    // Wires the change handling of cmdAction, cmdDuration, lstDays, txtTime,
    // txtProgram, txtIdle, cmdScen and lstScen and the clicks of cmdAdd,
    // cmdDel, cmdFind and cmdProgram, and
    // shows the book in cmdScen and lstScen from now on.
    ScenarioEditor(OptionsForm& form, ScenarioBook& book, TimeBox& timeBox, IClock& clock, IDialogs& dialogs);
    ScenarioEditor(const ScenarioEditor&) = delete;
    ScenarioEditor& operator=(const ScenarioEditor&) = delete;

    // The file dialog for a "Run Application" scenario: true when an
    // application was chosen (it has then set SelectedApplication).
    std::function<bool()> chooseApplicationToRun;
    // The picker for a "Close Application" scenario and for the program of an
    // "After exit" one; sets SelectedApplication, without ".exe" (empty when
    // cancelled).
    std::function<void()> pickApplicationToClose;
    // Whether a program is chosen or kept for a "Run Application" name.
    std::function<bool(const std::string& name)> hasApplicationRecord;
    // Drops the application records of a deleted entry, once it left the lists.
    std::function<void(const std::string& entry)> removeApplicationRecords;
    // An entry built from the editor is being applied (before it enters the book).
    std::function<void(const std::string& entry)> onScenarioApplied;

    // The application chosen for the scenario being built; emptied by
    // AddScenario and by a change of action (a pick is made for one kind).
    std::string SelectedApplication;

    // Loads entry `index` of cmdScen into the editor.
    void SwitchScen(int index);
    // Whether cmdScen holds the entry the three editing controls show as they
    // are (the duration without its days, no application name).
    bool CheckDublicates() const;
    // The scenario step of Apply; does nothing unless the editor holds an
    // edit of the selected entry (or of a new one).
    void ApplyScenarioStep();
    // Whether the editing controls were changed since an entry was loaded.
    bool EditPending() const { return editPending_; }
    // Whether the selected entry can be edited: its action and duration are
    // items of the lists and its third field one they can show. Others are
    // shown with their own text and can only be deleted.
    bool SelectionEditable() const { return editable_; }
    // Set while the configuration is locked: the editing controls stay greyed.
    bool lockedOut = false;

    // Records the editor's state as applied (after Apply and at start-up).
    void MarkApplied();
    // Back to the applied state: the selector holds the active entries again
    // (entries added and never applied are dropped), the entry selected at
    // the last Apply is selected and loaded, nothing is pending.
    void RevertToApplied();

    // Checks the days of a weekly entry, Sunday first, and nothing else.
    void CheckWeeklyDays(const std::array<bool, 7>& checked);
    // Puts the entry built from the editor at the end of the selector, in
    // place of `replaced` when that is not empty, and selects it; `activate`
    // makes it active too, otherwise the selector is marked as changed.
    // False, and nothing changed, when the controls do not make a whole entry.
    bool AddScenario(bool activate, const std::string& replaced = {});

    // Handlers, wired by the constructor; public so the view can call them.
    void cmdAdd_Click();
    void cmdDel_Click();
    void cmdFind_Click();
    // Puts the program picked from the running ones into txtProgram.
    void cmdProgram_Click();
    void lstScen_Click();
    void lstScen_LostFocus();

private:
    void cmdAction_Change();
    void cmdDuration_Change();
    void lstDays_Change();
    // A change of the time, the program or the minutes.
    void txtTime_Change();
    void cmdScen_Change();

    void ApplyEnablingRules();
    void MarkChanged();
    void DropChangeUnlessOthersPending();
    void SetEditingEnabled(bool enabled);
    // The book's entries in cmdScen and lstScen.
    void ShowBook();
    // Whether cmdScen's entry `index` is the administrator's.
    bool PolicyAt(int index) const;
    bool IsApplicationAction() const;
    // The scenario the editing controls show: an action and a duration of the
    // lists and a time, a program's file name or minutes, as the duration
    // wants; no days, no application name.
    std::optional<ScenarioEntry> ShownScenario() const;
    // The entry the controls make, the checked days (Sunday when none is) and
    // the selected application included, in the form the program runs in;
    // nothing when they do not make one.
    std::optional<std::string> BuildEntry();
    // ShownScenario's text.
    std::optional<std::string> ShownEntry() const;
    // Why the program or the minutes cannot be written; empty when they can
    // or the duration takes a time.
    std::string EventFieldProblem() const;

    OptionsForm& form_;
    ScenarioBook& book_;
    TimeBox& timeBox_;
    IClock& clock_;
    IDialogs& dialogs_;
    // Check marks of lstDays as last seen, to tell a check from a mere move
    // of the current item.
    std::vector<bool> dayChecks_;
    bool editPending_ = false;
    bool editable_ = true;
    // The editor as last applied.
    struct Applied {
        std::string selected, action, duration, time, program, idle;
        std::vector<bool> days;
    } applied_;
};

}  // namespace dwl
