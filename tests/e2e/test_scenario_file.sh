#!/usr/bin/env bash
# The scenario file: restored at start, written back at exit, and a damaged
# file is neither fatal nor destroyed.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn

exit_dwl() {
    auto command DuskwellOptions '*' 40001 >/dev/null
    dwl_wait_exit 10
}

# A file with awkward texts: "; " inside an application name, a byte above 127.
printf 'Duskwell scenarios 1\r\nscenario\tShutdown Windows; Onetime; 23:15\r\nscenario\tRun Application my; t\xe9st; Weekly (Mon, Fri); 6:05\r\napplication\tC:\\\\Tools\\\\my; t\xe9st.exe\tmy; t\xe9st\t-q\r\nend\t3\r\n' >"$scn"
cp "$scn" "$DWL_WORK/original.scn"

dwl_start
check "dwl.exe starts with the file" dwl_wait_ready
active=$(printf 'Shutdown Windows; Onetime; 23:15\nRun Application my; t\xe9st; Weekly (Mon, Fri); 6:05')
check_is "the active list holds the two scenarios" "$active" auto items DuskwellOptions '*' 1001
check "Exit ends it" exit_dwl
check "the file written at exit equals the one read at start" cmp "$DWL_WORK/original.scn" "$scn"

# A second run restores what the first one wrote.
dwl_start
check "a second run starts" dwl_wait_ready
check_is "and shows the same list" "$active" auto items DuskwellOptions '*' 1001
check "and ends" exit_dwl
check "the file is still the same" cmp "$DWL_WORK/original.scn" "$scn"

# Damaged files: garbage, and a file cut off in its last line.
head -c 4000 /dev/urandom >"$DWL_WORK/garbage.scn"
head -c 90 "$DWL_WORK/original.scn" >"$DWL_WORK/truncated.scn"
for kind in garbage truncated; do
    rm -f "$DWL_APPDIR"/dwl.scn*
    cp "$DWL_WORK/$kind.scn" "$scn"
    dwl_start
    text=$(auto dialog-text 20000)
    check "$kind: the user is told" grep -q 'could not be read' <<<"$text"
    check "$kind: the message is dismissed" auto dialog-press OK 5000
    check "$kind: dwl.exe runs on" dwl_wait_ready
    check_is "$kind: with no scenarios" "" auto items DuskwellOptions '*' 1001
    check "$kind: the damaged file is kept unchanged" cmp "$DWL_WORK/$kind.scn" "$scn.bad"
    check "$kind: Exit ends it" exit_dwl
    check "$kind: the kept file is not overwritten" cmp "$DWL_WORK/$kind.scn" "$scn.bad"
    check_eq "$kind: a fresh file holds the empty list" $'Duskwell scenarios 1\r\nend\t0\r' "$(cat "$scn")"
done

e2e_finish
