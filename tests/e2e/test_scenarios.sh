#!/usr/bin/env bash
# The scenario file: restored at start, written back at exit (a damaged one
# is the program unit test's). The editor: only what the user applied
# becomes active: the default of "Add new..." does not, when OK is pressed for
# a change on another page. An entry whose action
# the system does not offer ("Lock Computer" where the workstation cannot be
# locked) is shown with its own text, is never rewritten as another action,
# and can still be deleted.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn

# A file with awkward texts: a blank inside an application name, a byte above 127.
printf 'Duskwell scenarios 1\r\nscenario\tShutdown Windows; Onetime; 23:15\r\nscenario\tRun Application my t\xe9st; Weekly (Mon, Fri); 6:05\r\napplication\tC:\\\\Tools\\\\my t\xe9st.exe\tmy t\xe9st\t-q\r\nend\t3\r\n' >"$scn"
cp "$scn" "$DWL_WORK/original.scn"

dwl_start
check "dwl.exe starts with the file" dwl_wait_ready
active=$(printf 'Shutdown Windows; Onetime; 23:15\nRun Application my t\xe9st; Weekly (Mon, Fri); 6:05')
check_is "the active list holds the two scenarios" "$active" auto items DuskwellOptions '*' 1001
check "Exit is chosen" auto command DuskwellOptions '*' 40001
check "and ends it" dwl_wait_exit 10
check "the file written at exit equals the one read at start" cmp "$DWL_WORK/original.scn" "$scn"

W=(DuskwellOptions '*')
lock='Lock Computer; Daily; 23:58'
reboot='Reboot Computer; Daily; 23:59'
write_scenarios "$lock" "$reboot"
set_windows_version dwl.exe win10  # where the workstation cannot be locked
active() { auto items "${W[@]}" 1001; }
selector() { auto items "${W[@]}" 1004; }
has_default() { selector | grep -q '^Shutdown Windows; Onetime; '; }
hidden() { [[ $(auto visible "${W[@]}") == 0 ]]; }
both=$lock$'\n'$reboot

dwl_start
check "dwl.exe starts" dwl_wait_ready
check "Settings is chosen" auto command "${W[@]}" 40002
check_is "both entries are active" "$both" active
check "the Scenarios page is turned to" options_pages 1

check "Add new... is pressed" auto click "${W[@]}" 1201
check "its default joins the selector" has_default
check "a box on the General page is ticked" auto click "${W[@]}" 1103
check_is "which enables Apply" 1 auto enabled "${W[@]}" 1011
check "OK is pressed" auto click "${W[@]}" 1
check "the window hides" hidden
check_is "the active scenarios are unchanged" "$both" active
check_is "the default has left the selector" "$both" selector

check "Settings is chosen again" auto command "${W[@]}" 40002
check "the Lock Computer entry is selected" auto select "${W[@]}" 1004 0
check_is "it is shown with its own text" "$lock" auto text "${W[@]}" 1004
check_is "its action, duration and time cannot be edited" "0 0 0" \
    eval 'echo $(auto enabled "${W[@]}" 1003) $(auto enabled "${W[@]}" 1005) $(auto enabled "${W[@]}" 1209)'
check_is "no other action is shown for it" "" auto text "${W[@]}" 1003
# Even an action forced into the disabled list is not applied to it.
check "another action is forced into the list" auto select "${W[@]}" 1003 2
check "Apply is pressed" auto click "${W[@]}" 1011
check_is "the entry is unchanged" "$both" active

check "Delete is pressed" auto click "${W[@]}" 1202
check "the question is answered Yes" auto dialog-press Yes
check_is "the entry is deleted" "$reboot" active
check "Exit is chosen" auto command "${W[@]}" 40001
check "the program ends" dwl_wait_exit 10
check_is "the scenario file keeps the other one" \
    $'Duskwell scenarios 1\r\nscenario\t'"$reboot"$'\r\nend\t1\r' cat "$DWL_APPDIR/dwl.scn"

e2e_finish
