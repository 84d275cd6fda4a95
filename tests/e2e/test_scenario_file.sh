#!/usr/bin/env bash
# The scenario file: restored at start, written back at exit, and a damaged
# file is neither fatal nor destroyed.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
scn=$DWL_APPDIR/dwl.scn

# A file with awkward texts: a blank inside an application name, a byte above 127.
printf 'Duskwell scenarios 1\r\nscenario\tShutdown Windows; Onetime; 23:15\r\nscenario\tRun Application my t\xe9st; Weekly (Mon, Fri); 6:05\r\napplication\tC:\\\\Tools\\\\my t\xe9st.exe\tmy t\xe9st\t-q\r\nend\t3\r\n' >"$scn"
cp "$scn" "$DWL_WORK/original.scn"

dwl_start
check "dwl.exe starts with the file" dwl_wait_ready
active=$(printf 'Shutdown Windows; Onetime; 23:15\nRun Application my t\xe9st; Weekly (Mon, Fri); 6:05')
check_is "the active list holds the two scenarios" "$active" auto items DuskwellOptions '*' 1001
check "Exit is chosen" auto command DuskwellOptions '*' 40001
check "and ends it" dwl_wait_exit 10
check "the file written at exit equals the one read at start" cmp "$DWL_WORK/original.scn" "$scn"

# A damaged file, cut off in its last line.
head -c 90 "$DWL_WORK/original.scn" >"$DWL_WORK/damaged.scn"
cp "$DWL_WORK/damaged.scn" "$scn"
dwl_start
check "damaged: the user is told" eval 'auto dialog-text 20000 | grep -q "could not be read"'
check "damaged: the message is dismissed" auto dialog-press OK 5000
check "damaged: dwl.exe runs on" dwl_wait_ready
check_is "damaged: with no scenarios" "" auto items DuskwellOptions '*' 1001
check "damaged: the file is kept aside unchanged" cmp "$DWL_WORK/damaged.scn" "$scn.bad"

e2e_finish
