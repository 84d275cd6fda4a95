#!/usr/bin/env bash
# The Windows versions that Wine can pretend to be: the version texts, and
# "Lock Computer" offered exactly where the workstation can be locked.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
cp "$DWL_BIN/osprobe.exe" "$DWL_APPDIR/osprobe.exe"

probe() { (cd "$DWL_APPDIR" && WINEDEBUG=-all wine 'C:\Duskwell\osprobe.exe' | tr -d '\r' | sed -n "s/^$1=//p"); }
# The scenario actions' count and third item; whether each list offers Lock Computer.
action_lists() {
    local actions immediate
    options_pages 1 0 || return 1  # the Scenarios page is made when first turned to
    actions=$(auto items DuskwellOptions '*' 1003)
    immediate=$(auto items DuskwellOptions '*' 1002)
    echo "$(grep -c . <<<"$actions") $(sed -n 3p <<<"$actions")," \
        "$(grep -cx 'Lock Computer' <<<"$actions") $(grep -cx 'Lock Computer' <<<"$immediate")"
}

# Windows 2000 needs no manifest; on Windows XP the first start writes it,
# read-only and hidden, says so and ends, and the next start runs with it.
set_windows_version dwl.exe win2k
dwl_start
check "win2k: dwl.exe starts" dwl_wait_ready
check "win2k: no manifest is written" not test -e "$DWL_APPDIR/dwl.exe.MANIFEST"
auto command DuskwellOptions '*' 40001 >/dev/null
check "win2k: dwl.exe exits" dwl_wait_exit 10
set_windows_version dwl.exe winxp
dwl_start
check_is "winxp: the first start asks for another" \
    $'Duskwell\nWindows XP necessary changes has been installed.\nPlease, start Duskwell again.' auto dialog-text 15000
check "winxp: OK is pressed" auto dialog-press OK 5000
check "winxp: and the program ends" dwl_wait_exit 10
# Wine reports the archive bit (32) beside them.
attributes() { echo $(($(auto attributes 'C:\Duskwell\dwl.exe.MANIFEST') & ~32)); }
check_is "winxp: the manifest is read-only and hidden" 3 attributes
check_is "winxp: of sixteen lines" 16 grep -c $'\r$' "$DWL_APPDIR/dwl.exe.MANIFEST"

# version, expected name, service pack, lock offered
cases=(
    "win98|Windows 98 SE||no"
    "winxp|Windows XP|Service Pack 3.0|yes"
    "win10|Unknown OS Version *||no"
)
for c in "${cases[@]}"; do
    IFS='|' read -r version name pack lock <<<"$c"
    set_windows_version osprobe.exe "$version"
    set_windows_version dwl.exe "$version"
    # shellcheck disable=SC2053  # the expected name may be a pattern
    check "$version: the version is named '$name'" eval 'got=$(probe OSName); echo "got: $got"; [[ $got == $name ]]'
    check_is "$version: service pack" "$pack" probe OSServicePack

    dwl_start
    check "$version: dwl.exe starts" dwl_wait_ready
    want="7 Shutdown Windows, 0 0"
    [[ $lock == no ]] || want="8 Shutdown Windows, 1 1"
    check_is "$version: the actions (count, third, Lock Computer in each list)" "$want" action_lists
    auto command DuskwellOptions '*' 40001 >/dev/null
    check "$version: dwl.exe exits" dwl_wait_exit 10
done

e2e_finish
