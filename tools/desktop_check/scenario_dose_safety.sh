#!/usr/bin/env bash
# Dose safety on a settings file written by the Windows version (Windows-1252 bytes, CRLF line
# ends): the period "Frühstück" reads right in the tree and its tables are found; Apply writes
# the grams-per-unit edit and keeps the dialog open, and the carbohydrate dose shown follows
# it; Enter in one changed box (OK) changes exactly that line of the file, in Windows-1252;
# "abc" as a Lower Limit is refused with a message box and the file left byte for byte as it
# was.
#
#   tools/desktop_check/scenario_dose_safety.sh PROGRAM [OUT]
#
# The settings files (as given and as each step must leave it) are written into OUT with
# printf bytes. Exit status 0 when every step was seen.
set -euo pipefail
# shellcheck source=session.sh
source "$(dirname "$0")/session.sh"
dc_enter_bus "$0" "$@"

dc_need_args 1 "PROGRAM [OUT]" "$@"
out=${2:-$(dirname "$1")/desktop-check/dose-safety}
mkdir -p "$out"

# The file as the Windows version writes it; \xfc is ü, \xe4 is ä in Windows-1252. CD, CW and
# the rest vary by one field per variant, so each expected file differs in one line only.
settings_file() { # CD_1 CW_1
    printf '[Period]\r\nP_1=Fr\xfchst\xfcck\r\nP_2=Sp\xe4t\r\n\r\n'
    printf '[Fr\xfchst\xfcck]\r\nCD_1=%s\r\nBS_1=140,1\r\nBS_2=180,2\r\nCW_1=%s\r\n\r\n' "$1" "$2"
    printf '[Sp\xe4t]\r\nCD_1=12\r\nBS_1=150,1\r\n'
}
settings_file 10 60,1 >"$out/original.ini"
settings_file 15 60,1 >"$out/after-apply.ini"
settings_file 15 60,2 >"$out/after-ok.ini"
# The variants differ from their predecessor in one line each, or the checks prove nothing.
[[ $(diff "$out/original.ini" "$out/after-apply.ini" | grep -c '^[<>]') == 2 &&
    $(diff "$out/after-apply.ini" "$out/after-ok.ini" | grep -c '^[<>]') == 2 ]] ||
    dc_fail "the expected files do not differ in exactly one line"

dc_start "$1" "$out/original.ini" "$out"

open_dosages() {
    dc_wait --role frame --name Norvalis --state active
    open_from_configuation Dosages d "Configure Dosages"
    dc_log "dialog open; focus: $(dc_focus)"
}
# Ctrl+Tab until the named page is shown (the dialog may open on the page it last showed).
show_page() {
    local i
    for ((i = 0; i < 3; i++)); do
        dc_atspi find --role page-tab-list --name "$1" >/dev/null 2>&1 && return 0
        dc_key ctrl+Tab
        sleep 0.2
    done
    dc_wait --role page-tab-list --name "$1"
}
press_ok() {
    dc_key_until Tab --role push-button --name OK
    dc_key space
}

step "the period reads Frühstück (Mealtime) and its tables give the doses for 190 and 75 g"
dc_atspi find --role combo-box --name "Frühstück" --state showing |
    grep -q 'labelled-by="Mealtime' || dc_fail "no period box named Frühstück labelled Mealtime"
dc_wait --role list-item --name "Spät"
dc_wait --role text --name "Blood Sugar" --state focused
retype 190
dc_key Tab Tab
dc_wait --role text --name Carbohydrate --state focused
retype 75
figure "Blood sugar correction dose" 2
figure "Weighting if over 60 grams" 1
figure "Dose for carbohydrate @ 1 unit per 10 grams." 7.5
figure Total 10.5
dc_tree 1-main-window
dc_shot 1-main-window

step "Alt+C, D: the dialog finds Frühstück's tables"
open_dosages
dc_atspi find --role combo-box --name "Frühstück" --state showing | grep -q 'labelled-by="Period' ||
    dc_fail "the dialog's period box is not Frühstück labelled Period"
dc_wait --role text --name "Blood Sugar, row 2, Lower Limit" --text 180 --state showing
dc_tree 2-dosages
dc_shot 2-dosages

step "grams per unit 10 -> 15, Alt+A (Apply): the file changes in that line, the dialog stays"
dc_key ctrl+Tab ctrl+Tab
dc_wait --role page-tab-list --name Carbohydrate
dc_key Tab
dc_wait --role text --name "Carbohydrate, grams per unit" --state focused --text 10
retype 15
dc_key alt+a
dc_until "Apply to write the file" cmp -s "$out/after-apply.ini" "$DC_INI"
dc_expect_ini "$out/after-apply.ini" "the settings file after Apply"
dc_wait --role dialog --name "Configure Dosages" --state showing
step "the main window's carbohydrate dose follows: 75 / 15 = 5, total 8"
figure "Dose for carbohydrate @ 1 unit per 15 grams." 5
figure Total 8
dc_tree 3-after-apply
dc_shot 3-after-apply

step "Weighting row 1 Dose 1 -> 2, Enter in the box (OK): the file changes in that line only, the dialog closes"
dc_key ctrl+Tab ctrl+Tab
dc_wait --role page-tab-list --name Weighting
dc_key_until Tab --role text --name "Weighting, row 1, Dose" --text 1
retype 2
dc_key Return
dc_closed "after OK" --role dialog --name "Configure Dosages"
dc_expect_ini "$out/after-ok.ini" "the settings file after OK"
figure "Weighting if over 60 grams" 2
figure Total 9
dc_tree 4-after-ok
dc_shot 4-after-ok

step "abc as Blood Sugar row 2's Lower Limit, OK: refused with a message, the file untouched"
open_dosages
show_page "Blood Sugar"
dc_key_until Tab --role text --name "Blood Sugar, row 2, Lower Limit" --text 180
retype abc
press_ok
dc_wait --role alert --state showing
dc_tree 5-abc-refused
dc_shot 5-abc-refused
dc_log "message: $(dc_atspi find --role label --state showing | grep -i 'row 2' | head -1)"
dc_expect_ini "$out/after-ok.ini" "the settings file after the refused OK"
dc_key Return
dc_closed "after Enter" --role alert
step "the dialog stays open with the edit, the focus on the refused box"
dc_wait --role dialog --name "Configure Dosages" --state showing
dc_wait --role text --name "Blood Sugar, row 2, Lower Limit" --text abc --state focused
dc_expect_ini "$out/after-ok.ini" "the settings file after the refusal"

step "Cancel, then Escape closes the program"
dc_key_until Tab --role push-button --name Cancel
dc_key space
dc_closed "after Cancel" --role dialog --name "Configure Dosages"
dc_expect_ini "$out/after-ok.ini" "the settings file after Cancel"
dc_wait --role frame --name Norvalis --state active
dc_escape_ends_program
dc_expect_ini "$out/after-ok.ini" "the settings file after the program ended"
dc_log "done: every step seen; dumps in $out"
