#!/usr/bin/env bash
# The options window's pages and keyboard: Ctrl+Tab turns the six pages in
# order and from the last back to the first, each page shows its own controls
# alone, labels' mnemonics reach the Scenarios page's controls, the time box
# opens its list for a digit key, Escape cancels, minimising and the close box
# hide the window, and the tray menu carries its items. Every page is saved as
# a picture in DWL_WORK; with DWL_UPDATE_DOCS=1 also as docs/options-<page>.png.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

W=(DuskwellOptions '*')
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
check "dwl.exe starts" dwl_wait_ready
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
check_is "about: the title has the name on its first line" Duskwell eval 'auto text "${W[@]}" 1602 | head -n 1'
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
check "Exit is chosen" auto command "${W[@]}" 40001
check "the program ends" dwl_wait_exit 10

e2e_finish
