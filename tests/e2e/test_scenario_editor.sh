#!/usr/bin/env bash
# Only what the user applied becomes active: the default of "Add new..." does
# not, when OK is pressed for a change on another page. An entry whose action
# the system does not offer ("Lock Computer" where the workstation cannot be
# locked) is shown with its own text, is never rewritten as another action,
# and can still be deleted.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

W=(DuskwellOptions '*')
lock='Lock Computer; Daily; 23:58'
reboot='Reboot Computer; Daily; 23:59'
printf 'Duskwell scenarios 1\r\nscenario\t%s\r\nscenario\t%s\r\nend\t2\r\n' "$lock" "$reboot" >"$DWL_APPDIR/dwl.scn"
set_windows_version dwl.exe win10
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
