#!/usr/bin/env bash
# The scenario file: restored at start and written back at exit (a damaged one
# is the program unit test's), awkward texts kept whole; beside the program in
# portable use, otherwise in the user's folder, carried over from beside it. The editor: an entry
# whose action the system does not offer ("Lock Computer" where the
# workstation cannot be locked) is shown with its own text, is never
# rewritten as another action, and can still be deleted.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn
W=(DuskwellOptions '*')

# A blank inside an application name, a byte above 127; the lock entry between
# the scenarios and the application record, or not.
lock='Lock Computer; Daily; 23:58'
scenario_file() {
    printf 'Duskwell scenarios 1\r\nscenario\tShutdown Windows; Onetime; 23:15\r\nscenario\tRun Application my t\xe9st; Weekly (Mon, Fri); 6:05\r\n%sapplication\tC:\\\\Tools\\\\my t\xe9st.exe\tmy t\xe9st\t-q\r\nend\t%d\r\n' "$@"
}
scenario_file $'scenario\t'"$lock"$'\r\n' 4 >"$scn"
scenario_file '' 3 >"$DWL_WORK/expected.scn"
set_windows_version dwl.exe win10
active() { auto items "${W[@]}" 1001; }
two=$(printf 'Shutdown Windows; Onetime; 23:15\nRun Application my t\xe9st; Weekly (Mon, Fri); 6:05')

dwl_start
check "dwl.exe starts with the file" dwl_wait_ready
check_is "the active list holds the three scenarios" "$two"$'\n'"$lock" active
check "Settings is chosen" auto command "${W[@]}" 40002
check "the Scenarios page is turned to" options_pages 1
check "the Lock Computer entry is selected" auto select "${W[@]}" 1004 2
check_is "it is shown with its own text" "$lock" auto text "${W[@]}" 1004
check_is "its action, duration and time cannot be edited" "0 0 0" \
    eval 'echo $(auto enabled "${W[@]}" 1003) $(auto enabled "${W[@]}" 1005) $(auto enabled "${W[@]}" 1209)'
check_is "no other action is shown for it" "" auto text "${W[@]}" 1003
# Even an action forced into the disabled list is not applied to it.
check "another action is forced into the list" auto select "${W[@]}" 1003 2
check "Apply is pressed" auto click "${W[@]}" 1011
check_is "the entry is unchanged" "$two"$'\n'"$lock" active

check "Delete is pressed" auto click "${W[@]}" 1202
check "the question is answered Yes" auto dialog-press Yes
check_is "the entry is deleted" "$two" active
check "Exit is chosen" auto command "${W[@]}" 40001
check "the program ends" dwl_wait_exit 10
check "the file written at exit is the one read at start without it" cmp "$DWL_WORK/expected.scn" "$scn"

# Not portable: the file beside the program is carried over into the user's
# folder, which is made for it, and left as it was.
rm "$DWL_APPDIR/dwl.portable"
dwl_start
check "not portable: dwl.exe starts" dwl_wait_ready
check_is "the scenarios are carried over" "$two" active
check "into the user's folder" cmp "$DWL_WORK/expected.scn" "$(e2e_user_scn)"
check "Exit is chosen again" auto command "${W[@]}" 40001
check "and ends it" dwl_wait_exit 10
check "the file beside the program is left as it was" cmp "$DWL_WORK/expected.scn" "$scn"

e2e_finish
