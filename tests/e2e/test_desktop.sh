#!/usr/bin/env bash
# The program on the desktop, driven as a user would, through one session of
# starts:
# - a first start shows the splash (with the tray icon only) and adds the tray
#   icon;
# - the options window: the hotkey shows it; a check box cleared and applied
#   is stored; by keyboard, Ctrl+Tab turns the six pages in order and from the
#   last back to the first; Escape and minimising hide it; the tray icon's
#   clicks show it and its menu;
# - the command line hands its commands to the running copy: /shutdown's
#   countdown cancelled by /cancel, a refused /cancel and /bogus with their
#   exit codes, /reboot /at /daily added to the active list;
# - a shutdown hotkey recorded in its box with keys sent as hardware input and
#   applied (registered); pressed in its box again it is captured there; Enter
#   keeps it, and pressed, it shuts down;
# - with the tray icon off and the configuration locked: no splash, the stored
#   hotkey registered, the Quickbar where it was stored, the window opens
#   locked, the cleared startup box shown so; a countdown then outlasts Exit
#   and taskkill, which end the program after its action.
#   A Quickbar stored off every screen comes back onto it;
# - the Windows versions that Wine can pretend to be: on Windows XP the first
#   start writes the manifest, says so and ends, and the next start runs with
#   it; "Lock Computer" is offered exactly where the workstation can be locked.
# Pictures of the splash, every page, the tray menu and the locked General
# page go to DWL_WORK (and docs/ with DWL_UPDATE_DOCS=1).
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
S=(DuskwellSplash '*')

# ---- the splash and the tray icon
relay_trace shell32.Shell_NotifyIconA user32.RegisterHotKey user32.ExitWindowsEx user32.ChangeWindowMessageFilter \
    kernel32.SetWaitableTimer kernelbase.SetWaitableTimer
dwl_start
E2E_WAIT=30 check_is "the splash shows the version" "Version 2.5" auto text "${S[@]}" 4006
window_shot splash DuskwellSplash
check "&OK is pressed" auto click "${S[@]}" 1
DWL_SPLASH_DUE=0 check "start-up ends" dwl_wait_ready
check "the tray icon is added" relay_grep -q 'Call shell32.Shell_NotifyIconA(00000000,'
check "commands from programs of lower rights stay filtered" not relay_grep -q 'Call user32.ChangeWindowMessageFilter'

# ---- the options window by keyboard
pages=(general scenarios hotkeys cleanup quickbar about)
# The pages whose containers (ids 1020 to 1025) are visible, by index.
shown_pages() {
    local i shown=()
    for i in 0 1 2 3 4 5; do
        if [[ $(auto ctlvisible "${W[@]}" $((1020 + i))) == 1 ]]; then shown+=("$i"); fi
    done
    echo "${shown[*]}"
}
# Keys go through X to the window that has the focus.
keys() { xdotool search --onlyvisible --name 'Duskwell 2.5' windowfocus --sync key --delay 50 "$@"; }

show_options
check_is "on the General page" 0 shown_pages
window_shot options-general DuskwellOptions
check "the startup box is cleared" auto click "${W[@]}" 1102
check "Apply is pressed" auto click "${W[@]}" 1011
check_is "which stores it" 0 reg_value 'HKCU\SOFTWARE\Orbelle\DWL\Options' StartUp
for i in 1 2 3 4 5 0 1; do
    keys ctrl+Tab
    check_is "Ctrl+Tab turns to the ${pages[$i]} page" "$i" shown_pages
    ((i == 0)) || window_shot "options-${pages[$i]}" DuskwellOptions
done
keys Escape
check_is "Escape cancels: the window hides" 0 auto visible "${W[@]}"
check "a left click on the tray icon" auto message "${M[@]}" 0x8001 1 514
check_is "shows it again on the page shown last" 1 shown_pages
check "minimising" auto message "${W[@]}" 0x112 0xF020 0
check_is "hides the window" 0 auto visible "${W[@]}"
check "a right click on the tray icon" auto message "${M[@]}" 0x8001 1 517
check_is "opens the menu" 1 auto visible '#32768' '*'
window_shot options-traymenu '#32768'
check "where A is About..." auto keys a
check_is "which shows the window on the About page" 5 shown_pages  # no page shows in a hidden window

