#!/usr/bin/env bash
# Start-up against the floor: the time from launch to the first shown main window, and the
# peak memory, of Norvalis and of a bare Qt 6 Widgets window, run alternately on the same
# machine. Prints both medians and the ratios (targets: time <= 1.15, memory <= 1.2).
#
# The floor is the bare window with one line of text. An empty window never sets up fonts, and
# fontconfig's set-up (reading its configuration and caches, opening a face) is most of the gap
# between the two; any window with a caption pays it, so a program that shows text cannot be
# compared fairly with one that does not. The empty window is still measured and its ratios
# printed, for reading where the rest of the time goes.
#
# Usage: benchmarks/measure-startup.sh BUILD_DIR [RUNS]   (default 101 runs each)
# Under a virtual X server: QT_QPA_PLATFORM=xcb DISPLAY=:N benchmarks/measure-startup.sh ...
# Norvalis ends right after its first show when NORVALIS_QUIT_AFTER_SHOW is set.
set -euo pipefail
build=${1:?usage: measure-startup.sh BUILD_DIR [RUNS]}
runs=${2:-101}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake -S "$here/startup" -B "$work/bare" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$work/bare" >/dev/null
bare="$work/bare/bare_window"
norvalis="$build/app/norvalis"
[ -x "$norvalis" ] || { echo "no $norvalis: build the norvalis target first" >&2; exit 1; }

export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen} NORVALIS_QUIT_AFTER_SHOW=1
export XDG_CONFIG_HOME="$work/config" # the window's stored place stays untouched
export XDG_DATA_HOME="$work/data"     # no logbook: a first start, the same on every machine

# One run: "<seconds> <peak KiB>". The time is taken around the program alone, with the
# shell's own clock (no helper process whose start would count for both); the peak memory
# comes from a second run under time(1).
measure() {
    local start end
    start=${EPOCHREALTIME/[.,]/} # microseconds, whatever the locale's decimal sign
    "$@" >/dev/null 2>&1
    end=${EPOCHREALTIME/[.,]/}
    /usr/bin/time -f '%M' -o "$work/peak" "$@" >/dev/null 2>&1
    echo "$(awk -v us=$((end - start)) 'BEGIN { printf "%.4f", us / 1e6 }') $(cat "$work/peak")"
}

: >"$work/bare.txt"
: >"$work/text.txt"
: >"$work/norvalis.txt"
for run in $(seq "$runs"); do
    # The two compared programs run one after the other, first one then the other: a program
    # run right after another that set up fonts finds more of that work in the processor's
    # caches, and alternating the order gives that advantage to each in turn.
    if ((run % 2)); then
        measure "$bare" --text >>"$work/text.txt"
        measure "$norvalis" >>"$work/norvalis.txt"
    else
        measure "$norvalis" >>"$work/norvalis.txt"
        measure "$bare" --text >>"$work/text.txt"
    fi
    measure "$bare" >>"$work/bare.txt"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
bare_time=$(cut -d' ' -f1 "$work/bare.txt" | median)
bare_mem=$(cut -d' ' -f2 "$work/bare.txt" | median)
norvalis_time=$(cut -d' ' -f1 "$work/norvalis.txt" | median)
norvalis_mem=$(cut -d' ' -f2 "$work/norvalis.txt" | median)
text_time=$(cut -d' ' -f1 "$work/text.txt" | median)
text_mem=$(cut -d' ' -f2 "$work/text.txt" | median)
echo "runs each:          $runs ($QT_QPA_PLATFORM, load: $(cut -d' ' -f1-3 /proc/loadavg))"
echo "floor (one line):   ${text_time} s, ${text_mem} KiB peak"
echo "norvalis:           ${norvalis_time} s, ${norvalis_mem} KiB peak"
awk -v a="$norvalis_time" -v b="$text_time" 'BEGIN { printf "time ratio:         %.3f (target <= 1.15)\n", a / b }'
awk -v a="$norvalis_mem" -v b="$text_mem" 'BEGIN { printf "memory ratio:       %.3f (target <= 1.2)\n", a / b }'
# For reading the gap: the empty window, which sets up no fonts.
echo "empty window:       ${bare_time} s, ${bare_mem} KiB peak"
awk -v a="$norvalis_time" -v b="$bare_time" -v c="$norvalis_mem" -v d="$bare_mem" \
    'BEGIN { printf "against it:         time %.3f, memory %.3f\n", a / b, c / d }'
