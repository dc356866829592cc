#!/usr/bin/env bash
# The dose logbook with the keyboard: type 190 and 75 g on the sample file (total 10.5),
# Ctrl+R and Enter record it with a note, the main window then reads the last recorded dose,
# and Ctrl+L opens "Norvalis Log" whose table holds the entry. The logbook goes to a scratch
# data folder (XDG_DATA_HOME, set by session.sh), never to the user's own.
#
#   tools/desktop_check/scenario_logbook.sh PROGRAM [SETTINGS] [OUT]
#
# SETTINGS defaults to resources/Norvalis.sample.ini (the total below is its Breakfast's).
# Exit status 0 when every step was seen; a step missed is reported as MISSED and the later
# steps are still tried, so one run shows all that is wrong.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario logbook "$@"

note="before breakfast, 2 slices"

step "Breakfast, 190 and 75 g: total 10.5"
enter_reading_and_carbs 190 75 10.5

step "Ctrl+R opens Record Dose with Taken prefilled with the total"
dc_key ctrl+r
dc_wait --role dialog --name "Record Dose" --state showing
dc_wait --role text --name Taken --text 10.5 --state showing
dc_tree 1-record-dose
dc_shot 1-record-dose
dc_key_until Tab --role text --name Note
dc_type "$note"
dc_wait --role text --name Note --text "$note" --state focused

step "Enter records the dose and closes the dialog"
dc_key Return
dc_closed "after Enter" --role dialog --name "Record Dose"
log=$(find "$DC_SCRATCH/data" -name Norvalis-log.sqlite -type f)
[[ -n $log ]] || dc_fail "no logbook under the scratch data folder"
[[ $(stat -c %a "$log") == 600 ]] || missed "the logbook $log is not private (0600)"
dc_log "logbook: ${log#"$DC_SCRATCH"/}, mode $(stat -c %a "$log")"
dc_expect_ini "$DC_SETTINGS" "the settings file after recording"

step "the main window reads the last recorded dose"
dc_wait --role frame --name Norvalis --state active
dc_wait --role label --name "Total, 10.5" --state showing
dc_tree 2-after-record
dc_shot 2-after-record
# A screen reader gets a label's name only (labels have no text interface here), so the name
# must carry the line's content, as the dose figures' names do.
if last=$(dc_atspi wait --timeout 3 --role label --state showing \
    --name-prefix "Last recorded: 10.5 units at "); then
    dc_log "last dose line: $last"
else
    missed "the line under Corrections does not read 'Last recorded: 10.5 units at ...'; the" \
        "tree has: $(dc_atspi find --role label --name-prefix "Last recorded" || true)"
fi

step "Ctrl+L opens Norvalis Log with the entry in its table"
dc_key ctrl+l
dc_wait --name "Norvalis Log" --state showing
dc_tree 3-log-window
dc_shot 3-log-window
dc_wait --role table --state showing
dc_atspi wait --timeout 3 --role table-cell --text "$note" >/dev/null ||
    dc_atspi wait --timeout 3 --role table-cell --name "$note" >/dev/null ||
    missed "no table cell reads the note '$note'"
dc_atspi wait --timeout 3 --role table-cell --text 10.5 >/dev/null ||
    dc_atspi wait --timeout 3 --role table-cell --name 10.5 >/dev/null ||
    missed "no table cell reads the dose 10.5"

dc_atspi wait --timeout 3 --role label --state showing --name-prefix "1 entr" >/dev/null ||
    missed "the entry count ('1 entry' on screen) is not in the tree; it has:" \
        "$(dc_atspi find --role label --state showing || true)"

step "Escape closes the log window, and then the program"
dc_key Escape
dc_closed "after Escape" --name "Norvalis Log"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_fail_on_misses
dc_log "done: every step seen; dumps in $DC_OUT"
