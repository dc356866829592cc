#!/usr/bin/env bash
# The clinic report with the keyboard: Ctrl+P on a settings file without GlucoseUnits asks
# which units the readings are in, the answer mmol/L is stored in the file, and "Norvalis
# Report" opens on 14 days with its preview, every control named; Escape closes it.
#
#   tools/desktop_check/scenario_report.sh PROGRAM [SETTINGS] [OUT]
#
# Exit status 0 when every step was seen; a step missed is reported as MISSED and the later
# steps are still tried.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario report "$@"

step "Ctrl+P asks for the glucose units once"
dc_key ctrl+p
dc_wait --name "Norvalis Report" --state showing
dc_tree 1-units-question
dc_shot 1-units-question
dc_key_until Tab --role push-button --name mmol/L
dc_key space

step "the answer is stored and the report window opens on 14 days"
dc_wait --name "Norvalis Report" --role dialog --state active
sleep 1 # the preview draws once the window is idle
dc_tree 2-report-window
dc_shot 2-report-window
grep -q '^GlucoseUnits=mmol/L' "$DC_INI" || missed "GlucoseUnits=mmol/L is not in the settings file"
# On Linux Qt names a combo box by its entry and ties it to its label by a relation.
dc_wait --role combo-box --name "Last 14 days" --state showing
dc_wait --role combo-box --name mmol/L --state showing
dc_wait --role text --name "Target low" --text 3.9 --state showing
dc_wait --role text --name "Target high" --text 10 --state showing
for button in "Save the report as a PDF file" "Print the report" Close; do
    dc_atspi wait --timeout 3 --role push-button --name "$button" >/dev/null ||
        missed "no button named '$button'"
done
dc_atspi wait --timeout 3 --name "Report preview" >/dev/null || missed "the preview has no name"

step "Tab reaches the name box; typing there prints it on the report"
dc_key_until Tab --role text --name "Name on the report"
dc_type "A. Person"
sleep 1
dc_shot 3-with-name

step "Escape closes the report window, and then the program"
dc_key Escape
dc_closed "after Escape" --role dialog --name "Norvalis Report"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_fail_on_misses
dc_log "done: every step seen; dumps in $DC_OUT"
