#!/usr/bin/env bash
# The Windows versions that Wine can pretend to be: on Windows 2000 no
# manifest is needed; on Windows XP the first start writes it, says so and
# ends, and the next start runs with it; "Lock Computer" is offered exactly
# where the workstation can be locked.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
version_key='HKCU\Software\Wine\AppDefaults\dwl.exe'

reg_add "$version_key" Version win2k
dwl_start
check "win2k: dwl.exe starts" dwl_wait_ready
check "win2k: no manifest is written" not test -e "$DWL_APPDIR/dwl.exe.MANIFEST"
dwl_exit
reg_add "$version_key" Version winxp
dwl_start
# A message box's text is its control 0xFFFF.
check_is "winxp: the first start asks for another" \
    $'Duskwell\nWindows XP necessary changes has been installed.\nPlease, start Duskwell again.' \
    eval 'auto text "#32770" "*" 0 && auto text "#32770" "*" 65535'
check "winxp: OK is pressed" auto dialog-press OK 5000
check "winxp: and the program ends" dwl_wait_exit 10
check "winxp: the manifest is written" test -s "$DWL_APPDIR/dwl.exe.MANIFEST"

for c in "winxp 1 1" "win98 0 0" "win10 0 0"; do
    version=${c%% *}
    reg_add "$version_key" Version "$version"
    dwl_start
    check "$version: dwl.exe starts" dwl_wait_ready
    # The scenario actions (on the Scenarios page, made when first turned to) and the immediate actions.
    check_is "$version: Lock Computer offered in each list, or in none" "${c#* }" eval 'options_pages 1 0 && echo \
        $(auto items "${W[@]}" 1003 | grep -cx "Lock Computer") $(auto items "${W[@]}" 1002 | grep -cx "Lock Computer")'
    dwl_exit
done
e2e_finish
