#!/usr/bin/env bash
# Start-up and exit: one instance per user, the hotkeys registered from the
# stored values; a polite close from another program ends it as Exit does.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

hotkeys='HKCU\SOFTWARE\Orbelle\DWL\HotKeys'
reg_add "$hotkeys" ShutdownMOD 6
reg_add "$hotkeys" ShutdownVK 83
reg_add "$hotkeys" LogOffMOD ''
reg_add "$hotkeys" LogOffVK 76

relay_trace user32.RegisterHotKey
dwl_start
check "the options window appears, hidden" dwl_wait_ready

registered() {
    relay_grep -o 'Call user32.RegisterHotKey([0-9a-f]*,[0-9a-f]*,[0-9a-f]*,[0-9a-f]*)' |
        sed 's/.*(\([0-9a-f]*\),/(/' | sort | tr '\n' ' '
}
check_is "shutdown and the fixed hotkey are registered; log off (no modifier) and reboot (unset) are not" \
    "(00000000,00000006,00000053) (00000003,00000007,00000050) " registered

# A second start is refused and leaves the first untouched.
first=$DWL_PID
relay_trace_off
dwl_start
second=$DWL_PID
check_is "the second start says so" $'Duskwell\nDuskwell already running.' auto dialog-text 15000
check "OK closes it" auto dialog-press OK 5000
check "the second instance ends" dwl_wait_exit 10 "$second"
DWL_PID=$first
check "the first instance still runs" dwl_running

check "Exit is accepted" auto command DuskwellOptions '*' 40001
check "Exit ends the process" dwl_wait_exit 10

# taskkill without /f sends WM_CLOSE: not the user's close box, so the program
# ends and saves its scenarios on the way.
dwl_start
check "started again" dwl_wait_ready
rm -f "$DWL_APPDIR/dwl.scn"
check "taskkill without /f is accepted" wine taskkill /im dwl.exe
check "and ends the program" dwl_wait_exit 10
check_is "the scenario file is written" $'Duskwell scenarios 1\r\nend\t0\r' cat "$DWL_APPDIR/dwl.scn"

e2e_finish
