# shellcheck shell=bash
# Desktop session for checking Norvalis as a person and a screen reader meet it: a virtual X
# server (Xvfb) with openbox, the AT-SPI accessibility bus, and the program started from a
# scratch folder that holds a copy of it beside a copy of a settings file.
#
# Source it from a scenario script (see scenario_basic.sh), then:
#   dc_enter_bus "$0" "$@"          # first line: re-runs the script inside dbus-run-session
#   dc_start PROGRAM SETTINGS OUT   # X, window manager, AT-SPI, the program; OUT gets the dumps
#   dc_type TEXT | dc_key KEY...    # keyboard input to the focused window (xdotool names)
#   dc_wait SELECTORS...            # poll the accessibility tree (atspi_tree.py wait)
#   dc_tree NAME | dc_shot NAME     # OUT/NAME.txt (tree, and NAME.problems.txt); NAME.png
# Everything it started is stopped when the script exits, also on failure or Ctrl+C.
# Needs: xvfb openbox xdotool imagemagick x11-utils dbus-daemon dbus-bin at-spi2-core
# python3-pyatspi (Debian 12 package names).

DC_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
DC_PYTHON=${DC_PYTHON:-/usr/bin/python3} # the system one: pyatspi comes as a Debian package
DC_TIMEOUT=${DC_TIMEOUT:-15}             # seconds any one wait may take
DC_ATSPI_LAUNCHER=${DC_ATSPI_LAUNCHER:-/usr/libexec/at-spi-bus-launcher} # from at-spi2-core
DC_PIDS=()                               # started here, stopped in reverse order on exit

dc_log() { printf '[desktop-check] %s\n' "$*" >&2; }
dc_fail() {
    dc_log "FAILED: $*"
    exit 1
}

# A private session bus for the program and the AT-SPI tools; it goes away with the script.
dc_enter_bus() {
    if [[ -z ${DC_IN_BUS:-} ]]; then
        DC_IN_BUS=1 exec dbus-run-session -- bash "$@"
    fi
}

# Polls a shell condition every 0.1 s until it holds or DC_TIMEOUT passes.
dc_until() {
    local what=$1 deadline=$((SECONDS + DC_TIMEOUT))
    shift
    until "$@" >/dev/null 2>&1; do
        ((SECONDS < deadline)) || dc_fail "timed out waiting for $what"
        sleep 0.1
    done
}

# Whether a process still runs; one that has ended but not been waited for does not.
dc_running() {
    local state
    state=$(ps -o stat= -p "$1") && [[ $state != Z* ]]
}

