#!/usr/bin/env bash
# A scenario due in the next minute is announced by the countdown window and
# carried out about six seconds later, in a 12-hour locale (the options test
# has a 24-hour one); with the configuration locked the window shows no
# buttons, else both whole; Cancel drops it. The command line drives the
# same countdown and adds scenarios to a running copy.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn

# Starts are kept clear of a minute's end, so that "the next minute" is
# still ahead once the program runs.
wait_early_in_minute() { while ((10#$(date +%S) > 35)); do sleep 1; done; }


write_scenarios() {
    {
        printf 'Duskwell scenarios 1\r\n'
        local e
        for e in "$@"; do printf 'scenario\t%s\r\n' "$e"; done
        printf 'end\t%d\r\n' $#
    } >"$scn"
}

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

# A one-time shutdown in a 12-hour locale, announced with the configuration
# locked, then ExitWindowsEx(0x5, 0xFFFFFFFF).
export LC_ALL=en_US.UTF-8
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
check_is "the one-time scenario is gone from the file at once" \
    $'Duskwell scenarios 1\r\nscenario\tReboot Computer; Daily; 3:33\r\nend\t1\r' cat "$scn"
check "no power call during the count" not relay_grep -q 'Call user32.ExitWindowsEx'
E2E_WAIT=12 check "the shutdown call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
relay_trace_off

# The command line, in a 24-hour locale. Bad arguments end with 2 and change
# nothing; a first start with /suspend shows no splash and suspends; later
# starts hand their commands to it: the countdown of /shutdown is cancelled by
# its Cancel button and by /cancel, /reboot /in 1 adds a one-time scenario
# whose countdown ends in the reboot call.
export LC_ALL=de_DE.UTF-8
reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' Enabled 0
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
calls() { relay_grep -o -E 'Call (powrprof\.SetSuspendState|user32\.ExitWindowsEx)\([^)]*\)' || true; }

check "/bogus ends with 2 and names the mistake" eval 'dwl_exits 2 /bogus | grep -q "^Unknown argument: /bogus"'
check "and changes nothing" eval '[[ ! -e $scn ]] && ! auto windows | grep -q Duskwell'
relay_trace user32.ExitWindowsEx powrprof.SetSuspendState
dwl_start /suspend
E2E_KEEP_SPLASH=1 check "a first start with /suspend starts without the splash" dwl_wait_ready
check "and announces the suspend" countdown_says suspended
E2E_WAIT=12 check "then suspends" relay_grep -q 'Call powrprof.SetSuspendState(00000000,00000001,00000001)'
check "the program runs on" dwl_running

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
check "/reboot /in 1 is accepted" dwl_exits 0 /reboot /in 1
check_is "its scenario is in the file" $'Duskwell scenarios 1\r\nscenario\tReboot Computer; Onetime; '"$due"$'\r\nend\t1\r' \
    cat "$scn"
check_is "and in the active list" "Reboot Computer; Onetime; $due" auto items DuskwellOptions '*' 1001
# The scheduler ticks once a minute, counted from the program's start, not
# from the minute's: the tick in the due minute may come up to two minutes on.
E2E_WAIT=130 check "the countdown announces the reboot in the minute $due" countdown_says rebooted
E2E_WAIT=12 check "the reboot call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000007,ffffffff)'
check_is "no other power call came: the cancelled shutdowns did not" \
    $'Call powrprof.SetSuspendState(00000000,00000001,00000001)\nCall user32.ExitWindowsEx(00000007,ffffffff)' calls
check_is "the one-time scenario is consumed" $'Duskwell scenarios 1\r\nend\t0\r' cat "$scn"

e2e_finish
