#!/usr/bin/env bash
# The splash at start-up (with the tray icon only), the About page and the
# captions; the configuration lock: the options window opens with its
# editable controls greyed until the right password is given (the locked
# countdown is the countdown test's); a close request ends the program
# through an open password dialog. Pictures of the splash and the
# locked General page go to DWL_WORK (and docs/ with DWL_UPDATE_DOCS=1).
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

W=(DuskwellOptions '*')
S=(DuskwellSplash '*')
options='HKCU\SOFTWARE\Orbelle\DWL\Options'
export E2E_KEEP_SPLASH=1
client_shot() { local x y w h; read -r x y w h _ <<<"$(auto client "$2" '*')"; shot "$1" "$x" "$y" "$w" "$h"; }

dwl_start
E2E_WAIT=30 check_is "the splash shows the version" "Version 2.5" auto text "${S[@]}" 4006
check_is "and the copyright" "Copyright (C) 2026 The Duskwell developers" auto text "${S[@]}" 4007
client_shot splash DuskwellSplash
check "&OK is pressed" auto click "${S[@]}" 1
check "start-up ends" dwl_wait_ready
check "About is chosen" auto command "${W[@]}" 40007
check_is "the caption" "Duskwell 2.5" auto text "${W[@]}" 0
check_is "the title" $'Duskwell\nVersion 2.5\nCopyright (C) 2026 The Duskwell developers' auto text "${W[@]}" 1602
auto command "${W[@]}" 40001 >/dev/null
check "Exit ends it" dwl_wait_exit 10

# The tray icon off; the lock on with the password "pw" (stored scrambled as
# "db").
reg_add "$options" SysTray 0
reg_add "$options" Enabled 1
reg_add "$options" Password db
dwl_start
check "dwl.exe starts" dwl_wait_ready
check "without a splash" not auto find "${S[@]}" 0

# The seventeen controls the lock greys, and the password button's caption.
guarded=(1105 1102 1103 1213 1201 1202 1005 1003 1209 1211 1210 1303 1307 1305 1405 1403 1404)
lock_state() { echo "$(auto enabled-ids "${W[@]}" "${guarded[@]}") $(auto text "${W[@]}" 1106)"; }
# unlock_with <keys...>: types the password into the dialog and presses OK.
unlock_with() {
    auto click "${W[@]}" 1106
    auto find DuskwellPassword '*' 5000 >/dev/null
    auto idle DuskwellPassword '*' 5000 >/dev/null
    auto keys "$@"
    auto click DuskwellPassword '*' 1
}
check "Settings is chosen" auto command "${W[@]}" 40002
check "each page with a guarded control is turned to, then General" options_pages 1 2 3 0
check_is "the window opens locked" "00000000000000000 &Unlock..." lock_state
client_shot options-locked DuskwellOptions
check "a wrong password is typed" unlock_with p x
check_is "and refused" $'Duskwell\nThe password is not correct. The configuration stays locked.' auto dialog-text 5000
check "the message is closed" auto dialog-press OK 5000
check_is "the window stays locked" "00000000000000000 &Unlock..." lock_state
check "the right password is typed" unlock_with p w
check_is "the window is unlocked" "11111111111111111 Set pass&word..." lock_state
check "Cancel hides it" auto click "${W[@]}" 2

# Setup's close request while a password dialog is open closes it and ends
# the program in order, saving the scenarios on the way.
auto click "${W[@]}" 1106 >/dev/null
check "a password dialog opens" auto find DuskwellPassword '*' 5000
rm -f "$DWL_APPDIR/dwl.scn"
check "setup's close request is taken" auto message "${W[@]}" 16 0 0
check "and ends the program" dwl_wait_exit 10
check_is "the scenarios are saved" $'Duskwell scenarios 1\r\nend\t0\r' cat "$DWL_APPDIR/dwl.scn"

e2e_finish