# Runs on exit: stops what dc_start started, newest first, and removes the scratch folder.
# Errors are ignored here, so that one process that is already gone cannot leave the rest.
dc_stop() {
    local status=$? i pid
    trap - EXIT INT TERM
    set +e
    for ((i = ${#DC_PIDS[@]} - 1; i >= 0; i--)); do
        pid=${DC_PIDS[i]}
        if ! dc_running "$pid"; then
            wait "$pid" 2>/dev/null
            continue
        fi
        kill -TERM "$pid" 2>/dev/null
        # A process that ignores the request for 3 s is killed.
        for _ in {1..30}; do
            dc_running "$pid" || break
            sleep 0.1
        done
        kill -KILL "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    if [[ -n ${DC_SCRATCH:-} ]]; then rm -rf "$DC_SCRATCH"; fi
    exit "$status"
}

# Ends the scenario with its usage line unless at least MIN arguments were given:
#   dc_need_args MIN "PROGRAM [OUT]" "$@"
dc_need_args() {
    local min=$1 usage=$2
    shift 2
    (($# >= min)) || {
        echo "usage: $0 $usage" >&2
        exit 2
    }
}

# The common start: PROGRAM [SETTINGS] [OUT], SETTINGS the sample file and OUT a folder NAME
# beside the program when not given.
dc_start_scenario() {
    local name=$1
    shift
    dc_need_args 1 "PROGRAM [SETTINGS] [OUT]" "$@"
    dc_start "$1" "${2:-$DC_HERE/../../resources/Norvalis.sample.ini}" \
        "${3:-$(dirname "$1")/desktop-check/$name}"
}

dc_start() {
    local program=$1 settings=$2
    DC_OUT=$3
    [[ -x $program ]] || dc_fail "no program at $program"
    [[ -f $settings ]] || dc_fail "no settings file at $settings"
    [[ -n ${DBUS_SESSION_BUS_ADDRESS:-} && -n ${DC_IN_BUS:-} ]] || dc_fail "call dc_enter_bus first"
    for tool in Xvfb openbox xdotool import xprop dbus-send "$DC_ATSPI_LAUNCHER"; do
        command -v "$tool" >/dev/null || dc_fail "$tool is not installed"
    done
    mkdir -p "$DC_OUT"
    DC_OUT=$(cd "$DC_OUT" && pwd) # the program runs in another folder
    trap dc_stop EXIT
    trap 'exit 130' INT TERM

    DC_SCRATCH=$(mktemp -d "${TMPDIR:-/tmp}/norvalis-desktop.XXXXXX")
    mkdir -p "$DC_SCRATCH/app" "$DC_SCRATCH/config" "$DC_SCRATCH/data" "$DC_SCRATCH/runtime"
    chmod 700 "$DC_SCRATCH/runtime"
    # The program reads Norvalis.ini beside its executable, so both are copied together.
    cp "$program" "$DC_SCRATCH/app/norvalis"
    # What ships beside the program: the logbook plugin and the manual.
    local beside
    for beside in norvalis-log.so Norvalis-manual.html; do
        [[ ! -e "$(dirname "$program")/$beside" ]] ||
            cp "$(dirname "$program")/$beside" "$DC_SCRATCH/app/"
    done
    cp "$settings" "$DC_SCRATCH/app/Norvalis.ini"
    # For the scenario: the file as given, and the copy the program reads and writes.
    export DC_SETTINGS=$settings DC_INI=$DC_SCRATCH/app/Norvalis.ini
    # The window placement and the dose logbook go to scratch stores, never to the user's own.
    export XDG_CONFIG_HOME=$DC_SCRATCH/config XDG_DATA_HOME=$DC_SCRATCH/data
    export XDG_RUNTIME_DIR=$DC_SCRATCH/runtime

    # Xvfb picks a free display itself and writes its number once it accepts clients.
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$DC_SCRATCH/display" \
        >"$DC_OUT/xvfb.log" 2>&1 &
    DC_PIDS+=($!)
    dc_until "the X server" grep -q '[0-9]' "$DC_SCRATCH/display"
    DISPLAY=:$(tr -dc 0-9 <"$DC_SCRATCH/display")
    export DISPLAY
    dc_log "X server on $DISPLAY"

    openbox --sm-disable >"$DC_OUT/openbox.log" 2>&1 &
    DC_PIDS+=($!)
    dc_until "the window manager" dc_wm_running

    "$DC_ATSPI_LAUNCHER" --launch-immediately >"$DC_OUT/at-spi.log" 2>&1 &
    DC_PIDS+=($!)
    dc_until "the accessibility bus" dc_bus_has_owner org.a11y.Bus

    (cd "$DC_SCRATCH/app" && exec env QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 \
        ./norvalis >"$DC_OUT/program.log" 2>&1) &
    DC_APP=$!
    DC_PIDS+=("$DC_APP")
    timeout "$DC_TIMEOUT" xdotool search --sync --onlyvisible --pid "$DC_APP" --name '^Norvalis$' \
        >/dev/null || dc_fail "the main window did not appear (see $DC_OUT/program.log)"
    dc_wait --role frame --name Norvalis --state showing
    dc_log "program running as process $DC_APP from $DC_SCRATCH/app"
}

# openbox marks the root window once it manages windows.
dc_wm_running() {
    xprop -root -notype _NET_SUPPORTING_WM_CHECK | grep -q 'window id'
}

dc_bus_has_owner() {
    dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.NameHasOwner "string:$1" | grep -q 'boolean true'
}

dc_atspi() { "$DC_PYTHON" "$DC_HERE/atspi_tree.py" "$@" --pid "$DC_APP"; }

# What the scenarios share: a step's heading, a dose figure read as "CAPTION, VALUE" (a blank
# one as "CAPTION, blank"), retyping the focused box, and steps that may miss without ending
# the run (dc_fail_on_misses at the end).
step() { dc_log "step: $*"; }
figure() {
    dc_wait --role label --name "$1, $2" --state showing
    dc_log "figure: $1, $2"
}
# Replaces the text of the box that has the focus and waits until the tree reads it back.
retype() {
    dc_key ctrl+a
    if [[ -n $1 ]]; then dc_type "$1"; else dc_key BackSpace; fi
    dc_wait --role text --state focused --text "$1"
}
# Opens a dialog from the Configuation menu with the keyboard, e.g.
#   open_from_configuation Dosages d "Configure Dosages"
open_from_configuation() {
    dc_key alt+c
    dc_wait --role menu-item --name "$1" --state showing
    dc_key "$2"
    dc_wait --role dialog --name "$3" --state showing
}
# Types a reading and an amount of carbohydrate into the main window, from the reading box,
# and waits for the total.
enter_reading_and_carbs() {
    dc_wait --role text --name "Blood Sugar" --state focused
    retype "$1"
    dc_key Tab Tab
    dc_wait --role text --name Carbohydrate --state focused
    retype "$2"
    dc_wait --role label --name "Total, $3" --state showing
}
# Fails unless no node matching SELECTORS shows any more, e.g.
#   dc_closed "after Escape" --role dialog --name "Configure Dosages"
dc_closed() {
    local when=$1
    shift
    dc_atspi gone --timeout "$DC_TIMEOUT" "$@" --state showing ||
        dc_fail "still showing $when: $*"
}
# Escape in the main window ends the program, which must exit with status 0.
dc_escape_ends_program() {
    dc_key Escape
    local status=0
    dc_wait_exit || status=$?
    ((status == 0)) || dc_fail "the program exited with status $status"
}
misses=0
missed() {
    dc_log "MISSED: $*"
    misses=$((misses + 1))
}
dc_fail_on_misses() {
    ((misses == 0)) || dc_fail "$misses step(s) missed, see MISSED above; dumps in $DC_OUT"
}

# Waits until a node matches, e.g. dc_wait --role dialog --name "Configure Dosages".
dc_wait() {
    dc_atspi wait --timeout "$DC_TIMEOUT" "$@" >/dev/null ||
        dc_fail "no accessible node with $*"
}

dc_focus() { dc_atspi focus; }

dc_key() { xdotool key --clearmodifiers "$@"; }

dc_type() { xdotool type --clearmodifiers --delay 30 -- "$1"; }

# OUT/NAME.txt holds the tree, OUT/NAME.problems.txt what a screen reader user would miss.
dc_tree() {
    dc_atspi tree >"$DC_OUT/$1.txt" || dc_fail "could not read the accessibility tree"
    dc_atspi problems >"$DC_OUT/$1.problems.txt" || dc_fail "could not check the tree"
    dc_log "accessibility tree: $DC_OUT/$1.txt ($(grep -vc '^no problems' \
        "$DC_OUT/$1.problems.txt") problems listed in $1.problems.txt)"
}

dc_shot() {
    local window
    window=$(xdotool getactivewindow) || dc_fail "no active window to photograph"
    import -window "$window" "$DC_OUT/$1.png" || dc_fail "screenshot $1 failed"
    dc_log "screenshot: $DC_OUT/$1.png"
}

# Waits for the program to end by itself and returns its exit status.
dc_wait_exit() {
    local deadline=$((SECONDS + DC_TIMEOUT))
    while dc_running "$DC_APP"; do
        ((SECONDS < deadline)) || dc_fail "the program did not exit"
        sleep 0.1
    done
    wait "$DC_APP"
}

# Presses KEY (Tab, shift+Tab...) until the focused node matches SELECTORS, at most 40 times;
# for buttons without a mnemonic, e.g. dc_key_until Tab --role push-button --name Apply.
dc_key_until() {
    local key=$1 i
    shift
    for ((i = 0; i < 40; i++)); do
        dc_atspi find --state focused "$@" >/dev/null 2>&1 && return 0
        dc_key "$key"
        sleep 0.05
    done
    dc_atspi find --state focused "$@" >/dev/null 2>&1 || dc_fail "$key never reached $*"
}

# Fails unless the program's copy of the settings file holds exactly the bytes of file $1.
dc_expect_ini() {
    if ! cmp -s "$1" "$DC_INI"; then
        diff -u "$1" "$DC_INI" >&2 || true
        cmp "$1" "$DC_INI" >&2 || true
        dc_fail "${2:-the settings file} differs from $1"
    fi
}
