#!/usr/bin/env bash
# The kinds of logbook entry and the repeat question with the keyboard, read over AT-SPI: on
# the sample file's Breakfast (190 and 75 g, total 10.5) Record Dose records a reading only
# (Kind after Taken, Taken disabled), then a long-acting dose of 14 (Taken starts empty), then
# a rapid dose; the main window reads the active insulin; a second rapid dose shows "You
# recorded 10.5 units at ..." and OK asks "Record another dose?", where Enter (No, the default)
# records nothing. The logbook goes to a scratch data folder (XDG_DATA_HOME, set by session.sh).
#
#   tools/desktop_check/scenario_kinds.sh PROGRAM [SETTINGS] [OUT]
#
# Exit status 0 when every step was seen; a missed step is reported as MISSED and the later
# steps are still tried.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario kinds "$@"

# Opens Record Dose, moves from Taken to Kind with Tab and picks CHOICE with DOWNS arrow
# presses. The box reads as its choice, as a screen reader says it, labelled by "Kind".
open_record_dose_kind() {
    dc_key ctrl+r
    dc_wait --role dialog --name "Record Dose" --state showing
    dc_wait --role text --name Taken --state focused
    dc_key Tab
    dc_wait --role combo-box --name "Rapid-acting dose" --state focused
    dc_atspi find --role combo-box --state focused | grep -q 'labelled-by="Kind' ||
        missed "the Kind box is not labelled by its caption"
    local i
    for ((i = 0; i < $1; i++)); do dc_key Down; done
    dc_wait --role combo-box --name "$2" --state focused
}

# The entries' kinds in the logbook, oldest first, one word a line.
stored_kinds() {
    local log
    log=$(find "$DC_SCRATCH/data" -name Norvalis-log.sqlite -type f)
    [[ -n $log ]] || return 0
    "$DC_PYTHON" -c 'import sqlite3, sys
for (kind,) in sqlite3.connect(sys.argv[1]).execute("SELECT kind FROM entries ORDER BY id"):
    print(kind)' "$log"
}

expect_kinds() {
    local got
    got=$(stored_kinds | paste -sd' ')
    [[ $got == "$1" ]] || missed "the logbook holds '$got', not '$1'"
    dc_log "stored kinds: $got"
}

step "Breakfast, 190 and 75 g: total 10.5"
enter_reading_and_carbs 190 75 10.5

step "Reading only: Kind after Taken, Taken disabled, Enter records it"
open_record_dose_kind 2 "Reading only"
dc_tree 1-reading-only
dc_shot 1-reading-only
if dc_atspi find --role text --name Taken --state enabled >/dev/null; then
    missed "Taken is still enabled for a reading only"
fi
dc_key Return
dc_closed "after recording the reading" --role dialog --name "Record Dose"
expect_kinds "reading"

step "Long-acting dose: Taken starts empty, 14 typed, Enter records it"
dc_wait --role frame --name Norvalis --state active
open_record_dose_kind 1 "Long-acting dose"
dc_wait --role text --name Taken --text "" --state enabled
dc_key shift+Tab
dc_wait --role text --name Taken --state focused
dc_type 14
dc_wait --role text --name Taken --text 14
dc_shot 2-long-acting
dc_key Return
dc_closed "after recording the long-acting dose" --role dialog --name "Record Dose"
expect_kinds "reading long"

step "Rapid dose: no question, and the main window reads the active insulin"
dc_wait --role frame --name Norvalis --state active
dc_key ctrl+r
dc_wait --role dialog --name "Record Dose" --state showing
dc_wait --role text --name Taken --text 10.5 --state focused
dc_key Return
dc_closed "after recording the rapid dose" --role dialog --name "Record Dose"
expect_kinds "reading long rapid"
dc_wait --role frame --name Norvalis --state active
# Within the ten minutes before insulin starts to act, all of it is still to act.
if active=$(dc_atspi wait --timeout 5 --role label --state showing \
    --name "Active insulin: 10.5 units"); then
    dc_log "active insulin line: $active"
else
    missed "no label reads 'Active insulin: 10.5 units'; the tree has:" \
        "$(dc_atspi find --role label --name-prefix "Active" || true)"
fi
dc_tree 3-active-insulin
dc_shot 3-active-insulin

step "A second rapid dose: the dialog names the first, OK asks, Enter (No) records nothing"
dc_key ctrl+r
dc_wait --role dialog --name "Record Dose" --state showing
dc_atspi wait --timeout 3 --role label --state showing \
    --name-prefix "You recorded 10.5 units at " >/dev/null ||
    missed "Record Dose does not read 'You recorded 10.5 units at ...'"
dc_key Return
dc_wait --role alert --name Norvalis --state showing
dc_tree 4-repeat-question
dc_shot 4-repeat-question
dc_atspi find --role label --state showing --name-prefix "You recorded 10.5 units at" |
    grep -q 'Record another dose?"' ||
    missed "no question reads 'Record another dose?'; the tree has:" \
        "$(dc_atspi find --state showing --name-prefix "You recorded" || true)"
dc_key Return
dc_wait --role dialog --name "Record Dose" --state showing
expect_kinds "reading long rapid"

step "Escape closes Record Dose, and then the program"
dc_key Escape
dc_closed "after Escape" --role dialog --name "Record Dose"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_fail_on_misses
dc_log "done: every step seen; dumps in $DC_OUT"
