#!/usr/bin/env bash
# The installer and uninstaller, silent: the program runs from its installed
# place and starts with Windows from there; Help opens the installed help file;
# the uninstaller ends the running program (which saves its scenarios first),
# removes what was installed and the startup entry, and keeps the settings.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
root=$(cd "$(dirname "$0")/../.." && pwd)

"$root/scripts/build-help" "$DWL_WORK/help" || e2e_die "the help does not compile"
setup=$DWL_WORK/Duskwell-x64-setup.exe
makensis -V2 -DARCH=x64 -DEXE="$DWL_BIN/dwl.exe" -DCHM="$DWL_WORK/help/dwl.chm" -DOUTFILE="$setup" \
    "$root/installer/duskwell.nsi" || e2e_die "makensis failed"

W=(DuskwellOptions '*')
installed='C:\Program Files\Duskwell'
pf="$WINEPREFIX/drive_c/Program Files/Duskwell"
reg_value() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2 *REG_SZ *//p"; }
run_value() { reg_value 'HKLM\Software\Microsoft\Windows\CurrentVersion\Run' DWL; }
# Other tests' prefixes may have a help viewer open too: this one names the installed file.
help_viewer() { pgrep -af 'hh\.exe' | grep -qi 'Program Files.Duskwell.dwl\.chm'; }

check "the installer runs silently" wine "$setup" /S
check "dwl.exe and dwl.chm are installed" test -f "$pf/dwl.exe" -a -f "$pf/dwl.chm"
check_is "it tells the program where it lives" "\"$installed\\dwl.exe\"" \
    reg_value 'HKLM\SOFTWARE\Orbelle\DWL\Run' Path
check_is "it is listed for removal" "$installed\\uninstall.exe\" /S" eval \
    "reg_value 'HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Duskwell' QuietUninstallString | cut -c2-"

DWL_APPDIR=$pf DWL_EXE="$installed\\dwl.exe"
printf 'Duskwell scenarios 1\r\nscenario\tReboot Computer; Daily; 3:33\r\nend\t1\r\n' >"$pf/dwl.scn"
dwl_start
check "dwl.exe starts from there" dwl_wait_ready
check "Settings is chosen" auto command "${W[@]}" 40002
# The startup box is ticked by default: off and on again, applied each time.
for state in off on; do
    auto click "${W[@]}" 1102 >/dev/null
    check "startup $state is applied" auto click "${W[@]}" 1011
done
check_is "the startup entry is the installed program" "\"$installed\\dwl.exe\"" run_value
check "Help is pressed" auto click "${W[@]}" 1012
check "the help viewer shows the installed help file" help_viewer

check "the help viewer is closed" wine taskkill /f /im hh.exe
E2E_WAIT=30 check "the help viewer is gone" eval '! help_viewer'
rm -f "$pf/dwl.scn"
check "the uninstaller runs silently" wine "$pf/uninstall.exe" /S "_?=$installed"
check "the program has ended" dwl_wait_exit 10
check_is "after saving its scenarios" \
    $'Duskwell scenarios 1\r\nscenario\tReboot Computer; Daily; 3:33\r\nend\t1\r' cat "$pf/dwl.scn"
check "dwl.exe and dwl.chm are gone" not test -e "$pf/dwl.exe" -o -e "$pf/dwl.chm"
check_is "the startup entry is gone" "" run_value
check_is "and so is the installed place" "" reg_value 'HKLM\SOFTWARE\Orbelle\DWL\Run' Path
check_is "the settings are kept" 1 reg_value 'HKCU\SOFTWARE\Orbelle\DWL\Options' StartUp

e2e_finish
