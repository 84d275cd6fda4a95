#!/usr/bin/env bash
# On a first start a shutdown hotkey is recorded in its box with keys sent as
# hardware input and applied (registered, stored); pressed in its box again it
# is captured there, and Enter keeps another one, which is pressed: the temporary
# folder's files go, a folder linked from it keeps its own, and the machine
# shuts down. After a restart "Do it now!" with "Hibernate" hibernates at once.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
c=$WINEPREFIX/drive_c
mkdir -p "$c/dwltemp/sub/deeper" "$c/dwlkeep"
touch "$c/dwltemp/a.tmp" "$c/dwltemp/sub/b.tmp" "$c/dwltemp/sub/deeper/c.tmp" "$c/dwlkeep/keep.txt"
ln -s ../dwlkeep "$c/dwltemp/link"
for v in TEMP TMP; do reg_add 'HKCU\Environment' "$v" 'C:\dwltemp'; done
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\CleanUp' Temp 1
hotkeys=$(printf '%s\n' Shutdown ShutdownMOD ShutdownVK)
stored() {
    local v
    for v in $hotkeys; do
        wine reg query 'HKCU\SOFTWARE\Orbelle\DWL\HotKeys' /v "$v" | tr -d '\r' | sed -n "s/^ *$v    REG_SZ    //p"
    done
}

relay_trace user32.RegisterHotKey user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
check "the options window is called up" auto keys ctrl+shift+alt+p
check_is "it shows" 1 auto visible DuskwellOptions '*'
check "it waits for input" auto idle DuskwellOptions '*'
check "to the Hotkeys page" auto keys ctrl+tab ctrl+tab
check_is "which shows" 1 auto ctlvisible DuskwellOptions '*' 1022
check "into the shutdown box" auto keys alt+s
check "Ctrl+Alt+K is pressed there" auto keys ctrl+alt+k
check_is "the box shows it as assembled" " Ctrl +  Alt + K" auto text DuskwellOptions '*' 1303
check "the box is left" auto keys tab
check "Apply is pressed" auto click DuskwellOptions '*' 1011
check "the hotkey is registered" relay_grep -q -E 'Call user32.RegisterHotKey\([0-9a-f]+,00000000,00000003,0000004b\)'
check_is "and stored" $' Ctrl +  Alt + K\n3\n75' stored
# Pressed in a hotkey box the hotkey is captured, not carried out; Enter
# (OK) keeps what the box holds.
check "into the shutdown box again" auto keys alt+s
check "the hotkey is pressed there" auto keys ctrl+alt+k
check "it waits for input again" auto idle DuskwellOptions '*'
check_is "the box shows it" " Ctrl +  Alt + K" auto text DuskwellOptions '*' 1303
check "nothing shuts down" not relay_grep -q 'Call user32.ExitWindowsEx'
check "Ctrl+Alt+J is pressed there" auto keys ctrl+alt+j
check "Enter presses OK" auto keys return
check_is "which stores the box's hotkey" $' Ctrl +  Alt + J\n3\n74' stored
check "the hotkey is pressed" auto keys ctrl+alt+j
check "the shutdown call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the temporary files are gone" not ls "$c/dwltemp/a.tmp" "$c/dwltemp/sub/b.tmp" "$c/dwltemp/sub/deeper/c.tmp"
check "the folders stay" test -d "$c/dwltemp/sub/deeper"
check "the linked folder keeps its file" test -f "$c/dwlkeep/keep.txt"
check "the Wine session ends" dwl_wait_exit 30

relay_trace powrprof.SetSuspendState
dwl_start
check "dwl.exe starts again" dwl_wait_ready
check "the options window is called up again" auto keys ctrl+shift+alt+p
check_is "it shows again" 1 auto visible DuskwellOptions '*'
check "Hibernate is chosen" auto select DuskwellOptions '*' 1002 4
check "Do it now! is pressed" auto click DuskwellOptions '*' 1108
check "it hibernates" relay_grep -q 'Call powrprof.SetSuspendState(00000001,00000001,00000001)'
check "no countdown window was made" not eval 'auto windows | grep -q DuskwellCountdown'
e2e_finish
