#!/usr/bin/env bash
# The options window and tray icon: defaults of a first start, showing it by
# the hotkey, the startup entry, a clean-up choice that outlives a restart, a
# scenario made on the Scenarios page (the countdown test sees one fire), and
# Exit from the tray menu.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times

W=(DuskwellOptions '*')
state() { auto "$1" "${W[@]}" "$2"; }
run_value() { wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' /v DWL 2>/dev/null | tr -d '\r' | sed -n 's/^ *DWL *REG_SZ *//p'; }

# ---- a first start with an empty registry
relay_trace shell32.Shell_NotifyIconA user32.ExitWindowsEx
dwl_start
check "dwl.exe starts, its window hidden" dwl_wait_ready
check "the tray icon is added" relay_grep -q 'Call shell32.Shell_NotifyIconA(00000000,'

check "Ctrl+Shift+Alt+P is pressed" auto keys ctrl+shift+alt+p
check_is "it shows the window" 1 auto visible "${W[@]}"
check "the Scenarios and Clean Up pages are turned to, then General" options_pages 1 3 0
check_is "defaults: startup and tray icon on, password lock, power off and clean-up off" "1 1 0 0 0" \
    eval 'echo $(state checked 1102) $(state checked 1103) $(state checked 1105) $(state checked 1213) $(state checked 1403)'

# The startup entry follows the box at Apply.
auto click "${W[@]}" 1102 >/dev/null   # off and on again: a change
auto click "${W[@]}" 1102 >/dev/null
auto click "${W[@]}" 1011 >/dev/null
check_is "Apply with the box ticked writes the startup entry: the program itself, quoted" \
    '"C:\Duskwell\dwl.exe"' run_value
auto click "${W[@]}" 1102 >/dev/null   # off
auto click "${W[@]}" 1011 >/dev/null
check_is "clearing it removes the entry" "" run_value

# A clean-up choice, confirmed with OK.
auto click "${W[@]}" 1403 >/dev/null
auto click "${W[@]}" 1 >/dev/null      # OK
check_is "OK hides the window" 0 auto visible "${W[@]}"

# Exit from the tray menu: right click, then the menu's mnemonic.
: >"$DWL_WORK/relay.log"
check "a right click on the tray icon" auto message "${W[@]}" 0x8001 1 517  # the icon's callback message
check_is "opens the menu" 1 auto visible '#32768' '*'
check "where E is Exit" auto keys e
check "the program ends" dwl_wait_exit 10
check "the tray icon is removed" relay_grep -q 'Call shell32.Shell_NotifyIconA(00000002,'
relay_trace_off

# ---- a restart, with "Power Off computer after shutdown" stored
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' PowerOff 1
# Early in a minute that is not an hour's last: the time box steps the minutes alone.
while [[ $(date +%M) == 5[89] ]] || ((10#$(date +%S) > 40)); do sleep 1; done
dwl_start
check "restarted" dwl_wait_ready
auto keys ctrl+shift+alt+p >/dev/null
check_is "shown" 1 auto visible "${W[@]}"
check "the Scenarios and Clean Up pages are turned to, then General" options_pages 1 3 0
check_is "the clean-up choice outlived the restart" 1 state checked 1403
check_is "power off is loaded" 1 state checked 1213

# A scenario made on the Scenarios page: "Add new...", one minute later, Apply.
auto keys ctrl+tab >/dev/null          # to the Scenarios page
check_is "on the Scenarios page" 1 auto ctlvisible "${W[@]}" 1021
check "Add new... is pressed" auto click "${W[@]}" 1201
now=$(date '+%-H:%M')
next=$(date -d '+1 min' '+%-H:%M')
check_is "the time box shows the current minute" "$now" auto text "${W[@]}" 1209
# Keys, in order: Alt+T puts the focus on the hours, Right moves to the
# minutes, Up steps them.
check "the minutes are stepped up" auto keys alt+t right up
check_is "the time box shows the next minute" "$next" auto text "${W[@]}" 1209
check "Apply is pressed" auto click "${W[@]}" 1011
check_is "the scenario is active" "Shutdown Windows; Onetime; $next" auto items "${W[@]}" 1001
check "and in the scenario file" grep -q "Shutdown Windows; Onetime; $next" "$DWL_APPDIR/dwl.scn"
auto click "${W[@]}" 2 >/dev/null      # Cancel: hidden, the scenario stays
check "Exit is chosen" auto command "${W[@]}" 40001
check "the program ends" dwl_wait_exit 10

e2e_finish
