#!/usr/bin/env bash
# dwl.exe starts quietly into the tray, stays up, and its Exit command ends it.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

dwl_start
check "the options window appears" dwl_wait_ready
winpid=$(dwl_winpid)
check "the options window belongs to the started process" test -n "$winpid"
check_eq "the options window is hidden" 0 "$(auto visible DuskwellOptions '*')"
check_eq "the options window has the program's caption" "Duskwell 2.5" \
    "$(auto text DuskwellOptions '*' 0)"

shown=$(auto windows | awk -F'\t' -v pid="$winpid" '$2 == pid && $3 == 1')
check_eq "no window of dwl.exe is visible" "" "$shown"

sleep 3
check "it is still running after 3 s" dwl_running

check "the Exit command is accepted" auto command DuskwellOptions '*' 40001
check "Exit ends the process within 10 s" dwl_wait_exit 10
check "the options window is gone" auto wait-gone DuskwellOptions '*' 2000

e2e_finish
