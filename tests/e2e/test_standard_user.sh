#!/usr/bin/env bash
# The program run by a standard user, who may not write its installed
# folder, without the portable mark: the scenario file found beside the
# program is carried over into the user's own folder, which is made for it,
# with its awkward texts whole (a blank inside an application name, a byte
# above 127), and left as it was; a scenario added in the editor is saved
# there without a word, is there again after a restart and shuts down at its
# minute, and the file then holds the weekly entry as it was. Wine lets root write anywhere, so the program
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
DWL_APPDIR=$pf DWL_EXE='C:\Program Files\Duskwell\dwl.exe'
scn=$WINEPREFIX/drive_c/users/$user/AppData/Roaming/Duskwell/dwl.scn
# A weekly entry at a time the test never reaches, and its application record.
app=$(LC_ALL=C date -d '+12 hour' '+%-H:%M')
app=$(printf 'Run Application my t\xe9st; Weekly (Mon, Fri); %s' "$app")
# scenario_file <entry...>: the file with these entries and the application record.
scenario_file() {
    scenarios "$@" | sed '$d'
    printf 'application\tC:\\\\Tools\\\\my t\xe9st.exe\tmy t\xe9st\t-q\r\nend\t%d\r\n' $(($# + 1))
}
scenario_file "$app" >"$pf/dwl.scn"
cp "$pf/dwl.scn" "$DWL_WORK/beside.scn"

check "the program's folder is not the user's to write" not as_user touch "$pf/probe"
dwl_start
check "dwl.exe starts as $user (the first start in the prefix as this user)" dwl_wait_ready 90
check_is "the scenario beside the program is active" "$app" auto items "${W[@]}" 1001
check "and carried over into the user's folder" cmp "$DWL_WORK/beside.scn" "$scn"
show_options
check "the Scenarios page is turned to" auto select "${W[@]}" 1010 1
check_is "its Add new... is there and shown" 1 auto ctlvisible "${W[@]}" 1201
wait_early_in_minute 40  # the new entry's minute, stepped, stays in this hour
check "Add new... is pressed" auto click "${W[@]}" 1201
due=$(date -d '+2 min' '+%-H:%M')
check "the window waits for input" auto idle "${W[@]}"
check "the minutes are stepped up twice" auto keys alt+t right up up
check_is "the time box shows $due" "$due" auto text "${W[@]}" 1209
check "Apply is pressed" auto click "${W[@]}" 1011
entry="Shutdown Windows; Onetime; $due"
check "the scenario is saved in the user's folder" grep -qF "$entry" "$scn"
check "without a message" not eval '[[ $(auto visible "#32770" "*") == 1 ]]'
relay_trace user32.ExitWindowsEx
dwl_restart
check_is "both scenarios are there again" "$app"$'\n'"$entry" auto items "${W[@]}" 1001
E2E_WAIT=150 check "at $due it shuts down" relay_grep -q 'Call user32.ExitWindowsEx(00000005,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
check "the file keeps the weekly entry, its texts whole" cmp "$DWL_WORK/beside.scn" "$scn"
check "the file beside the program is left as it was" cmp "$DWL_WORK/beside.scn" "$pf/dwl.scn"
e2e_finish
