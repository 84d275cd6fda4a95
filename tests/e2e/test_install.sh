#!/usr/bin/env bash
# The setups and the uninstaller, silent. The x64 setup installs, starts
# Duskwell with Windows for all users and the program runs from there; the
# 32-bit setup, run over the running x64 copy, ends it (it saves its
# scenarios), upgrades it in its place and leaves one product; a setup built
# again from the same files is the same file. The 32-bit program then starts
# and acts on a scenario, locked, in a 12-hour locale, with the exact power
# call. A setup that cannot replace a copy that does not
# answer gives up after about ten seconds, fails and registers nothing. The
# uninstaller removes what was installed and written, both startup entries,
# and keeps the settings; a chosen folder that holds another product gets a
# Duskwell folder of its own, with the rights of Program Files, and /STARTUP=0
# leaves out the start with Windows; an unknown /STARTUP installs nothing.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
root=$(cd "$(dirname "$0")/../.." && pwd)
[[ -f ${DWL_BIN32:-}/dwl.exe ]] || e2e_die "no 32-bit dwl.exe in DWL_BIN32"
export LC_ALL=en_US.UTF-8  # 12-hour times

"$root/scripts/build-help" "$DWL_WORK/help" || e2e_die "the help does not compile"
version=$(sed -n 's/^project(Duskwell VERSION \([0-9.]*\).*/\1/p' "$root/CMakeLists.txt")
# make_setup <x86|x64> <dwl.exe> <setup.exe> [version]
make_setup() {
    makensis -V2 -DARCH="$1" -DVERSION="${4:-$version}" -DEXE="$2" -DCHM="$DWL_WORK/help/dwl.chm" -DOUTFILE="$3" \
        "$root/installer/duskwell.nsi" >/dev/null || e2e_die "makensis failed"
}
setup64=$DWL_WORK/x64-setup.exe setup32=$DWL_WORK/setup.exe newer32=$DWL_WORK/newer-setup.exe
make_setup x64 "$DWL_BIN/dwl.exe" "$setup64"
make_setup x86 "$DWL_BIN32/dwl.exe" "$setup32"
make_setup x86 "$DWL_BIN32/dwl.exe" "$newer32" 9.9

installed='C:\Program Files\Duskwell'
pf="$WINEPREFIX/drive_c/Program Files/Duskwell"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Duskwell'
run_key='Software\Microsoft\Windows\CurrentVersion\Run'
scn=$WINEPREFIX/drive_c/users/$(id -un)/AppData/Roaming/Duskwell/dwl.scn
# wine_pids <pattern>: the processes of this test's prefix whose command line matches.
wine_pids() {
    for p in $(pgrep -f "$1"); do
        if grep -qxz "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null; then echo "$p"; fi
    done
}

relay_trace advapi32.SetNamedSecurityInfoW
check "the x64 setup runs silently" eval 'WINEDEBUG=+relay wine "$setup64" /S 2>>"$DWL_WORK/relay.log"'
E2E_RELAY=0
check "under Program Files it keeps the rights it inherits" not relay_grep -q 'Call advapi32.SetNamedSecurityInfoW'
check "dwl.exe and dwl.chm are installed" test -f "$pf/dwl.exe" -a -f "$pf/dwl.chm"
check_is "it tells the program where it lives" "\"$installed\\dwl.exe\"" reg_value 'HKLM\SOFTWARE\Orbelle\DWL\Run' Path
check_is "and starts it with Windows" "\"$installed\\dwl.exe\"" reg_value "HKLM\\$run_key" DWL

DWL_APPDIR=$pf DWL_EXE="$installed\\dwl.exe"
options='HKCU\SOFTWARE\Orbelle\DWL\Options'
reg_add "$options" PowerOff 1
reg_add "$options" Enabled 1
reg_add "$options" Password db  # "pw", scrambled
mkdir -p "$(dirname "$scn")"
scenarios "Reboot Computer; Daily; 3:33" >"$scn"
cp "$scn" "$DWL_WORK/original.scn"
dwl_start
check "dwl.exe starts from there" dwl_wait_ready

