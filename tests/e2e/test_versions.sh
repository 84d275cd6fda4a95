#!/usr/bin/env bash
# The Windows versions that Wine can pretend to be: on Windows 2000 no
# manifest is needed; on Windows XP the first start writes it, says so and
# ends, and the next start runs with it; "Lock Computer" is offered exactly
# where the workstation can be locked.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init

# The scenario actions' count and third item; whether each list offers Lock Computer.
action_lists() {
    local actions immediate
    options_pages 1 0 || return 1  # the Scenarios page is made when first turned to
    actions=$(auto items "${W[@]}" 1003)
    immediate=$(auto items "${W[@]}" 1002)
    echo "$(grep -c . <<<"$actions") $(sed -n 3p <<<"$actions")," \
        "$(grep -cx 'Lock Computer' <<<"$actions") $(grep -cx 'Lock Computer' <<<"$immediate")"
}

set_windows_version dwl.exe win2k
dwl_start
check "win2k: dwl.exe starts" dwl_wait_ready
check "win2k: no manifest is written" not test -e "$DWL_APPDIR/dwl.exe.MANIFEST"
dwl_exit
set_windows_version dwl.exe winxp
dwl_start
check_is "winxp: the first start asks for another" \
    $'Duskwell\nWindows XP necessary changes has been installed.\nPlease, start Duskwell again.' auto dialog-text 15000
check "winxp: OK is pressed" auto dialog-press OK 5000
check "winxp: and the program ends" dwl_wait_exit 10
check "winxp: the manifest is written" test -s "$DWL_APPDIR/dwl.exe.MANIFEST"

# version, Lock Computer offered
for c in winxp:yes win98:no win10:no; do
    version=${c%:*}
    set_windows_version dwl.exe "$version"
    dwl_start
    check "$version: dwl.exe starts" dwl_wait_ready
    want="7 Shutdown Windows, 0 0"
    [[ ${c#*:} == no ]] || want="8 Shutdown Windows, 1 1"
    check_is "$version: the actions (count, third, Lock Computer in each list)" "$want" action_lists
    dwl_exit
done
e2e_finish