# ---- the command line, handed to the running copy
check "/shutdown is handed over" dwl_says 0 /shutdown
check_is "its countdown shows" 1 auto visible DuskwellCountdown '*'
check "/cancel is accepted" dwl_says 0 /cancel
check_is "and hides it" 0 auto visible DuskwellCountdown '*'
check "/cancel with nothing counting down ends with 1" eval 'dwl_says 1 /cancel | grep -qx "No countdown is running."'
check "/bogus ends with 2 and names it" eval 'dwl_says 2 /bogus | grep -q "^Unknown argument: /bogus"'
check "/reboot /at <in 12 hours> /daily is accepted" dwl_says 0 /reboot /at "$(date -d '+12 hours' +%H:%M)" /daily
check "and in the active list" eval 'auto items "${W[@]}" 1001 | grep -q "^Reboot Computer; Daily; "'
check "no wake timer is set while waking is off" not relay_grep -qi 'Call kernel[a-z0-9]*\.SetWaitableTimer'

# ---- a shutdown hotkey, captured in its box
show_options
check "the Hotkeys page is turned to" auto select "${W[@]}" 1010 2
check "it waits for input" auto idle "${W[@]}"
check "Ctrl+Alt+K is pressed in the shutdown box" auto keys alt+s ctrl+alt+k
check_is "the box shows it as assembled" " Ctrl +  Alt + K" auto text "${W[@]}" 1303
check "the box is left" auto keys tab
check "Apply is pressed" auto click "${W[@]}" 1011
check "the hotkey is registered" relay_grep -q -E 'Call user32.RegisterHotKey\([0-9a-f]+,00000000,00000003,0000004b\)'
# Pressed in a hotkey box the hotkey is captured, not carried out.
check "the hotkey is pressed in the shutdown box" auto keys alt+s ctrl+alt+k
check "the program takes it and waits for input again" auto idle "${W[@]}"
check "nothing shuts down" not relay_grep -q 'Call user32.ExitWindowsEx'
check "Enter presses OK" auto keys return
check_is "which hides the window" 0 auto visible "${W[@]}"
check "the hotkey is pressed" auto keys ctrl+alt+k
E2E_WAIT=12 check_is "the shutdown call follows, the only power call" \
    'Call user32.ExitWindowsEx(00000005,ffffffff)' relay_grep -o -E 'Call user32.ExitWindowsEx\([^)]*\)'
check "the Wine session ends" dwl_wait_exit 30
rm -f "$DWL_APPDIR/dwl.scn"

# ---- the tray icon off; the lock on with the password "pw" (stored scrambled
# as "db"); the Quickbar shown, stored at 1500, 1200 twips. (The lock's
# controls and password are the program unit test's, the Quickbar's layouts
# and buttons the Quickbar unit test's.)
for v in SysTray:0 Enabled:1 Password:db; do reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' "${v%:*}" "${v#*:}"; done
qb='HKCU\Software\Orbelle\DWL\Quickbar'
for v in Enabled:1 Small:1 Large:0 PosX:1500 PosY:1200; do reg_add "$qb" "${v%:*}" "${v#*:}"; done
relay_trace user32.RegisterHotKey powrprof.SetSuspendState
dwl_start
E2E_KEEP_SPLASH=1 check "dwl.exe starts" dwl_wait_ready
check "without a splash" not auto find "${S[@]}" 0
Q=(DuskwellQuickbar '*')
check_is "the Quickbar shows at its stored place (100, 80 at 96 DPI), with its Shutdown button" "1 100 80 1" \
    eval 'echo $(auto visible "${Q[@]}") $(auto rect "${Q[@]}" 0 | cut -d" " -f1,2) $(auto ctlvisible "${Q[@]}" 3001)'
