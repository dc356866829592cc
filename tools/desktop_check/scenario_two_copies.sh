#!/usr/bin/env bash
# Another program writes the settings file while Norvalis is open: with 190 and 75 g on the
# sample file (Breakfast, total 10.5), an outside edit of Breakfast's weighting dose to 7 shows
# at the next keystroke (total 16.5); an outside edit while the dosages dialog is open makes
# Apply ask Reload / Store Anyway / Cancel, and Cancel leaves the outside edit in the file.
#
#   tools/desktop_check/scenario_two_copies.sh PROGRAM [SETTINGS] [OUT]
#
# SETTINGS defaults to resources/Norvalis.sample.ini, whose Breakfast has CW_1=60,1.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario two-copies "$@"
grep -qx 'CW_1=60,1' "$DC_SETTINGS" || dc_fail "$DC_SETTINGS has no Breakfast CW_1=60,1"

# Rewrites the file as an editor does: in place, not by renaming a new file over it.
edit_in_place() {
    local edited
    edited=$(sed "$1" "$DC_INI")
    printf '%s\n' "$edited" >"$DC_INI"
}

step "Breakfast, 190 and 75 g: total 10.5"
enter_reading_and_carbs 190 75 10.5

step "another program makes Breakfast's weighting dose 7; one more keystroke shows total 16.5"
edit_in_place 's/^CW_1=60,1$/CW_1=60,7/'
dc_key BackSpace
dc_type 5
dc_wait --role label --name "Total, 16.5" --state showing
dc_tree 1-after-outside-edit
dc_shot 1-after-outside-edit

step "Alt+C, D opens the dosages dialog; the file is edited outside; Alt+A asks"
open_from_configuation Dosages d "Configure Dosages"
edit_in_place 's/^CD_1=10$/CD_1=11/'
cp "$DC_INI" "$DC_OUT/outside.ini"
dc_key alt+a
dc_wait --role alert --state showing
dc_wait --role push-button --name Reload --state showing
dc_wait --role push-button --name "Store Anyway" --state showing
dc_wait --role push-button --name Cancel --state showing
dc_tree 2-asked
dc_shot 2-asked
dc_log "question: $(dc_atspi find --role label --state showing | grep -i 'changed by another' | head -1)"

step "Escape answers Cancel: the outside edit stays in the file, the dialog stays open"
dc_key Escape
dc_closed "after Escape" --role alert
dc_wait --role dialog --name "Configure Dosages" --state showing
dc_expect_ini "$DC_OUT/outside.ini" "the settings file after Cancel"
dc_key Escape
dc_closed "after Escape" --role dialog --name "Configure Dosages"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
