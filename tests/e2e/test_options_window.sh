#!/usr/bin/env bash
# The options window. The splash at start-up (with the tray icon only); the
# pages and keyboard: Ctrl+Tab turns the six pages in order and from the last
# back to the first, each page shows its own controls alone, labels'
# mnemonics reach the Scenarios page's controls, the time box opens its list
# for a digit key, Escape cancels, minimising and the close box hide the
# window, and the tray menu carries its items. The configuration lock: the
# window opens with its editable controls greyed until the right password is
# given (the locked countdown is the countdown test's); a close request ends
# the program through an open password dialog. Pictures of the splash, every
# page and the locked General page go to DWL_WORK (and docs/ with
# DWL_UPDATE_DOCS=1).
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

W=(DuskwellOptions '*')
S=(DuskwellSplash '*')
options='HKCU\SOFTWARE\Orbelle\DWL\Options'
export E2E_KEEP_SPLASH=1
client_shot() { local x y w h; read -r x y w h _ <<<"$(auto client "$2" '*')"; shot "$1" "$x" "$y" "$w" "$h"; }
pages=(general scenarios hotkeys cleanup quickbar about)
visible() { auto visible "${W[@]}"; }
shows() { [[ $(auto ctlvisible "${W[@]}" "$1") == 1 ]]; }
# The caption of a control as the user reads it (without the & of a mnemonic).
caption() { auto text "${W[@]}" "$1" | tr -d '&'; }
# The pages whose containers (ids 1020 to 1025) are visible, by index.
shown_pages() {
    local i shown=()
    for i in 0 1 2 3 4 5; do
        [[ $(auto ctlvisible "${W[@]}" $((1020 + i))) == 1 ]] && shown+=("$i")
    done
    echo "${shown[*]}"
}
# The id=caption pairs of a page's list as the window shows them ("id hidden"
# for a control that cannot be seen).
page_captions() {
    local pair id out=()
    IFS='|' read -ra pairs <<<"$1"
    for pair in "${pairs[@]}"; do
        id=${pair%%=*}
        if shows "$id"; then out+=("$id=$(caption "$id")"); else out+=("$id hidden"); fi
    done
    (IFS='|' && echo "${out[*]}")
}
# Keys go through X to the window that has the focus.
keys() {
    xdotool search --onlyvisible --name 'Duskwell 2.5' windowfocus --sync key --delay 50 "$@" && sleep 0.3
}
# page_shot <name>: the window as <name>.png.
page_shot() { local x y w h; read -r x y w h <<<"$(auto rect "${W[@]}" 0)"; shot "$1" "$x" "$y" "$w" "$h"; }

dwl_start
E2E_WAIT=30 check_is "the splash shows the version" "Version 2.5" auto text "${S[@]}" 4006
check_is "and the copyright" "Copyright (C) 2026 The Duskwell developers" auto text "${S[@]}" 4007
client_shot splash DuskwellSplash
check "&OK is pressed" auto click "${S[@]}" 1
check "start-up ends" dwl_wait_ready
check "Settings is chosen" auto command "${W[@]}" 40002
check_is "the window shows" 1 visible
check_is "on the General page" 0 shown_pages
check_is "the buttons" "OK Cancel Apply Help" eval 'echo "$(caption 1) $(caption 2) $(caption 1011) $(caption 1012)"'

# Each page by index: controls on it, id=caption.
declare -A captions=(
    [0]="1101=User Interface Options:|1102=Enable an application on Windows startup|1106=Set password...|1006=Active scenarios:"
    [1]="1201=Add new...|1202=Delete|1204=Action:|1206=Duration:|1208=Time:|1213=Power Off computer after shutdown"
    [2]="1302=Shutdown Windows:|1304=Reboot Computer:|1306=Log Off Current User:|1309=press (Ctrl+Shift+Alt+P) to show Duskwell again."
    [3]="1401=You can use DWL Clean Up to free more disk space when you Shut Down or Restart.|1404=Clean Up the Temporary Internet Files folder"
    [4]="1504=Size:|1505=Show Large Buttons|1507=Placement:|1509=Aligned Vertically|1510=Buttons:|1518=Set Always On Top"
    [5]="1604=www.duskwell.example"
)
for i in 0 1 2 3 4 5; do
    page=${pages[$i]}
    if ((i > 0)); then
        keys ctrl+Tab
        check_is "$page: Ctrl+Tab turns to it" "$i" shown_pages
    fi
    check_is "$page: its controls show their captions" "${captions[$i]}" page_captions "${captions[$i]}"
    page_shot "options-$page"
done
check_is "about: the caption" "Duskwell 2.5" auto text "${W[@]}" 0
check_is "about: the title" $'Duskwell\nVersion 2.5\nCopyright (C) 2026 The Duskwell developers' auto text "${W[@]}" 1602
keys ctrl+Tab
check_is "Ctrl+Tab on the last page turns to the first" 0 shown_pages

# The Scenarios page by keyboard: Alt+D is the duration, Alt+T the time box.
keys ctrl+Tab
check_is "back on the Scenarios page" 1 shown_pages
check "the day list is hidden" not shows 1207
keys alt+d Down Down
check_is "Alt+D and the arrows choose Weekly" Weekly caption 1005
check "the day list appears" shows 1207
keys alt+t 7
check "a digit in the time box opens the list" shows 1212
check "with 7 among its items" eval 'auto items "${W[@]}" 1212 | grep -qx 7'
keys Return
check_is "Enter chooses it and closes the list" 0 auto ctlvisible "${W[@]}" 1212
check_is "the hours are 7" 7 eval 'caption 1209 | cut -d: -f1'

keys Escape
check_is "Escape cancels: the window hides" 0 visible
check "a left click on the tray icon" auto message "${W[@]}" 0x8001 1 514
check_is "shows it again on the page shown last" 1 shown_pages

check "minimising" auto message "${W[@]}" 0x112 0xF020 0
check_is "hides the window" 0 visible

check "a right click on the tray icon" auto message "${W[@]}" 0x8001 1 517
check_is "opens the menu" 1 auto visible '#32768' '*'
read -r mx my mw mh <<<"$(auto rect '#32768' '*' 0)"
shot options-traymenu "$mx" "$my" "$mw" "$mh"
check "where A is About..." auto keys a
check_is "which shows the window on the About page" 5 shown_pages  # no page shows in a hidden window

check "the close box is used" auto message "${W[@]}" 0x112 0xF060 0   # WM_SYSCOMMAND, SC_CLOSE
check_is "the window hides" 0 visible
check "the program stays" dwl_running
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
