#!/usr/bin/env bash
# A folder or a category file on the command line becomes the data folder; a
# missing folder is created only when the user says Yes, and Cancel ends the
# program before anything is written. Which folder is the data folder shows in
# the categories of the launcher window and in where the settings file is made
# and written.
source "$(dirname "$0")/lib.sh"

start=$(new_data_folder start)
printf 'Start=start.exe\r\n' >"$start/Here.kvl"

# A folder with spaces, passed without quotes: the pieces are joined again.
spaced=$(new_data_folder "my data")
printf 'Editor=notepad.exe\r\n' >"$spaced/Tools.kvl"
# shellcheck disable=SC2046
start_kivo "$start" $(winpath "$spaced")
if wait_launcher; then
  win=$LAUNCHER_WIN
  screenshot "$win" spaced
  expect_category Tools "unquoted folder with spaces: its category is shown"
  expect_rows '1\tEditor\t0\n' "with its items"
  exit_launcher "$win"
fi
tr -d '\r' <"$spaced/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Tools' && pass "settings written there" \
  || fail "no settings written into the folder given"
[ ! -e "$start/Kivo.ini" ] && pass "none in the current directory" || fail "Kivo.ini in the current directory"

# A category file: its folder is the data folder, the category shown is that
# folder's start category.
stick=$(new_data_folder stick)
printf 'Game=game.exe\r\n' >"$stick/Games.kvl"
printf 'Editor=notepad.exe\r\n' >"$stick/Tools.kvl"
printf '[Start]\r\nCatSelect=Tools\r\n' >"$stick/Kivo.ini"
start_kivo "$start" "$(winpath "$stick")\\Games.kvl"
if wait_launcher; then
  win=$LAUNCHER_WIN
  expect_category Tools "the folder's start category is shown, not the file's"
  click_caption "$win"
  xdotool key Tab
  expect_category Games "a category file selects its folder: Tab shows the folder's other category"
  expect_rows '1\tGame\t0\n' "with its items"
  exit_launcher "$win"
fi
tr -d '\r' <"$stick/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Games' && pass "settings written into that folder" \
  || fail "no settings written into the category file's folder"

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
if wait_launcher; then
  win=$LAUNCHER_WIN
  expect_category Here "No keeps the current folder: its category is shown"
  exit_launcher "$win"
fi
[ ! -e "$missing" ] && pass "No makes no folder" || fail "No made the folder"
tr -d '\r' <"$start/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Here' && pass "settings written into the current folder" \
  || fail "no settings written into the current folder"
rm -f "$start/Kivo.ini"

# Yes: every level is made and used.
start_kivo "$start" "$(winpath "$missing")"
answer_box 'Kivo Parameter' y question-yes
# The new folder has no categories, so the program goes to the editor at once;
# the current folder's category would have been shown instead.
expect_new_category_editor "Yes makes the new, empty folder the data folder"
tr -d '\r' <"$missing/Kivo.ini" 2>/dev/null | grep -qx 'MRU=' && pass "settings written into the new folder" \
  || fail "no settings written into the new folder"
[ ! -e "$start/Kivo.ini" ] && pass "none in the current directory" || fail "Kivo.ini in the current directory"

# A program folder deeper than the 260 characters of a plain Windows path (a USB
# stick with deep folders). Started there, Wine cannot make it the current
# directory and starts the program in the Windows folder instead.
deep=$(new_data_folder deep)
for level in 1 2 3 4; do deep="$deep/$(printf 'level%d-%055d' "$level" 0)"; done
mkdir -p "$deep" && cp "$KIVO_EXE" "$deep/kivo.exe" && rm -f "$WINEPREFIX/drive_c/windows/Kivo.ini"
printf 'Editor=notepad.exe\r\n' >"$deep/Deep.kvl"
printf 'Game=game.exe\r\n' >"$deep/Games.kvl"
printf 'left by a killed save' >"$deep/Kivo.ini.4294967291.new"
deepwin="Z:${deep//\//\\}"  # winepath cuts what passes 260 characters
start_program "$deep/kivo.exe" "$deep"
if wait_launcher; then
  win=$LAUNCHER_WIN
  expect_category Deep "a program folder of ${#deepwin} characters: its categories are found"
  expect_rows '1\tEditor\t0\n' "with its items"
  click_caption "$win"
  xdotool key Tab
  expect_category Games "Tab shows the deep folder's other category"
  exit_launcher "$win"
fi
tr -d '\r' <"$deep/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Games' && pass "settings written into the deep folder" \
  || fail "no settings written into the deep folder"
[ ! -e "$deep/Kivo.ini.4294967291.new" ] && pass "a killed save's file there went" || fail "a killed save's file stayed"
[ ! -e "$WINEPREFIX/drive_c/windows/Kivo.ini" ] && pass "none in the Windows folder" || fail "Kivo.ini in C:\windows"
start_kivo "$start" "$deepwin\\Deep.kvl"
wait_launcher && expect_category Games "a category file in the deep folder selects that folder" &&
  exit_launcher "$LAUNCHER_WIN"

finish
