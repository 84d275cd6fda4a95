#!/usr/bin/env bash
# The administrator's policy, as `reg add` writes it into the machine's key:
# a shutdown two minutes ahead that may not be cancelled, and the settings
# locked. The lists show the scenario marked, the pages are greyed with no
# unlock; lifted and announced as Group Policy does, the lock goes without a
# restart. Delete leaves the scenario, Exit is refused, the countdown offers
# no Cancel and the shutdown follows.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times
P='HKLM\SOFTWARE\Policies\Orbelle\DWL'
C=(DuskwellCountdown '*')

wait_early_in_minute 30
due=$(date -d '+2 min' '+%-H:%M')
reg_add "$P" Scenarios "Shutdown Windows; Onetime; $due" REG_MULTI_SZ
reg_add "$P" NoCancel 1 REG_DWORD
reg_add "$P" LockSettings 1 REG_DWORD
relay_trace user32.ExitWindowsEx
dwl_start
check "dwl.exe starts" dwl_wait_ready
show_options
check_is "the list shows the scenario marked" "Shutdown Windows; Onetime; $due (policy)" auto items "${W[@]}" 1001
check_is "the General page is greyed" 0 auto enabled "${W[@]}" 1102
check_is "and offers no unlock" 0 auto enabled "${W[@]}" 1106
wine reg delete "$P" /v LockSettings /f >/dev/null 2>&1
check "the policy's change is announced" auto policychanged "${M[@]}"
check_is "and the page is open again" 1 auto enabled "${W[@]}" 1102
check "the Scenarios page is turned to" auto select "${W[@]}" 1010 1
check "the policy's scenario is chosen there" auto pick "${W[@]}" 1004 0
check_is "and shown, greyed" "Shutdown Windows 0" eval 'echo "$(auto text "${W[@]}" 1003) $(auto enabled "${W[@]}" 1003)"' 
check "Delete is clicked" auto click "${W[@]}" 1202
check_is "no question comes and the scenario stays" "Shutdown Windows; Onetime; $due (policy)" \
    auto items "${W[@]}" 1001
check "Exit is chosen" auto command "${M[@]}" 40001
check "Exit is refused with a message" eval 'auto text "#32770" Duskwell 65535 | grep -q "cannot be closed"'
check "whose OK is pressed" auto click "#32770" Duskwell 1
E2E_WAIT=150 check_is "at $due the countdown appears" 1 auto visible "${C[@]}"
check_is "with its Cancel greyed" 0 auto enabled "${C[@]}" 2004
E2E_WAIT=12 check "the shutdown call follows" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
e2e_finish
