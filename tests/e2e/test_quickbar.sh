#!/usr/bin/env bash
# The Quickbar from stored settings: it appears where it was stored with the
# stored buttons; Shutdown asks first (No does nothing, Yes shuts down),
# Suspend acts at once; a bar moved by keyboard is where it was left at the
# next start, and a position off every screen comes back onto it (the stored
# place is kept). Its four layouts are saved as pictures in DWL_WORK; with
# DWL_UPDATE_DOCS=1 also in docs/.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

Q=(DuskwellQuickbar 'DWL Quickbar')
key='HKCU\Software\Orbelle\DWL\Quickbar'
reg() { reg_add "$key" "$1" "$2"; }
# The bar's frame on the screen: left top width height.
where() { auto rect "${Q[@]}" 0; }

for v in Enabled Confirmations qbShutdown qbSuspend qbConfig Small; do reg "$v" 1; done
for v in qbRestart qbLogoff qbHibernate qbLock qbAOT Large; do reg "$v" 0; done
reg PosX 1500
reg PosY 1200
relay_trace user32.ExitWindowsEx powrprof.SetSuspendState
dwl_start
check "dwl.exe starts" dwl_wait_ready
check_is "the bar shows" 1 auto visible "${Q[@]}"
check_is "at its stored place (100, 80 at 96 DPI)" "100 80" eval 'where | cut -d" " -f1,2'
check "with Shutdown, Suspend and Config" eval 'shows DuskwellQuickbar 3001 && shows DuskwellQuickbar 3004 &&
    shows DuskwellQuickbar 3007'
check "Shutdown is pressed" auto click "${Q[@]}" 3001
check_is "it asks" $'Action confirmation.\nAre you sure you want to shutdown?' auto dialog-text
check "No is answered" auto dialog-press No
check "Suspend is pressed" auto click "${Q[@]}" 3004
check_is "Suspend acts at once, nothing else" 'Call powrprof.SetSuspendState(00000000,00000001,00000001)' power_calls

# Moved by keyboard from its system menu: the end of the move keeps the place.
before=$(where)
check "the bar's move starts" auto message "${Q[@]}" 0x112 0xF010 0
check "and goes right and down" auto keys right right right down down return
check "the bar has moved" eval '[[ $(where) != "$before" ]]'
moved=$(where)
dwl_restart
check_is "the bar is where it was left" "$moved" where

# Off every screen: back on the nearest one.
reg PosX 100000
reg PosY 100000
dwl_restart
on_screen() {
    local x y w h sw sh
    read -r x y w h <<<"$(where)"
    read -r sw sh <<<"$(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')"
    ((x >= 0 && y >= 0 && x + w <= sw && y + h <= sh))
}
check "a bar stored at 100000, 100000 is on the screen" on_screen

# The four layouts, applied from the Quickbar page.
check "Settings is chosen" auto command "${W[@]}" 40002
check "the Quickbar page is turned to" options_pages 4
for v in 1512 1513 1516; do check "button box $v checked" auto click "${W[@]}" "$v"; done
for layout in "1505 1508 large-row" "1505 1509 large-column" "1506 1508 small-row" "1506 1509 small-column"; do
    read -r size placement name <<<"$layout"
    auto click "${W[@]}" "$size" >/dev/null
    auto click "${W[@]}" "$placement" >/dev/null
    before=$(where)
    check "$name: Apply" auto click "${W[@]}" 1011
    check "$name: the bar is laid out anew" eval '[[ $(where) != "$before" ]]'
    auto idle "${Q[@]}" >/dev/null
    window_shot "quickbar-$name" DuskwellQuickbar
done
check "Apply kept the stored place" eval '[[ $(reg_value "$key" PosX) == 100000 ]]'

# Last: Wine ends the session for it.
check "Shutdown is pressed again" auto click "${Q[@]}" 3001
check "Yes is answered" auto dialog-press Yes
E2E_WAIT=12 check "the machine shuts down" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
e2e_finish