check "the stored hotkey registered" relay_grep -q -E 'Call user32.RegisterHotKey\([0-9a-f]+,00000000,00000003,0000004b\)'
check "Settings is chosen" auto command "${M[@]}" 40002
check_is "the window opens locked, its startup box cleared and greyed, the lock box ticked" "&Unlock... 0 0 1" \
    eval 'echo $(auto text "${W[@]}" 1106) $(auto checked "${W[@]}" 1102) $(auto enabled "${W[@]}" 1102) \
        $(auto checked "${W[@]}" 1105)'
window_shot options-locked DuskwellOptions
# Locked, a countdown holds against Exit and another program's close request.
check "/suspend is handed over" dwl_says 0 /suspend
check_is "its countdown shows" 1 auto visible DuskwellCountdown '*'
check "Exit is chosen" auto command "${M[@]}" 40001
check "taskkill asks dwl.exe to end" eval 'WINEDEBUG=-all wine taskkill /im dwl.exe >/dev/null 2>&1'
E2E_WAIT=12 check "the suspend is carried out" relay_grep -q 'Call powrprof.SetSuspendState('
check "and then the program ends" dwl_wait_exit 10
# Off every screen: back on the nearest one. Waking on, with a scenario two
# minutes ahead: the wake timer is set to resume the computer.
for v in PosX PosY; do reg_add "$qb" $v 100000; done
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' WakeToRun 1
printf 'Duskwell scenarios 1\r\nscenario\tShutdown Windows; Onetime; %s\r\nend\t1\r\n' "$(date -d +2min +%H:%M)" \
    >"$DWL_APPDIR/dwl.scn"
relay_trace kernel32.SetWaitableTimer kernelbase.SetWaitableTimer
dwl_start
check "dwl.exe starts again" dwl_wait_ready
check "a Quickbar stored at 100000, 100000 is on the 1280 x 1024 screen" \
    eval 'read -r x y w h <<<"$(auto rect "${Q[@]}" 0)" && ((x >= 0 && y >= 0 && x + w <= 1280 && y + h <= 1024))'
check "waking on, the wake timer is set with resume" \
    relay_grep -qiE 'Call kernel[a-z0-9]*\.SetWaitableTimer\(([0-9a-f]+,){5}0*1\)'
dwl_exit
rm -f "$DWL_APPDIR/dwl.scn"

# ---- the Windows versions that Wine can pretend to be, with the tray icon
# again (the options window's controls are made when it is first shown, as it
# is to add the icon)
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' SysTray 1
version_key='HKCU\Software\Wine\AppDefaults\dwl.exe'
reg_add "$version_key" Version winxp
dwl_start
# A message box's text is its control 0xFFFF.
check_is "winxp: the first start asks for another" \
    $'Duskwell\nWindows XP necessary changes has been installed.\nPlease, start Duskwell again.' \
    eval 'auto text "#32770" "*" 0 && auto text "#32770" "*" 65535'
check "winxp: OK is pressed" auto click "#32770" "*" 1
check "winxp: and the program ends" dwl_wait_exit 10
check "winxp: the manifest is written" test -s "$DWL_APPDIR/dwl.exe.MANIFEST"

for c in "winxp 1 1" "win98 0 0" "win10 0 0"; do
    version=${c%% *}
    reg_add "$version_key" Version "$version"
    dwl_start
    check "$version: dwl.exe starts" dwl_wait_ready
    # The scenario actions (on the Scenarios page, made when first turned to) and the immediate actions.
    check_is "$version: Lock Computer offered in each list, or in none" "${c#* }" eval 'auto select "${W[@]}" 1010 1 && auto select "${W[@]}" 1010 0 && echo \
        $(auto items "${W[@]}" 1003 | grep -cx "Lock Computer") $(auto items "${W[@]}" 1002 | grep -cx "Lock Computer")'
    dwl_exit
done
e2e_finish
