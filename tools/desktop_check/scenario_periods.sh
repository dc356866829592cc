#!/usr/bin/env bash
# The periods dialog with the keyboard: Alt+C, P opens "Configure Periods" showing the sample
# file's names in boxes named "Period 1"..., the focus in the first; renaming Lunch to Midday and Enter (OK) leaves
# P_2=Midday and Lunch's tables under [Midday], every other byte of the file as it was; the
# main window then lists Midday, keeps it selected and computes from its tables. Escape
# afterwards drops an edit without writing.
#
#   tools/desktop_check/scenario_periods.sh PROGRAM [SETTINGS] [OUT]
#
# SETTINGS defaults to resources/Norvalis.sample.ini (the doses below are that file's Lunch
# tables). Exit status 0 when every step was seen.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_need_args 1 "PROGRAM [SETTINGS] [OUT]" "$@"
settings=${2:-$DC_HERE/../../resources/Norvalis.sample.ini}
out=${3:-$(dirname "$1")/desktop-check/periods}
mkdir -p "$out"
# The file as the rename must leave it: the one key and the one section header changed.
sed -e 's/^P_2=Lunch$/P_2=Midday/' -e 's/^\[Lunch\]$/[Midday]/' "$settings" >"$out/expected.ini"
[[ $(diff "$settings" "$out/expected.ini" | grep -c '^[<>]') == 4 ]] ||
    dc_fail "$settings does not list Lunch as P_2 with a [Lunch] section"

dc_start "$1" "$settings" "$out"

open_periods() {
    dc_wait --role frame --name Norvalis --state active
    open_from_configuation Periods p "Configure Periods"
}

step "Lunch chosen in the main window"
dc_wait --role text --name "Blood Sugar" --state focused
dc_key Tab
dc_wait --role combo-box --state focused
dc_key Down
dc_wait --role combo-box --name Lunch --state focused

step "Alt+C, P opens Configure Periods with the names in boxes Period 1..12, the focus in Period 1"
open_periods
dc_wait --role text --name "Period 1" --state focused
dc_wait --role text --name "Period 1" --text Breakfast --state showing
dc_wait --role text --name "Period 2" --text Lunch --state showing
dc_wait --role text --name "Period 3" --text Supper --state showing
dc_wait --role text --name "Period 4" --text "" --state showing
dc_wait --role text --name "Period 12" --text "" --state showing
dc_tree 1-periods
dc_shot 1-periods

step "Lunch renamed to Midday, Enter"
dc_key_until Tab --role text --name "Period 2"
retype Midday
dc_key Return
dc_closed "after Enter" --role dialog --name "Configure Periods"
dc_expect_ini "$out/expected.ini" "the settings file after the rename"
grep -qx 'P_2=Midday' "$DC_INI" || dc_fail "no P_2=Midday line"

step "the main window lists Midday in Lunch's place, keeps it selected, uses its tables"
dc_wait --role combo-box --name Midday --state showing
dc_wait --role list-item --name Midday
dc_atspi gone --timeout 2 --role list-item --name Lunch || dc_fail "Lunch is still listed"
dc_key_until shift+Tab --role text --name "Blood Sugar"
retype 190
dc_key Tab Tab
dc_wait --role text --name Carbohydrate --state focused
retype 75
# Lunch's tables: correction 150,1 200,2; weighting 80,1; 12 g per unit: 75 / 12 = 6.25.
figure "Blood sugar correction dose" 1
figure "Weighting if over 80 grams" blank
figure "Dose for carbohydrate @ 1 unit per 12 grams." 6.25
figure Total 7.25
dc_tree 2-after-rename
dc_shot 2-after-rename

step "reopened, the boxes show Midday; an edit dropped with Escape writes nothing"
open_periods
dc_wait --role text --name "Period 2" --text Midday --state showing
dc_key_until Tab --role text --name "Period 4"
retype Snack
dc_key Escape
dc_closed "after Escape" --role dialog --name "Configure Periods"
dc_expect_ini "$out/expected.ini" "the settings file after Escape"
dc_atspi gone --timeout 2 --role list-item --name Snack || dc_fail "Snack is listed after Escape"

dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_log "done: every step seen; dumps in $out"
