#!/usr/bin/env bash
# A folder or a category file on the command line becomes the data folder; a
# missing folder is created only when the user says Yes, and Cancel ends the
# program before anything is written.
source "$(dirname "$0")/lib.sh"

start=$(new_data_folder start)
printf 'Start=start.exe\r\n' >"$start/Here.kvl"

# A folder with spaces, passed without quotes: the pieces are joined again.
spaced=$(new_data_folder "my data")
printf 'Editor=notepad.exe\r\n' >"$spaced/Tools.kvl"
# shellcheck disable=SC2046
start_kivo "$start" $(winpath "$spaced")
answer_box 'Kivo ' Return spaced && wait_kivo_exit
expect_text "$E2E_OUT/spaced.txt" "Data folder: $(winpath "$spaced")\\" "unquoted folder with spaces"
[ -f "$spaced/Kivo.ini" ] && pass "settings written there" || fail "no Kivo.ini in the folder given"

# A category file: its folder is the data folder, the category shown is that
# folder's start category.
stick=$(new_data_folder stick)
printf 'Game=game.exe\r\n' >"$stick/Games.kvl"
printf 'Editor=notepad.exe\r\n' >"$stick/Tools.kvl"
printf '[Start]\r\nCatSelect=Tools\r\n' >"$stick/Kivo.ini"
start_kivo "$start" "$(winpath "$stick")\\Games.kvl"
answer_box 'Kivo ' Return category-file && wait_kivo_exit
expect_text "$E2E_OUT/category-file.txt" "Data folder: $(winpath "$stick")\\" "a category file selects its folder"
expect_text "$E2E_OUT/category-file.txt" 'Category "Tools":' "the folder's start category is shown"

missing="$E2E_OUT/missing/data"
# Cancel: the program ends, nothing is made or written.
start_kivo "$start" "$(winpath "$missing")"
answer_box 'Kivo Parameter' Escape question
expect_text "$E2E_OUT/question.txt" "Create directory?:" "a missing folder is asked for"
wait_kivo_exit && pass "Cancel ends the program"
[ ! -e "$missing" ] && [ ! -e "$start/Kivo.ini" ] && pass "Cancel writes nothing" || fail "Cancel left files"

# No: the data folder stays the current directory.
start_kivo "$start" "$(winpath "$missing")"
answer_box 'Kivo Parameter' n question-no
answer_box 'Kivo ' Return answered-no && wait_kivo_exit
expect_text "$E2E_OUT/answered-no.txt" "Data folder: $(winpath "$start")\\" "No keeps the current folder"
[ ! -e "$missing" ] && pass "No makes no folder" || fail "No made the folder"

# Yes: every level is made and used.
start_kivo "$start" "$(winpath "$missing")"
answer_box 'Kivo Parameter' y question-yes
answer_box 'Kivo ' Return answered-yes && wait_kivo_exit
expect_text "$E2E_OUT/answered-yes.txt" "Data folder: $(winpath "$missing")\\" "Yes makes the folder the data folder"
[ -f "$missing/Kivo.ini" ] && pass "settings written into the new folder" || fail "no Kivo.ini in the new folder"

finish
