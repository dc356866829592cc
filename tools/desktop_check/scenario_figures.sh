#!/usr/bin/env bash
# The dose figures as a screen reader reads them: on the sample settings file, type readings
# and amounts with the keyboard and check that each figure is in the accessibility tree with
# its caption and the value worked out by hand from the sample's tables ("Total, 10.5"), that
# a blank figure reads as blank, that "7,5" brings the decimal-comma note, that the period box
# is labelled "Mealtime", and that the dosages dialog names each box by page, row and column
# with only the shown page's boxes showing.
#
#   tools/desktop_check/scenario_figures.sh PROGRAM [SETTINGS] [OUT]
#
# SETTINGS defaults to resources/Norvalis.sample.ini; the expected figures below are that
# file's, so another file fails the check. Exit status 0 when every step was seen.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_start_scenario figures "$@"




# Tabs from the focused page tab through the page's boxes to the OK button; fails if a box
# of another page takes the focus, or if fewer than the page's 24 boxes were passed.
tab_walk() {
    local page=$1 boxes=0 line i
    for ((i = 0; i < 40; i++)); do
        dc_key Tab
        sleep 0.05
        line=$(dc_focus) || dc_fail "nothing has the focus after Tab"
        case $line in
        *' text "'"$page"', row '*) boxes=$((boxes + 1)) ;;
        *' push-button "OK" '*) break ;;
        *' text '*) dc_fail "Tab on the $page page reached a box of another page: $line" ;;
        esac
    done
    ((boxes == 24)) || dc_fail "Tab passed $boxes of the $page page's 24 boxes before OK"
    dc_log "Tab passed the $page page's 24 boxes and reached OK"
}

BS="Blood sugar correction dose"
CW="Weighting if over 60 grams"
CD="Dose for carbohydrate @ 1 unit per 10 grams."

step "the period box is labelled Mealtime and shows Breakfast"
dc_atspi find --role combo-box --name Breakfast --state showing | grep -q 'labelled-by="Mealtime' ||
    dc_fail "the period box is not labelled by Mealtime"

# Breakfast: correction 140,1 180,2 220,3 260,4; weighting 60,1 100,2; 10 g per unit.
step "Breakfast, 190 and 75 g: correction 2, weighting 1, carbohydrate 7.5, total 10.5"
dc_wait --role text --name "Blood Sugar" --state focused
retype 190
dc_key Tab
dc_wait --role combo-box --state focused
dc_key Tab
dc_wait --role text --name Carbohydrate --state focused
retype 75
figure "$BS" 2
figure "$CW" 1
figure "$CD" 7.5
figure Total 10.5
dc_tree 1-breakfast-190-75
dc_shot 1-breakfast-190-75

step "Breakfast, 120 and 50 g: no correction, no weighting, carbohydrate 5, total 5"
retype 50
dc_key shift+Tab
dc_wait --role combo-box --state focused
dc_key shift+Tab
dc_wait --role text --name "Blood Sugar" --state focused
retype 120
figure "$BS" blank
figure "$CW" blank
figure "$CD" 5
figure Total 5
dc_tree 2-breakfast-120-50
dc_shot 2-breakfast-120-50

step "7,5 in Blood Sugar reads as 7 and says so"
retype 7,5
dc_wait --role label --name "Read as 7 — use a full stop for decimals" --state showing
figure "$BS" blank
figure Total 5
dc_tree 3-decimal-comma
dc_shot 3-decimal-comma
step "the note goes once the text is 7.5"
retype 7.5
dc_atspi gone --timeout "$DC_TIMEOUT" --role label \
    --name "Read as 7 — use a full stop for decimals" --state showing ||
    dc_fail "the decimal-comma note stayed after the comma was replaced"

