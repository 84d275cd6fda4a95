# shellcheck shell=bash disable=SC2034  # DWL_* variables are read by the tests
# Harness for the end-to-end tests: runs the real dwl.exe under Wine on a
# private Xvfb display and a throw-away Wine prefix.
#
# Usage in tests/e2e/test_*.sh:
#   source "$(dirname "$0")/lib.sh"
#   e2e_init
#   dwl_start; dwl_wait_ready
#   check_is "options window is hidden" 0 auto visible DuskwellOptions '*'
#   e2e_finish
#
# Checks poll: a check passes as soon as its condition holds and fails only
# when it still does not after E2E_WAIT seconds (default 10). A check that
# something did not happen (`check ... not <command>`) holds at once.
#
# Environment: DWL_BIN  folder holding dwl.exe and dwlauto.exe (default build/win64)
#              DWL_WORK scratch folder of this test (made fresh by e2e_init)
#              DWL_KEEP_PREFIX=1 keeps the Wine prefix after the test.

E2E_FAILS=0
E2E_PASSES=0
E2E_XVFB_PID=
E2E_RELAY=0
DWL_PID=
DWL_PIDS=()

e2e_log() { printf '[e2e] %s\n' "$*" >&2; }
e2e_die() { printf '[e2e] error: %s\n' "$*" >&2; e2e_diagnose; exit 1; }

# ---- setup and teardown ---------------------------------------------------

e2e_init() {
    DWL_BIN=${DWL_BIN:-$(dirname "${BASH_SOURCE[0]}")/../../build/win64}
    DWL_BIN=$(cd "$DWL_BIN" 2>/dev/null && pwd) || e2e_die "DWL_BIN folder not found"
    [[ -f $DWL_BIN/dwl.exe && -f $DWL_BIN/dwlauto.exe ]] || e2e_die "no dwl.exe and dwlauto.exe in $DWL_BIN"
    DWL_WORK=$(realpath -m "${DWL_WORK:-${TMPDIR:-/tmp}/dwl-e2e/$(basename "$0" .sh)}")
    [[ $DWL_WORK != / && $DWL_WORK != "$HOME" ]] || e2e_die "refusing DWL_WORK=$DWL_WORK"
    export DWL_BIN DWL_WORK

    # Leftovers of an earlier run that was killed before its cleanup.
    [[ ! -d $DWL_WORK/prefix ]] || WINEPREFIX=$DWL_WORK/prefix wineserver -k >/dev/null 2>&1 || true
    local old
    old=$(cat "$DWL_WORK/xvfb.pid" 2>/dev/null) || true
    [[ -z $old || $(cat "/proc/$old/comm" 2>/dev/null) != Xvfb ]] || kill "$old" 2>/dev/null || true
    rm -rf "$DWL_WORK"
    mkdir -p "$DWL_WORK"
    # With 32-bit Wine installed, `wine` is its 32-bit loader, which runs
    # Wine's own programs (reg, taskkill) as 32-bit ones: another registry
    # view, and no sight of 64-bit processes. The 64-bit loader runs them as
    # 64-bit programs and hands a 32-bit program to the other loader.
    if [[ -x /usr/lib/wine/wine64 ]]; then
        mkdir -p "$DWL_WORK/bin"
        printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$DWL_WORK/bin/wine"
        chmod 755 "$DWL_WORK/bin/wine"
        export PATH=$DWL_WORK/bin:$PATH
    fi

    trap e2e_cleanup EXIT
    trap 'exit 130' INT
    trap 'exit 143' TERM

    export WINEDEBUG=-all
    export WINEDLLOVERRIDES="mscoree,mshtml="
    unset WINEARCH WINESERVER WINELOADER
    e2e_start_xvfb
    e2e_make_prefix

    export DWL_APPDIR=$WINEPREFIX/drive_c/Duskwell
    mkdir -p "$DWL_APPDIR"
    cp "$DWL_BIN/dwl.exe" "$DWL_APPDIR/dwl.exe"
    # Portable use: the scenario file is $DWL_APPDIR/dwl.scn. Without this
    # file it is in the user's folder.
    : >"$DWL_APPDIR/dwl.portable"
    # Keep one wineserver for the whole test so that each helper run does not
    # start the prefix's services again.
    wineserver -p
    # A crash ends the process with a backtrace in its log instead of leaving
    # a crash dialog up until the test times out.
    reg_add 'HKCU\Software\Wine\WineDbg' ShowCrashDialog 0 REG_DWORD
}

