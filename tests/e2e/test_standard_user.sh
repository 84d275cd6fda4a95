#!/usr/bin/env bash
# The program run by a standard user, who may not write its installed
# folder: scenarios added in the editor are saved in the user's own folder
# without a word, are there again after a restart, and act at their minute
# with the exact power call. Wine lets root write anywhere, so the program
# runs as the unprivileged account dwluser (made by scripts/setup).
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times
user=dwluser
id "$user" >/dev/null 2>&1 || e2e_die "no account $user: run scripts/setup"

# The prefix becomes the user's (Wine runs only in one's own); the program's
# folder stays root's. The work folder may lie where only root may enter (a
# checkout under /root), so the prefix and the helpers move to a folder of
# their own that the user can reach.
wineserver -k
rm -f "$WINEPREFIX/wineserver"  # where root's server lives
home=$(mktemp -d "${TMPDIR:-/tmp}/dwl-standard-user.XXXXXX")
chmod 755 "$home"
mv "$WINEPREFIX" "$home/prefix"
export WINEPREFIX=$home/prefix
mkdir "$home/bin"
cp "$DWL_BIN/dwl.exe" "$DWL_BIN/dwlauto.exe" "$home/bin/"
[[ ! -x $DWL_WORK/bin/wine ]] || cp "$DWL_WORK/bin/wine" "$home/bin/"
DWL_BIN=$home/bin
export PATH=$home/bin:$PATH
pf=$WINEPREFIX/drive_c/Program\ Files/Duskwell
mkdir -p "$pf"
cp "$DWL_BIN/dwl.exe" "$pf/dwl.exe"
chown -R "$user" "$WINEPREFIX"
chown -R root:root "$pf"
chmod 755 "$pf"
as_user() {
    runuser -u "$user" -- env HOME="$WINEPREFIX" DISPLAY="$DISPLAY" LC_ALL="$LC_ALL" WINEPREFIX="$WINEPREFIX" \
        WINEDEBUG="$WINEDEBUG" WINEDLLOVERRIDES="$WINEDLLOVERRIDES" "$@"
}
wine() { as_user wine "$@"; }  # the library's helpers run as the user too
trap 'rc=$?; as_user wineserver -k >/dev/null 2>&1
      [[ ${DWL_KEEP_PREFIX:-0} == 1 ]] || rm -rf "$home"; (exit $rc); e2e_cleanup' EXIT
start() {
    local debug=-all
    [[ $E2E_RELAY == 0 ]] || debug=+relay
    (cd / && WINEDEBUG=$debug as_user wine 'C:\Program Files\Duskwell\dwl.exe') >>"$DWL_WORK/relay.log" 2>&1 &
    DWL_PID=$!
    DWL_PIDS+=("$DWL_PID")
}
W=(DuskwellOptions '*')
scn=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Duskwell/dwl.scn

check "the program's folder is not the user's to write" not as_user touch "$pf/probe"
# Early in a minute that is not an hour's last: the time box steps the minutes alone.
while [[ $(date +%M) == 5[6-9] ]] || ((10#$(date +%S) > 10)); do sleep 1; done
start
check "dwl.exe starts as $user" dwl_wait_ready
auto keys ctrl+shift+alt+p >/dev/null
check_is "the options are shown" 1 auto visible "${W[@]}"
auto keys ctrl+tab >/dev/null  # to the Scenarios page
check_is "on the Scenarios page" 1 auto ctlvisible "${W[@]}" 1021
check "Add new... is pressed" auto click "${W[@]}" 1201
check "Suspend is chosen" auto select "${W[@]}" 1003 5
check "Daily is chosen" auto select "${W[@]}" 1005 1
due=$(date -d '+2 min' '+%-H:%M')
check "the minutes are stepped up twice" auto keys alt+t right up up
check_is "the time box shows $due" "$due" auto text "${W[@]}" 1209
check "Apply is pressed" auto click "${W[@]}" 1011
entry="Suspend; Daily; $due"
check "the scenario is saved in the user's folder" grep -qF "$entry" "$scn"
check "without a message" not auto dialog-text 0
check "Exit is chosen" auto command "${W[@]}" 40001
check "the program ends" dwl_wait_exit 10

relay_trace powrprof.SetSuspendState
start
check "restarted" dwl_wait_ready
check_is "the scenario is there again" "$entry" auto items "${W[@]}" 1001
E2E_WAIT=150 check "at $due it suspends the machine" \
    relay_grep -q 'Call powrprof.SetSuspendState(00000000,00000001,00000001)'
check "nothing was written beside the program" not test -e "$pf/dwl.scn"
auto command "${W[@]}" 40001 >/dev/null
check "Exit ends it" dwl_wait_exit 10
e2e_finish
