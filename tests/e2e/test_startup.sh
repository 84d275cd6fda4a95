#!/usr/bin/env bash
# Start-up and exit: one instance per user, the four hotkeys registered from
# the stored values and removed at exit, Ctrl+Shift+Alt+P shows the options
# window; a polite close from another program ends it as Exit does.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

hotkeys='HKCU\SOFTWARE\Orbelle\DWL\HotKeys'
reg_add "$hotkeys" Shutdown ' Ctrl + Shift + S'
reg_add "$hotkeys" ShutdownMOD 6
reg_add "$hotkeys" ShutdownVK 83
reg_add "$hotkeys" Reboot ' Ctrl + Alt + R'
reg_add "$hotkeys" RebootMOD 3
reg_add "$hotkeys" RebootVK 82
reg_add "$hotkeys" LogOff ' Ctrl + Shift + L'
reg_add "$hotkeys" LogOffMOD ''
reg_add "$hotkeys" LogOffVK 76

relay_trace user32.RegisterHotKey user32.UnregisterHotKey
dwl_start
check "the options window appears" dwl_wait_ready
check_is "and stays hidden" 0 auto visible DuskwellOptions '*'
sleep 2
check "it keeps running" dwl_running

registered() {
    relay_grep -o 'Call user32.RegisterHotKey([0-9a-f]*,[0-9a-f]*,[0-9a-f]*,[0-9a-f]*)' |
        sed 's/.*(\([0-9a-f]*\),/(/' | sort | tr '\n' ' '
}
check_is "shutdown, reboot and the fixed hotkey are registered; log off (no modifier) is not" \
    "(00000000,00000006,00000053) (00000001,00000003,00000052) (00000003,00000007,00000050) " registered

# A second start is refused and leaves the first untouched.
first=$DWL_PID
relay_trace_off
dwl_start
second=$DWL_PID
text=$(auto dialog-text 15000)
check_eq "the second start says so" $'Duskwell\nDuskwell already running.' "$text"
buttons=$(auto children '#32770' Duskwell | awk -F'\t' '$2 == "Button" { print $4 }' | tr -d '&')
check_eq "the message has only OK" "OK" "$buttons"
check "OK closes it" auto dialog-press OK 5000
check "the second instance ends" dwl_wait_exit 10 "$second"
DWL_PID=$first
check "the first instance still runs" dwl_running
check_is "its window is still hidden" 0 auto visible DuskwellOptions '*'

# Ctrl+Shift+Alt+P, typed on the X keyboard while a Wine window has the focus.
(cd "$DWL_WORK" && WINEDEBUG=-all exec wine notepad >/dev/null 2>&1) &
notepad=$!
e2e_defer "kill $notepad 2>/dev/null"
check "a Wine window can take the keyboard focus" wait_for 20 x_focus 'Notepad'
x_key ctrl+shift+alt+p
check_is "Ctrl+Shift+Alt+P shows the options window" 1 auto visible DuskwellOptions '*'
check_eq "the hotkeys went to the first instance only" 1 "$(auto windows | awk -F'\t' '$4 == "DuskwellOptions"' | wc -l)"
kill "$notepad" 2>/dev/null || true

# Exit removes the four hotkeys, writes the scenario file and ends the process.
: >"$DWL_WORK/relay.log"
check "Exit is accepted" auto command DuskwellOptions '*' 40001
check "Exit ends the process" dwl_wait_exit 10
unregistered=$(relay_grep -o 'Call user32.UnregisterHotKey([0-9a-f]*,[0-9a-f]*)' | sed 's/.*,\([0-9a-f]*\))/\1/' | tr '\n' ' ')
check_eq "the four hotkeys are removed in order" "00000000 00000001 00000002 00000003 " "$unregistered"
check "the scenario file is written" test -f "$DWL_APPDIR/dwl.scn"
check_eq "it holds an empty list" $'Duskwell scenarios 1\r\nend\t0\r' "$(cat "$DWL_APPDIR/dwl.scn")"

# taskkill without /f sends WM_CLOSE: not the user's close box, so the program
# ends and saves its scenarios on the way.
dwl_start
check "started again" dwl_wait_ready
rm -f "$DWL_APPDIR/dwl.scn"
check "taskkill without /f is accepted" wine taskkill /im dwl.exe
check "and ends the program" dwl_wait_exit 10
check_eq "the scenario file is written" $'Duskwell scenarios 1\r\nend\t0\r' "$(cat "$DWL_APPDIR/dwl.scn" 2>&1)"

e2e_finish