# Xvfb picks a free display itself and writes its number once it accepts clients.
e2e_start_xvfb() {
    local i
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$DWL_WORK/display" >"$DWL_WORK/xvfb.log" 2>&1 &
    E2E_XVFB_PID=$!
    echo "$E2E_XVFB_PID" >"$DWL_WORK/xvfb.pid"
    for ((i = 0; i < 100; i++)); do [[ -s $DWL_WORK/display ]] && break || sleep 0.1; done
    [[ -s $DWL_WORK/display ]] || e2e_die "could not start Xvfb (see $DWL_WORK/xvfb.log)"
    export DISPLAY=:$(head -n 1 "$DWL_WORK/display")
}

# The first test makes a template prefix beside the test folders; each test
# copies it, which is much faster than wineboot.
e2e_make_prefix() {
    local template
    template=$(dirname "$DWL_WORK")/wine-template
    (
        flock -w 300 9 || e2e_die "timed out waiting for the Wine template lock"
        if [[ ! -f $template/.ready ]]; then
            e2e_log "creating Wine template prefix $template"
            rm -rf "$template"
            WINEPREFIX=$template wineboot -i >"$DWL_WORK/wineboot.log" 2>&1 ||
                e2e_die "wineboot failed (see $DWL_WORK/wineboot.log)"
            WINEPREFIX=$template wineserver -w
            touch "$template/.ready"
        fi
    ) 9>"$template.lock" || e2e_die "no Wine template prefix"
    cp -a "$template" "$DWL_WORK/prefix" || e2e_die "cannot copy the Wine template prefix"
    export WINEPREFIX=$DWL_WORK/prefix
}

e2e_cleanup() {
    local rc=$? pid
    set +e
    if [[ -n ${WINEPREFIX:-} && -d ${WINEPREFIX:-} ]]; then
        wineserver -k >/dev/null 2>&1
        timeout 10 wineserver -w >/dev/null 2>&1
    fi
    for pid in "${DWL_PIDS[@]}"; do wait "$pid" 2>/dev/null; done
    if [[ -n $E2E_XVFB_PID ]]; then
        kill "$E2E_XVFB_PID" 2>/dev/null
        wait "$E2E_XVFB_PID" 2>/dev/null
    fi
    if [[ ${DWL_KEEP_PREFIX:-0} != 1 && -n ${WINEPREFIX:-} && $WINEPREFIX == "$DWL_WORK"/prefix ]]; then
        rm -rf "$WINEPREFIX"
    fi
    exit "$rc"
}

# ---- Wine settings --------------------------------------------------------

# reg_add <key> <value> <data> [type]: on a busy machine the first start of
# a program in a new prefix can fail while the prefix's services come up; it
# is tried again then.
reg_add() {
    local try
    for try in 1 2 3 4 5; do
        wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f >/dev/null 2>&1 && return 0
        sleep "$try"
    done
    e2e_die "reg add $1 $2 failed"
}

# relay_trace <dll.Function...>: the following dwl_start runs trace these calls
# into $DWL_WORK/relay.log (read it with relay_grep). E2E_RELAY=0 ends it.
relay_trace() {
    local IFS=';'
    reg_add 'HKCU\Software\Wine\Debug' RelayInclude "$*"
    E2E_RELAY=1
    : >"$DWL_WORK/relay.log"
}

# relay_grep <grep args...>: searches the relay trace.
relay_grep() { grep -a "$@" "$DWL_WORK/relay.log"; }

# ---- dwl.exe --------------------------------------------------------------