rm "$scn"
check "the 32-bit setup runs over the running copy" wine "$setup32" /S
check "the copy has ended" dwl_wait_exit 1
check "after saving its scenarios" cmp "$DWL_WORK/original.scn" "$scn"
check "the installed dwl.exe is the 32-bit one" cmp "$DWL_BIN32/dwl.exe" "$pf/dwl.exe"
check_is "one product: listed in the 32-bit view" "$version" reg_value "$uninstall_key" DisplayVersion 32
check_is "and no longer in the 64-bit view" "" reg_value "$uninstall_key" DisplayVersion 64
check_is "started with Windows in the 32-bit view" "\"$installed\\dwl.exe\"" reg_value "HKLM\\$run_key" DWL 32
check_is "and no longer in the 64-bit view" "" reg_value "HKLM\\$run_key" DWL 64
touch "$DWL_BIN32/dwl.exe" "$DWL_WORK/help/dwl.chm"
make_setup x86 "$DWL_BIN32/dwl.exe" "$DWL_WORK/again.exe"
check "a setup built again from the same files is the same file" cmp "$setup32" "$DWL_WORK/again.exe"

# The 32-bit program at work, in a 12-hour locale, with "Power Off" stored
# and the configuration locked (as since the first start; the settings kept
# by the upgrade): the one scheduled countdown of these tests. Its buttons are
# hidden and disabled, and it powers off about six seconds later. Started 20
# seconds or more into a minute, the program checks the next one at its start.
C=(DuskwellCountdown '*')
wait_early_in_minute
while ((10#$(date +%S) < 20)); do sleep 0.5; done
due=$(LC_ALL=C date -d '+1 min' '+%-I:%M %p')
scenarios "Shutdown Windows; Onetime; $due" "Reboot Computer; Daily; 3:33" >"$scn"
relay_trace user32.ExitWindowsEx
dwl_start
check "the 32-bit dwl.exe starts" dwl_wait_ready
E2E_WAIT=90 check "the countdown appears at the start of the minute $due" \
    eval '[[ $(auto visible "${C[@]}") == 1 && $(auto text "${C[@]}" 2001) == *"shutted down in "* ]] &&
        ((10#$(date +%S) <= 5))'
check_is "locked, its buttons are hidden and disabled" "0 0 0 0" \
    eval 'echo $(auto ctlvisible "${C[@]}" 2003) $(auto ctlvisible "${C[@]}" 2004) $(auto enabled "${C[@]}" 2003) \
        $(auto enabled "${C[@]}" 2004)'
check_is "the one-time scenario is gone from the file at once" "$(scenarios "Reboot Computer; Daily; 3:33")" cat "$scn"
check "no power call during the count" not relay_grep -q 'Call user32.ExitWindowsEx'
E2E_WAIT=12 check "the power-off call follows" relay_grep -q 'Call user32.ExitWindowsEx(0000000c,ffffffff)'
check "the Wine session ends" dwl_wait_exit 30
E2E_RELAY=0
dwl_start
check "the 32-bit dwl.exe starts again" dwl_wait_ready

# A copy that does not answer: its Windows process is stopped.
stopped=$(wine_pids 'Program Files.Duskwell.dwl\.exe')
[[ -n $stopped ]] || e2e_die "no dwl.exe process found"
kill -STOP $stopped
started=$SECONDS rc=0
wine "$newer32" /S || rc=$?
check_is "a silent setup that cannot replace dwl.exe fails" 2 echo "$rc"
check "after about ten seconds" eval '((SECONDS - started >= 9 && SECONDS - started <= 40))'
check_is "and registers nothing new" "$version" reg_value "$uninstall_key" DisplayVersion 32
kill -CONT $stopped
check "the program, going on, takes the close it was sent" dwl_wait_exit 10

# What the program may have written beside itself: on XP its manifest
# (read-only, hidden), and a scenario file's new copy cut off by a power loss.
: >"$pf/dwl.exe.MANIFEST"
: >"$pf/dwl.scn.new"
wine attrib +r +h "$installed\\dwl.exe.MANIFEST" >/dev/null 2>&1 || true
reg_add "HKCU\\$run_key" DWL "\"$installed\\dwl.exe\""
check "the uninstaller runs silently" wine "$pf/uninstall.exe" /S "_?=$installed"
check "it removes the program, its help, manifest and unfinished scenario file" \
    not eval 'ls "$pf" | grep -e dwl.exe -e dwl.chm -e dwl.scn.new'
check_is "the machine's startup entry is gone" "" reg_value "HKLM\\$run_key" DWL 32
check_is "and the user's" "" reg_value "HKCU\\$run_key" DWL
check_is "and so is the installed place" "" reg_value 'HKLM\SOFTWARE\Orbelle\DWL\Run' Path 32
check_is "and the entry for removal" "" reg_value "$uninstall_key" DisplayVersion 32
check_is "the settings are kept" 1 reg_value "$options" PowerOff
check "and the scenarios" test -s "$scn"

# A chosen folder with another product in it.
tools=$WINEPREFIX/drive_c/Tools
mkdir -p "$tools"
echo "another product's" >"$tools/uninstall.exe"
relay_trace advapi32.SetNamedSecurityInfoW advapi32.ConvertStringSecurityDescriptorToSecurityDescriptorW
check "the setup is pointed at C:\\Tools, with /STARTUP=0" \
    eval 'WINEDEBUG=+relay wine "$setup32" /S /STARTUP=0 "/D=C:\Tools" 2>>"$DWL_WORK/relay.log"'
E2E_RELAY=0
check_is "which starts Duskwell with Windows neither for all users nor for this one" "" \
    eval 'echo $(reg_value "HKLM\\$run_key" DWL 32)$(reg_value "HKCU\\$run_key" DWL)'
check "which gets a Duskwell folder of its own" test -f "$tools/Duskwell/dwl.exe"
# Wine keeps no rights of its own on files: the calls that set them are read.
check "given the rights of Program Files (admins and SYSTEM full, users read and run, none inherited)" eval \
    'relay_grep -qF "L\"O:BAD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)\",00000001," &&
     relay_grep -q -E "Call advapi32.SetNamedSecurityInfoW\([0-9a-f]+ L\"C:.{1,2}Tools.{1,2}Duskwell\",00000001,80000005,"'
check_is "the other product's uninstaller is untouched" "another product's" cat "$tools/uninstall.exe"
check "Duskwell's uninstaller runs" wine "$tools/Duskwell/uninstall.exe" /S '_?=C:\Tools\Duskwell'
check "and its own files alone" eval 'test ! -e "$tools/Duskwell/dwl.exe" && test -f "$tools/uninstall.exe"'
# A folder another user made (Wine's folders all belong to the user) is not used.
mkdir -p "$WINEPREFIX/drive_c/Mine"
setup_exit=0
wine "$setup32" /S '/D=C:\Mine' || setup_exit=$?
check_is "setup refuses a folder made before by another user, and leaves it as it was" "2 0" \
    eval 'echo $setup_exit $(test -d "$WINEPREFIX/drive_c/Mine" && ls -A "$WINEPREFIX/drive_c/Mine" | wc -l)'
setup_exit=0
wine "$setup32" /S /STARTUP=yes '/D=C:\Fresh' || setup_exit=$?
check_is "and refuses an unknown /STARTUP, before making anything" "2 absent" \
    eval 'echo $setup_exit $(test -e "$WINEPREFIX/drive_c/Fresh" || echo absent)'

e2e_finish
