#!/usr/bin/env bash
# Application scenarios, read from the scenario file: a program in a folder
# with blanks starts at its minute by its quoted path, with its parameter; a
# close scenario closes the running notepads politely, terminates one that
# hangs, leaves one that asks about its unsaved work running with its
# question, and leaves a program whose name merely ends the same way alone;
# the options window takes commands meanwhile.
set -euo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/lib.sh"
e2e_init
export LC_ALL=de_DE.UTF-8  # 24-hour times

drive_c=$WINEPREFIX/drive_c
mkdir -p "$drive_c/Program Files/Some App" "$drive_c/stub" "$drive_c/editor"
cp "$drive_c/windows/notepad.exe" "$drive_c/Program Files/Some App/note pad.exe"
cp "$drive_c/windows/notepad.exe" "$drive_c/stub/xnotepad.exe"
cp "$DWL_BIN/closetarget.exe" "$drive_c/stub/notepad.exe"   # a notepad that never answers WM_CLOSE
cp "$DWL_BIN/closetarget.exe" "$drive_c/Program.exe"        # what an unquoted path would start
cp "$DWL_BIN/closetarget.exe" "$drive_c/editor/notepad.exe" # a notepad that asks whether to save

# Small notepads in a corner, clear of the options window.
for v in X:0 Y:0 DX:200 DY:100; do reg_add 'HKCU\Software\Microsoft\Notepad' "iWindowPos${v%:*}" "${v#*:}" REG_DWORD; done
# start <windows path> [argument]: a program of the test, ended with the test.
start() { wine "$@" >/dev/null 2>&1 & DWL_PIDS+=($!); }
start 'C:\windows\notepad.exe'; polite1=${DWL_PIDS[-1]}
start 'C:\windows\notepad.exe'; polite2=${DWL_PIDS[-1]}
start 'C:\stub\notepad.exe' hang; deaf=${DWL_PIDS[-1]}
start 'C:\stub\xnotepad.exe'; other=${DWL_PIDS[-1]}
start 'C:\editor\notepad.exe'; editor=${DWL_PIDS[-1]}
running() { ps -eo args= | grep -F "$1" | grep -vq grep; }
all_notepads() { [[ $(xwininfo -root -tree | grep -c -i -e notepad -e stubborn -e unsaved) -ge 5 ]]; }

E2E_WAIT=30 check "the five test programs run" all_notepads
wait_early_in_minute 25
due=$(date -d '+1 min' '+%-H:%M')
scenarios "Run Application note pad; Onetime; $due" "Close Application notepad; Onetime; $due" | sed '$d' \
    >"$DWL_APPDIR/dwl.scn"
printf 'application\tC:\\\\Program Files\\\\Some App\\\\note pad.exe\tnote pad\tC:\\\\stub\\\\run.txt\r\nend\t3\r\n' \
    >>"$DWL_APPDIR/dwl.scn"
relay_trace kernel32.CreateProcessA kernelbase.CreateProcessA user32.SendMessageTimeoutA kernel32.TerminateProcess kernelbase.TerminateProcess
dwl_start
check "dwl.exe starts" dwl_wait_ready
E2E_WAIT=90 check "at $due the program starts" running 'note pad.exe'
E2E_WAIT=30 check "by its quoted path, with the parameter" relay_grep -qF '"\"C:\\Program Files\\Some App\\note pad.exe\" C:\\stub\\run.txt",'
Q=('#32770' unsaved)
E2E_WAIT=30 check "the editor asks about its unsaved work" auto find "${Q[@]}"
check "while the close waits, the tray's Settings command is posted" auto command "${M[@]}" 40002
E2E_WAIT=4 check_is "and shows the options at once" 1 auto visible "${W[@]}"
E2E_WAIT=30 check "the notepads are closed" eval '! dwl_running $polite1 && ! dwl_running $polite2'
E2E_WAIT=30 check "the one that hangs is terminated" eval '! dwl_running $deaf'
check_is "it alone" 1 eval 'relay_grep -c "Call .*TerminateProcess("'
check "the editor runs on" dwl_running "$editor"
check "with its question" auto find "${Q[@]}" 0
check "xnotepad.exe runs on" dwl_running "$other"
check "C:\\Program.exe never ran" not running 'Program.exe'
check "the used record has left the file" not grep -q '^application' "$DWL_APPDIR/dwl.scn"

e2e_finish
