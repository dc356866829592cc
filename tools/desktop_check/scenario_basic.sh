#!/usr/bin/env bash
# The basic desktop check: start Norvalis on a settings file, type a blood sugar of 190 and
# 75 g of carbohydrate with the keyboard, open Configuation > Dosages with the keyboard, look
# at its three pages, change a box and close the dialog with Escape (the file must stay as it
# was), and close the program with Escape. At each step it dumps the accessibility tree (.txt)
# and a screenshot of the active window (.png).
#
#   tools/desktop_check/scenario_basic.sh PROGRAM SETTINGS [OUT]
#   e.g. tools/desktop_check/scenario_basic.sh build/app/norvalis resources/Norvalis.sample.ini
#
# OUT defaults to desktop-check/ beside PROGRAM (inside the build folder). Exit status 0 when
# every step was seen to happen; the settings file given is never written (the program runs on
# a copy of it, which must also be unchanged after the dialog's Escape). The problems files
# list what a screen reader user would miss; they do not make the check fail.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_need_args 2 "PROGRAM SETTINGS [OUT]" "$@"
dc_start "$1" "$2" "${3:-$(dirname "$1")/desktop-check}"

focus() { dc_log "focus: $(dc_focus)"; }

step "the blood sugar box has the focus at start; type 190"
dc_wait --role text --state focused
dc_key ctrl+a
dc_type 190
dc_wait --role text --state focused --text 190
focus

step "Tab to the period selector, Tab to the carbohydrate box; type 75"
dc_key Tab
dc_wait --role combo-box --state focused
dc_key Tab
dc_wait --role text --state focused --text 0
dc_key ctrl+a
dc_type 75
# The doses are worked out on each keystroke, before the box's new text can be read back.
dc_wait --role text --state focused --text 75
focus
dc_tree 1-main-window
dc_shot 1-main-window

step "Alt+C opens Configuation, D opens Dosages"
open_from_configuation Dosages d "Configure Dosages"
focus
dc_tree 2-dosages-blood-sugar
dc_shot 2-dosages-blood-sugar

# The tab list is named after its selected tab.
step "Ctrl+Tab to the Weighting page, and on to the Carbohydrate page"
dc_key ctrl+Tab
dc_wait --role page-tab-list --name Weighting
dc_tree 3-dosages-weighting
dc_shot 3-dosages-weighting
dc_key ctrl+Tab
dc_wait --role page-tab-list --name Carbohydrate
dc_tree 4-dosages-carbohydrate
dc_shot 4-dosages-carbohydrate

step "Tab to the grams-per-unit box and change it; Escape must drop the change"
dc_key Tab
dc_wait --role text --state focused
dc_key ctrl+a
dc_type 99
dc_wait --role text --state focused --text 99
focus
dc_key Escape
dc_closed "after Escape" --role dialog --name "Configure Dosages"
if ! cmp -s "$DC_SETTINGS" "$DC_INI"; then
    diff -u "$DC_SETTINGS" "$DC_INI" >&2 || true
    dc_fail "Escape in the dosages dialog changed the settings file"
fi

step "Escape in the main window closes the program"
dc_wait --role frame --name Norvalis --state active
focus
dc_escape_ends_program
dc_log "done: every step seen; dumps in $DC_OUT"
