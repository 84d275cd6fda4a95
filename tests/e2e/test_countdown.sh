#!/usr/bin/env bash
# The one scheduled countdown read from the scenario file: a one-time
# shutdown due in the next minute, in a 12-hour locale (the options test has
# a 24-hour one), with "Power Off" stored and the configuration locked: the
# window shows no buttons, not even hidden ones, and powers off about six
# seconds later. The command line drives the same countdown: the actions at
# once, Cancel and /cancel, and a daily scenario added to a running copy that
# runs at its minute and stays.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn

countdown_visible() { [[ $(auto visible DuskwellCountdown '*') == 1 ]]; }

# buttons_in_client <locked 1|0>: locked, the client area is at most 960
# twips high and both buttons lie below it; unlocked, both lie wholly inside.
buttons_in_client() {
    local cx cy cw ch dpi bx by bw bh id
    read -r cx cy cw ch dpi <<<"$(auto client DuskwellCountdown '*')"
    echo "client $cx $cy $cw $ch at $dpi dpi"
    if [[ $1 == 1 ]]; then
        ((ch * 1440 <= 960 * dpi)) || return 1
    fi
    for id in 2003 2004; do
        read -r bx by bw bh <<<"$(auto rect DuskwellCountdown '*' "$id")"
        echo "button $id $bx $by $bw $bh"
        if [[ $1 == 1 ]]; then
            ((by >= cy + ch)) || return 1
        else
            ((bx >= cx && by >= cy && bx + bw <= cx + cw && by + bh <= cy + ch)) || return 1
        fi
    done
}

export LC_ALL=en_US.UTF-8
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' PowerOff 1
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' Enabled 1
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' Password db  # "pw", scrambled
wait_early_in_minute
due=$(LC_ALL=C date -d '+1 min' '+%-I:%M %p')
write_scenarios "Shutdown Windows; Onetime; $due" "Reboot Computer; Daily; 3:33"
relay_trace user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
E2E_WAIT=75 check "the countdown appears in the minute $due" countdown_visible
check_is "its title" "Duskwell 2.5" auto text DuskwellCountdown '*' 0
check_is "its message" "Your computer will be shutted down in 5 second(s)." auto text DuskwellCountdown '*' 2001
check_is "its act-now button" "Shutdown now" auto text DuskwellCountdown '*' 2003
check "locked, no button lies in the client area" buttons_in_client 1
check_is "they are hidden and disabled" "0 00" \
    eval 'echo "$(auto ctlvisible DuskwellCountdown "*" 2004) $(auto enabled-ids DuskwellCountdown "*" 2003 2004)"'
check_is "the one-time scenario is gone from the file at once" \
    $'Duskwell scenarios 1\r\nscenario\tReboot Computer; Daily; 3:33\r\nend\t1\r' cat "$scn"
check "no power call during the count" not relay_grep -q 'Call user32.ExitWindowsEx'
E2E_WAIT=12 check "the power-off call follows" relay_grep -q 'Call user32.ExitWindowsEx(0000000c,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
relay_trace_off

# The command line, in a 24-hour locale, on a Windows that can lock the
# workstation. Bad arguments end with 2 and change nothing; a first start
# with /suspend shows no splash and suspends; later starts hand their
# commands to it: /lock locks, the countdown of /shutdown is cancelled by its
# Cancel button and by /cancel, /reboot /at /daily adds a daily scenario
# whose countdown ends in the reboot call.
export LC_ALL=de_DE.UTF-8
set_windows_version dwl.exe win2k
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' Enabled 0
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' PowerOff 0
rm -f "$scn"
# dwl_exits <exit code> <arguments...>: runs dwl.exe; prints what it says.
dwl_exits() {
    local want=$1 rc=0
    shift
    (cd "$DWL_APPDIR" && WINEDEBUG=-all wine 'C:\Duskwell\dwl.exe' "$@") >"$DWL_WORK/said.txt" 2>/dev/null || rc=$?
    tr -d '\r' <"$DWL_WORK/said.txt"
    echo "exit $rc"
    ((rc == want))
}
countdown_says() { countdown_visible && [[ $(auto text DuskwellCountdown '*' 2001) == *"$1 in "* ]]; }

check "/bogus ends with 2 and names the mistake" eval 'dwl_exits 2 /bogus | grep -q "^Unknown argument: /bogus"'
check "and changes nothing" eval '[[ ! -e $scn ]] && ! auto windows | grep -q Duskwell'
relay_trace user32.ExitWindowsEx powrprof.SetSuspendState user32.LockWorkStation
dwl_start /suspend
E2E_KEEP_SPLASH=1 check "a first start with /suspend starts without the splash" dwl_wait_ready
check "and announces the suspend" countdown_says suspended
E2E_WAIT=12 check "then suspends" relay_grep -q 'Call powrprof.SetSuspendState(00000000,00000001,00000001)'
check "the program runs on" dwl_running
check "/lock is handed over" dwl_exits 0 /lock
E2E_WAIT=12 check "and locks after its countdown" relay_grep -q 'Call user32.LockWorkStation()'

check "/shutdown is handed over" dwl_exits 0 /shutdown
check "its countdown appears" countdown_says "shutted down"
check "unlocked, both buttons lie wholly in the client area" buttons_in_client 0
check "Cancel is pressed" auto click DuskwellCountdown '*' 2004
check_is "the window hides" 0 auto visible DuskwellCountdown '*'
check "/shutdown again" dwl_exits 0 /shutdown
check "its countdown appears again" countdown_says "shutted down"
check "/cancel is accepted" dwl_exits 0 /cancel
check_is "and hides it" 0 auto visible DuskwellCountdown '*'
check "/cancel with nothing counting down is refused" eval 'dwl_exits 1 /cancel | grep -qx "No countdown is running."'

wait_early_in_minute
due=$(date -d '+1 min' '+%-H:%M')
daily=$'Duskwell scenarios 1\r\nscenario\tReboot Computer; Daily; '"$due"$'\r\nend\t1\r'
check "/reboot /at $due /daily is accepted" dwl_exits 0 /reboot /at "$due" /daily
check_is "its scenario is in the file" "$daily" cat "$scn"
check_is "and in the active list" "Reboot Computer; Daily; $due" auto items DuskwellOptions '*' 1001
# The scheduler ticks once a minute, counted from the program's start, not
# from the minute's: the tick in the due minute may come up to two minutes on.
E2E_WAIT=130 check "the countdown announces the reboot in the minute $due" countdown_says rebooted
E2E_WAIT=12 check "the reboot call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000007,ffffffff)'
check_is "no other power call came: the cancelled shutdowns did not" \
    $'Call powrprof.SetSuspendState(00000000,00000001,00000001)\nCall user32.LockWorkStation()\nCall user32.ExitWindowsEx(00000007,ffffffff)' power_calls
check "the Wine session ends" dwl_wait_exit 30
check_is "the daily scenario stays" "$daily" cat "$scn"

e2e_finish
