#!/usr/bin/env bash
# Scenarios that fall due on an event, given on the command line with the
# warning off: /shutdown /after-exit notepad.exe while notepad runs shuts down
# once notepad has ended, and not before; /suspend /after-idle 1 suspends
# after a minute without input, and not while keys are pressed.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times

# next_minute: waits until the next minute has begun and been checked.
next_minute() { local m; m=$(date +%M); while [[ $(date +%M) == "$m" ]]; do sleep 0.5; done; sleep 2; }

reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' WarnMinutes 0
wine 'C:\windows\notepad.exe' >/dev/null 2>&1 &
editor=$!
DWL_PIDS+=("$editor")
E2E_WAIT=30 check "notepad runs" eval 'xwininfo -display "$DISPLAY" -root -tree | grep -qi notepad'
relay_trace user32.ExitWindowsEx powrprof.SetSuspendState
dwl_start
check "dwl.exe starts" dwl_wait_ready
check "/shutdown /after-exit notepad.exe is accepted" dwl_says 0 /shutdown /after-exit notepad.exe
next_minute
check "no power call while notepad runs, a minute's check later" not relay_grep -q 'Call user32.ExitWindowsEx'
kill "$editor"
check "notepad has ended" dwl_wait_exit 10 "$editor"
E2E_WAIT=20 check "the shutdown call follows at once" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
check "the used scenario is gone from the file" not grep -q notepad "$DWL_APPDIR/dwl.scn"

relay_trace powrprof.SetSuspendState
dwl_start
check "dwl.exe starts again" dwl_wait_ready
check "/suspend /after-idle 1 is accepted" dwl_says 0 /suspend /after-idle 1
# Keys every 15 seconds through two minutes' checks.
for _ in $(seq 10); do
    auto keys shift >/dev/null
    sleep 15
done
check "no suspend while keys are pressed" not relay_grep -q 'Call powrprof.SetSuspendState'
E2E_WAIT=200 check "a minute after the last key the suspend follows" relay_grep -q 'Call powrprof.SetSuspendState'
dwl_exit
e2e_finish