# dwl_start [args]: starts dwl.exe (DWL_EXE, default C:\Duskwell\dwl.exe) from
# DWL_APPDIR; output goes to dwl.log (relay.log while a relay trace is on).
# DWL_PID is the process that runs it (a subshell, so that `wine` may be a
# function of the test).
# shellcheck disable=SC2120  # arguments are optional
dwl_start() {
    local log=dwl debug=-all
    [[ $E2E_RELAY == 0 ]] || log=relay debug=+relay
    # Started without a command and with the tray icon on, it shows the splash.
    DWL_SPLASH_DUE=0
    (($# > 0)) || [[ $(reg_value 'HKCU\SOFTWARE\Orbelle\DWL\Options' SysTray) == 0 ]] || DWL_SPLASH_DUE=1
    (cd "$DWL_APPDIR" && WINEDEBUG=$debug wine "${DWL_EXE:-C:\Duskwell\dwl.exe}" "$@") >>"$DWL_WORK/$log.log" 2>&1 &
    DWL_PID=$!
    DWL_PIDS+=("$DWL_PID")
}

# dwl_running [pid]: true while the process lives (and is no zombie).
dwl_running() {
    local state
    state=$(awk '{print $3}' "/proc/${1:-$DWL_PID}/stat" 2>/dev/null) && [[ $state != [ZX] ]]
}

# dwl_wait_ready [timeout_s]: waits until start-up is over: the splash that
# dwl_start expects has come (it is closed with its OK), the program waits for
# input in its message loop and its options window is hidden. (The window is
# hidden also before it is shown to add the tray icon, and Wine counts a
# process as waiting for input from its first wait on: these alone do not
# tell the start-up's end.) DWL_SPLASH_DUE=0 for a splash the test closed.
dwl_wait_ready() {
    local deadline=$((SECONDS + ${1:-30})) splash=0
    while dwl_running && ((SECONDS < deadline)); do
        # The start-up is over once the splash due has come and gone: before
        # it, the program is already idle while it makes its windows.
        if [[ $(auto visible DuskwellSplash '*' 2>/dev/null) == 1 ]]; then
            splash=1
            [[ ${E2E_KEEP_SPLASH:-0} == 1 ]] && return 0
            auto click DuskwellSplash '*' 1 >/dev/null 2>&1 || true
        elif ((splash || !DWL_SPLASH_DUE)); then
            auto idle "${M[@]}" 2000 >/dev/null 2>&1 &&
                [[ $(auto visible DuskwellOptions '*' 2>/dev/null) == 0 ]] && return 0
        fi
        sleep 0.2
    done
    e2e_log "dwl.exe ended or was not ready within ${1:-30}s"
    return 1
}

# dwl_wait_exit [timeout_s] [pid]: waits for the process to end (and reaps
# it). Returns 1 on timeout.
dwl_wait_exit() {
    local pid=${2:-$DWL_PID} deadline=$((SECONDS + ${1:-10}))
    while dwl_running "$pid"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.2
    done
    wait "$pid" 2>/dev/null || true
}

# ---- driving windows ------------------------------------------------------

# auto <dwlauto args>: runs the window driver; CRs stripped, exit code kept.
auto() {
    local -
    set +e +o pipefail
    WINEDEBUG=-all wine "$DWL_BIN/dwlauto.exe" "$@" | tr -d '\r'
    return "${PIPESTATUS[0]}"
}

# ---- checks ---------------------------------------------------------------

# check <description> <command...>: passes once the command succeeds. The
# command runs in the test's shell (so variables it sets stick); its
# output is shown only when the check fails.
check() {
    local desc=$1 rc deadline=$((SECONDS + ${E2E_WAIT:-10}))
    shift
    until rc=0 && "$@" >"$DWL_WORK/check.out" 2>&1 || rc=$?; ((rc == 0 || SECONDS >= deadline)); do
        sleep 0.2
    done
    if ((rc == 0)); then
        E2E_PASSES=$((E2E_PASSES + 1))
        printf 'ok   - %s\n' "$desc"
    else
        E2E_FAILS=$((E2E_FAILS + 1))
        printf 'FAIL - %s\n       exit %d: %s\n' "$desc" "$rc" "$*"
        sed 's/^/       /' "$DWL_WORK/check.out"
    fi
}

# check_is <description> <expected> <command...>: passes once the command
# prints exactly the expected text.
check_is() {
    local desc=$1 want=$2
    shift 2
    e2e_prints() { local got; got=$("$@"); [[ $got == "$want" ]] || { echo "got: $got"; return 1; }; }
    check "$desc" e2e_prints "$@"
}

# not <command...>: for checks that something did not happen.
not() { ! "$@"; }

# e2e_diagnose: a screenshot and the window list into DWL_WORK.
e2e_diagnose() {
    [[ -n ${DISPLAY:-} && -d ${DWL_WORK:-} ]] || return 0
    import -display "$DISPLAY" -window root "$DWL_WORK/failure.png" 2>/dev/null || true
    xwininfo -display "$DISPLAY" -root -tree >"$DWL_WORK/windows.txt" 2>&1 || true
    e2e_log "diagnostics in $DWL_WORK (failure.png, windows.txt, dwl.log, relay.log)"
}

# e2e_finish: prints the tally; on failures saves a screenshot and the window
# list into DWL_WORK and exits 1.
e2e_finish() {
    ((E2E_FAILS == 0)) || e2e_diagnose
    printf '%d passed, %d failed\n' "$E2E_PASSES" "$E2E_FAILS"
    exit $((E2E_FAILS > 0))
}

# ---- shared by the scripts ------------------------------------------------

W=(DuskwellOptions '*')
# The hidden message window: the tray icon's messages and its menu's commands go to it.
M=(DuskwellMessages '*')

# wait_early_in_minute [last second]: waits while the minute is past that
# second (default 35) or is one of an hour's last two, so that "the next
# minutes" are still ahead, in the same hour, once a started program runs.
wait_early_in_minute() { while [[ $(date +%M) == 5[89] ]] || ((10#$(date +%S) > ${1:-35})); do sleep 1; done; }

# scenarios <entry...>: a scenario file of these entries, on stdout.
scenarios() { printf 'Duskwell scenarios 1\r\n'; printf 'scenario\t%s\r\n' "$@"; printf 'end\t%d\r\n' $#; }

# reg_value <key> <value> [32|64]: a value's data in the registry's view of that width.
reg_value() {
    wine reg query "$1" /v "$2" "/reg:${3:-64}" 2>/dev/null | tr -d '\r' | sed -n "s/^ *$2    REG_[A-Z_]*    //p"
}

# show_options: the hotkey shows the options window.
show_options() {
    check "Ctrl+Shift+Alt+P is pressed" auto keys ctrl+shift+alt+p
    check_is "it shows the options" 1 auto visible "${W[@]}"
}

# dwl_says <exit code> <arguments...>: a second dwl.exe ends with that code; prints what it wrote.
dwl_says() {
    local want=$1 said=0
    shift
    (cd "$DWL_APPDIR" && WINEDEBUG=-all wine "${DWL_EXE:-C:\Duskwell\dwl.exe}" "$@") >"$DWL_WORK/said.txt" 2>/dev/null ||
        said=$?
    tr -d '\r' <"$DWL_WORK/said.txt"
    ((said == want))
}

# dwl_exit: Exit from the tray menu ends the program.
dwl_exit() {
    E2E_WAIT=30 check "Exit is chosen" auto command "${M[@]}" 40001
    E2E_WAIT=30 check "Exit ends it" dwl_wait_exit 30
}

# dwl_restart [args]: Exit, then a new start until it is ready.
dwl_restart() {
    dwl_exit
    dwl_running && e2e_die "dwl.exe did not end"
    dwl_start "$@"
    check "dwl.exe starts again" dwl_wait_ready
}

# window_shot <name> <class>: a top-level window as <name>.png in DWL_WORK,
# and in docs/ with DWL_UPDATE_DOCS=1.
window_shot() {
    local x y w h
    read -r x y w h <<<"$(auto rect "$2" '*' 0)"
    import -display "$DISPLAY" -window root -crop "${w}x${h}+${x}+${y}" +repage "$DWL_WORK/$1.png"
    if [[ ${DWL_UPDATE_DOCS:-0} == 1 ]]; then cp "$DWL_WORK/$1.png" "$(dirname "${BASH_SOURCE[0]}")/../../docs/$1.png"; fi
}
