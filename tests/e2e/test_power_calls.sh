#!/usr/bin/env bash
# Lock and Hibernate scenarios, due one minute after the other, end in the
# matching system calls once their countdowns run out (the countdown test
# checks Suspend, started from the command line).
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8

while ((10#$(date +%S) > 35)); do sleep 1; done  # the first minute still ahead
at() { date -d "+$1 min" '+%-H:%M'; }
hibernate_at=$(at 2)
printf 'Duskwell scenarios 1\r\nscenario\tLock Computer; Onetime; %s\r\nscenario\tHibernate; Daily; %s\r\nend\t2\r\n' \
    "$(at 1)" "$hibernate_at" >"$DWL_APPDIR/dwl.scn"

relay_trace user32.LockWorkStation powrprof.SetSuspendState user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
calls() { relay_grep -o -E 'Call (user32\.LockWorkStation|powrprof\.SetSuspendState|user32\.ExitWindowsEx)\([^)]*\)' || true; }
two_calls() { [[ $(calls | wc -l) -ge 2 ]]; }
E2E_WAIT=180 check "two actions are carried out within three minutes" two_calls
check_is "lock and hibernate, in order" \
    $'Call user32.LockWorkStation()\nCall powrprof.SetSuspendState(00000001,00000001,00000001)' calls
check "the program runs on" dwl_running
auto command DuskwellOptions '*' 40001 >/dev/null
check "Exit ends it" dwl_wait_exit 10
check_is "only the daily scenario is left" \
    $'Duskwell scenarios 1\r\nscenario\tHibernate; Daily; '"$hibernate_at"$'\r\nend\t1\r' cat "$DWL_APPDIR/dwl.scn"
e2e_finish