# Lunch: correction 150,1 200,2 250,3; weighting 80,1; 12 g per unit: 75 / 12 = 6.25.
step "Lunch (Down in the period box), 190 and 75 g: correction 1, carbohydrate 6.25, total 7.25"
retype 190
dc_key Tab
dc_wait --role combo-box --state focused
dc_key Down
dc_wait --role combo-box --name Lunch --state focused
dc_key Tab
dc_wait --role text --name Carbohydrate --state focused
retype 75
figure "$BS" 1
figure "Weighting if over 80 grams" blank
figure "Dose for carbohydrate @ 1 unit per 12 grams." 6.25
figure Total 7.25
dc_tree 4-lunch-190-75
dc_shot 4-lunch-190-75

# Supper: weighting 80,1 120,2, same 12 g: 130 g is over both, 130 / 12 = 10.83 (rounded).
step "Supper, 260 and 130 g: correction 3, weighting 2, carbohydrate 10.83, total 15.83"
dc_key shift+Tab
dc_wait --role combo-box --state focused
dc_key Down
dc_wait --role combo-box --name Supper --state focused
dc_key Tab
dc_wait --role text --name Carbohydrate --state focused
retype 130
dc_key shift+Tab shift+Tab
dc_wait --role text --name "Blood Sugar" --state focused
retype 260
figure "$BS" 3
figure "Weighting if over 80 grams" 2
figure "Dose for carbohydrate @ 1 unit per 12 grams." 10.83
figure Total 15.83
dc_tree 5-supper-260-130
dc_shot 5-supper-260-130

step "Alt+C, D: the dosages boxes are named by page, row and column"
open_from_configuation Dosages d "Configure Dosages"
dc_atspi find --role combo-box --state showing | grep -q 'labelled-by="Period"' ||
    dc_fail "the dialog's period box is not labelled Period"
# The dialog opens on the main window's period, Supper.
dc_wait --role text --name "Blood Sugar, row 3, Lower Limit" --text 250 --state showing
dc_wait --role text --name "Blood Sugar, row 3, Dose" --text 3 --state showing
dc_wait --role text --name "Blood Sugar, row 12, Lower Limit" --text "" --state showing
dc_atspi gone --timeout 2 --role text --name "Weighting, row 1, Lower Limit" --state showing ||
    dc_fail "a box of the hidden Weighting page is reported showing"
dc_atspi gone --timeout 2 --role text --name "Carbohydrate, grams per unit" --state showing ||
    dc_fail "the box of the hidden Carbohydrate page is reported showing"
dc_tree 6-dosages-blood-sugar
dc_shot 6-dosages-blood-sugar

step "Ctrl+Tab: the Weighting page's boxes show, the Blood Sugar page's do not"
dc_key ctrl+Tab
dc_wait --role page-tab-list --name Weighting
dc_wait --role text --name "Weighting, row 2, Lower Limit" --text 120 --state showing
dc_wait --role text --name "Weighting, row 2, Dose" --text 2 --state showing
dc_atspi gone --timeout 2 --role text --name "Blood Sugar, row 3, Lower Limit" --state showing ||
    dc_fail "a box of the hidden Blood Sugar page is reported showing"
# The boxes take the focus from the last row's Dose upwards; every one must be this page's.
step "Tab walks the Weighting page's boxes only, then reaches OK"
tab_walk Weighting
dc_tree 7-dosages-weighting
dc_shot 7-dosages-weighting

step "Ctrl+Tab: the Carbohydrate page"
dc_key ctrl+Tab
dc_wait --role page-tab-list --name Carbohydrate
dc_wait --role text --name "Carbohydrate, grams per unit" --text 12 --state showing
dc_atspi gone --timeout 2 --role text --name "Weighting, row 1, Lower Limit" --state showing ||
    dc_fail "a box of the hidden Weighting page is reported showing"
dc_tree 8-dosages-carbohydrate

step "Escape closes the dialog and leaves the file as it was"
dc_key Escape
dc_closed "after Escape" --role dialog --name "Configure Dosages"
dc_expect_ini "$DC_SETTINGS" "the settings file after Escape"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_log "done: every step seen; dumps in $DC_OUT"
