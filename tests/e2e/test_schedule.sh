#!/usr/bin/env bash
# A scheduled shutdown, warned of and postponed from the command line:
# started at second 25 of a minute with "WarnMinutes" 2 and a scenario two
# minutes ahead, the program warns at once, near the notification area and
# without taking the focus; /next names the shutdown, /postpone 2 moves it
# and the warning goes; nothing happens at the first time, the warning comes
# again two minutes before the new one, and the countdown starts at the
# start of the new minute.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times
A=(DuskwellWarning Duskwell)
C=(DuskwellCountdown '*')

reg_add 'HKCU\SOFTWARE\Orbelle\DWL\Options' WarnMinutes 2
wait_early_in_minute 20
while ((10#$(date +%S) < 25)); do sleep 0.2; done
due=$(date -d '+2 min' '+%-H:%M') later=$(date -d '+4 min' '+%-H:%M')
scenarios "Shutdown Windows; Onetime; $due" >"$DWL_APPDIR/dwl.scn"
relay_trace user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
check_is "the warning shows at once" "Shutdown Windows at $due, in 2 minute(s)." auto text "${A[@]}" 4101
check "/next names the shutdown" eval 'dwl_says 0 /next | grep -qx "Shutdown Windows at $due"'
check "/postpone 2 moves it" eval 'dwl_says 0 /postpone 2 | grep -qx "Postponed: Shutdown Windows at $later (postponed from $due)"'
check "and the warning goes" eval '[[ $(auto visible "${A[@]}" 2>/dev/null) != 1 ]]'
while [[ $(date '+%-H:%M') != "$due" ]]; do sleep 0.5; done
E2E_WAIT=10 check_is "at $due the warning comes again" "Shutdown Windows at $later, in 2 minute(s)." \
    auto text "${A[@]}" 4101
check "but no countdown" not eval '[[ $(auto visible "${C[@]}" 2>/dev/null) == 1 ]]'
check "and no power call" not relay_grep -q 'Call user32.ExitWindowsEx'
E2E_WAIT=150 check "at $later the countdown appears at the start of the minute" \
    eval '[[ $(auto visible "${C[@]}") == 1 ]] && [[ $(date "+%-H:%M") == "$later" ]] && ((10#$(date +%S) <= 5))'
check "the warning has closed" eval '[[ $(auto visible "${A[@]}" 2>/dev/null) != 1 ]]'
E2E_WAIT=12 check "the shutdown call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
e2e_finish
