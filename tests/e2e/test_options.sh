#!/usr/bin/env bash
# The options window and tray icon: defaults of a first start, showing and
# hiding, the startup entry, a clean-up choice that outlives a restart, a
# scenario made on the Scenarios page that fires at its minute, and Exit from
# the tray menu.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times

W=(DuskwellOptions '*')
run_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Run'
tray_notify() { auto message "${W[@]}" 0x8001 1 "$1"; }  # the tray icon's callback message
visible() { [[ $(auto visible "${W[@]}") == 1 ]]; }
hidden() { [[ $(auto visible "${W[@]}") == 0 ]]; }
state() { auto "$1" "${W[@]}" "$2"; }
# is <expected> <command...>: the command prints exactly the expected text.
is() { [[ $("${@:2}") == "$1" ]]; }
run_value() { wine reg query "$run_key" /v DWL 2>/dev/null | tr -d '\r' | sed -n 's/^ *DWL *REG_SZ *//p'; }

# ---- a first start with an empty registry
relay_trace shell32.Shell_NotifyIconA user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
check "the window stays hidden" hidden
check "the tray icon is added" relay_grep -q 'Call shell32.Shell_NotifyIconA(00000000,'

check "Ctrl+Shift+Alt+P is pressed" auto keys ctrl+shift+alt+p
check "it shows the window" wait_for 10 visible
check_eq "titled" "Duskwell 2.5" "$(auto text "${W[@]}" 0)"
check_eq "Apply is disabled" 0 "$(state enabled 1011)"
check_eq "defaults: startup on" 1 "$(state checked 1102)"
check_eq "defaults: tray icon on" 1 "$(state checked 1103)"
check_eq "defaults: password lock off" 0 "$(state checked 1105)"
check_eq "defaults: power off after shutdown off" 0 "$(state checked 1213)"
check_eq "defaults: temporary files not cleaned" 0 "$(state checked 1403)"

check "the close box is used" auto message "${W[@]}" 0x112 0xF060 0   # WM_SYSCOMMAND, SC_CLOSE
check "the window hides" wait_for 5 hidden
check "the program stays" dwl_running
check "a left click on the tray icon" tray_notify 514
check "shows the window again" wait_for 5 visible

# The startup entry follows the box at Apply.
auto click "${W[@]}" 1102 >/dev/null   # off
check "a change enables Apply" wait_for 5 is 1 state enabled 1011
auto click "${W[@]}" 1011 >/dev/null
check_eq "no startup entry while off" "" "$(run_value)"
auto click "${W[@]}" 1102 >/dev/null   # on
auto click "${W[@]}" 1011 >/dev/null
check "Apply with the box ticked writes the startup entry" wait_for 5 is '"C:\Duskwell\dwl.exe"' run_value
check_eq "without an installer's path: the program itself, quoted" '"C:\Duskwell\dwl.exe"' "$(run_value)"
check_eq "Apply is disabled again" 0 "$(state enabled 1011)"
auto click "${W[@]}" 1102 >/dev/null   # off
auto click "${W[@]}" 1011 >/dev/null
sleep 1
check_eq "clearing it removes the entry" "" "$(run_value)"

# A clean-up choice, confirmed with OK.
auto click "${W[@]}" 1403 >/dev/null
check "the box is ticked" wait_for 5 is 1 state checked 1403
auto click "${W[@]}" 1 >/dev/null      # OK
check "OK hides the window" wait_for 5 hidden

# Exit from the tray menu: right click, then the menu's mnemonic.
: >"$DWL_WORK/relay.log"
check "a right click on the tray icon" tray_notify 517
sleep 1
check "opens the menu, where E is Exit" auto keys e
check "the program ends" dwl_wait_exit 10
check "the tray icon is removed" relay_grep -q 'Call shell32.Shell_NotifyIconA(00000002,'
relay_trace_off

# ---- a restart, with "Power Off computer after shutdown" stored
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' PowerOff 1
s=$((10#$(date +%S)))
if ((s > 40)); then sleep $((61 - s)); fi
relay_trace user32.ExitWindowsEx
dwl_start
check "restarted" dwl_wait_ready
auto keys ctrl+shift+alt+p >/dev/null
check "shown" wait_for 10 visible
check_eq "the clean-up choice outlived the restart" 1 "$(state checked 1403)"
check_eq "power off is loaded" 1 "$(state checked 1213)"

# A scenario made on the Scenarios page: "Add new...", one minute later, Apply.
auto keys ctrl+tab >/dev/null          # to the Scenarios page
check "Add new... is pressed" auto click "${W[@]}" 1201
now=$(date '+%-H:%M')
next=$(date -d '+1 min' '+%-H:%M')
check_eq "the time box shows the current minute" "$now" "$(auto text "${W[@]}" 1209)"
read -r x y w h <<<"$(auto rect "${W[@]}" 1209)"
xdotool mousemove $((x + w - 6)) $((y + h / 2)) click 1
sleep 0.5
check "the minutes are stepped up" auto click "${W[@]}" 1210
check "the time box shows the next minute" wait_for 5 is "$next" auto text "${W[@]}" 1209
check "Apply is pressed" auto click "${W[@]}" 1011
sleep 1
check_eq "the scenario is active" "Shutdown Windows; Onetime; $next" "$(auto items "${W[@]}" 1001)"
check "and in the scenario file" grep -q "Shutdown Windows; Onetime; $next" "$DWL_APPDIR/dwl.scn"
auto click "${W[@]}" 2 >/dev/null      # Cancel: hidden, the scenario stays
check "it fires at its minute: the countdown shows" wait_for 75 is 1 auto visible DuskwellCountdown '*'
check "and the machine is powered off" wait_for 12 relay_grep -q 'Call user32.ExitWindowsEx(0000000c,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30

e2e_finish
