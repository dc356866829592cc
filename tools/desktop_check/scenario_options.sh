#!/usr/bin/env bash
# The pen step and the dose ceiling set with the keyboard through Configuation > Options...:
# with 190 and 75 g on the sample file (Breakfast, total 10.5), a pen step of 1 shows
# "Pen dose, 10" (a tie goes down) and a maximum of 8 units shows the warning line; the file
# gains the two settings and keeps every line it had.
#
#   tools/desktop_check/scenario_options.sh PROGRAM [SETTINGS] [OUT]
#
# SETTINGS defaults to resources/Norvalis.sample.ini, which must not set PenStep or MaxDose.
# Exit status 0 when every step was seen; a missed step is reported as MISSED and the later
# steps are still tried.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario options "$@"
! grep -qiE '^(PenStep|MaxDose)=' "$DC_SETTINGS" || dc_fail "$DC_SETTINGS already sets them"


step "Breakfast, 190 and 75 g: total 10.5, no pen dose, no warning"
enter_reading_and_carbs 190 75 10.5
dc_atspi gone --timeout 2 --role label --name-prefix "Pen dose" --state showing ||
    missed "a pen dose line shows without a pen step"

step "Alt+C, O opens the options dialog"
open_from_configuation "Options…" o Options
dc_tree 1-options
dc_shot 1-options

step "pen step 1, maximum 8, Enter: both lines show, the file gains the two settings"
dc_wait --role text --name "Pen step" --state focused
retype 1
dc_key Tab
dc_wait --role text --name "Maximum dose" --state focused
retype 8
dc_key Return
dc_closed "after Enter" --role dialog --name Options
dc_wait --role frame --name Norvalis --state active
# 10.5 lies halfway between 10 and 11; the tie goes down.
dc_atspi wait --timeout "$DC_TIMEOUT" --role label --name "Pen dose, 10" --state showing \
    >/dev/null || missed "no showing figure 'Pen dose, 10'; the tree has:" \
    "$(dc_atspi find --role label --name-prefix "Pen dose" || true)"
# The warning may be read with the total itself (its description) or as a line of its own.
warning="Above your maximum of 8 units — check the numbers"
if dc_atspi find --role label --name "Total, 10.5" --state showing | grep -qF "desc=\"$warning\""; then
    dc_log "the total reads with the description: $warning"
elif ! dc_atspi wait --timeout 3 --role label --state showing --name "$warning" >/dev/null; then
    missed "the warning '$warning' is not in the tree"
fi
dc_tree 2-after-options
dc_shot 2-after-options
# Every line the file had is kept; only lines were added, among them the two settings.
diff "$DC_SETTINGS" "$DC_INI" >"$DC_OUT/options.diff" || true
! grep -q '^<' "$DC_OUT/options.diff" || {
    cat "$DC_OUT/options.diff" >&2
    dc_fail "saving the options changed or lost lines of the file"
}
grep -qx '> PenStep=1' "$DC_OUT/options.diff" || dc_fail "no PenStep=1 line added"
grep -qx '> MaxDose=8' "$DC_OUT/options.diff" || dc_fail "no MaxDose=8 line added"
dc_log "added to the file: $(grep '^>' "$DC_OUT/options.diff" | tr '\n' ' ')"

step "the total rises to 11.5 (75 -> 85 g): pen dose 11 (again a tie down)"
dc_key_until Tab --role text --name Carbohydrate
retype 85
dc_wait --role label --name "Total, 11.5" --state showing
dc_atspi wait --timeout "$DC_TIMEOUT" --role label --name "Pen dose, 11" --state showing \
    >/dev/null || missed "no showing figure 'Pen dose, 11'"

dc_escape_ends_program
dc_fail_on_misses
dc_log "done: every step seen; dumps in $DC_OUT"
