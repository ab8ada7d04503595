#!/usr/bin/env bash
# The redirect file beside kivo.exe moves the data folder: relative to the
# program folder, absolute with environment references, created when missing,
# ignored after a group header, and fatal when it cannot be created. Which
# folder is the data folder shows in the categories of the launcher window and
# in where the settings file is made and written.
source "$(dirname "$0")/lib.sh"

# A program folder of its own with a copy of kivo.exe; prints its path.
program_folder() {
  local dir
  dir=$(new_data_folder "$1")/prog
  mkdir -p "$dir"
  cp "$KIVO_EXE" "$dir/kivo.exe"
  printf '%s\r\n' "$2" >"$dir/KivoRedir.ini"
  echo "$dir"
}

# Relative DataPath, started from another folder that has categories of its own.
prog=$(program_folder relative "DataPath=data")
elsewhere=$(new_data_folder relative)/elsewhere
mkdir -p "$prog/data" "$elsewhere"
printf 'Editor=notepad.exe\r\n' >"$prog/data/Tools.kvl"
printf 'Wrong=notepad.exe\r\n' >"$elsewhere/Elsewhere.kvl"
start_program "$prog/kivo.exe" "$elsewhere"
if wait_launcher; then
  win=$LAUNCHER_WIN
  screenshot "$win" relative
  expect_category Tools "relative DataPath: the category of the data folder in the program folder"
  expect_rows '1\tEditor\t0\n' "its items are shown"
  exit_launcher "$win"
fi
tr -d '\r' <"$prog/data/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Tools' \
  && pass "settings written into the redirected folder" || fail "no settings written into $prog/data"
[ ! -e "$elsewhere/Kivo.ini" ] && pass "nothing written into the start folder" || fail "Kivo.ini in the start folder"

# Absolute DataPath with an environment reference, not there yet.
prog=$(program_folder created 'DataPath=%KIVO_E2E_ROOT%\new\data')
export KIVO_E2E_ROOT
KIVO_E2E_ROOT=$(winpath "$E2E_OUT/created")
printf 'Wrong=notepad.exe\r\n' >"$prog/Program.kvl"
start_program "$prog/kivo.exe" "$prog"
answer_box 'KivoRedir.ini' Return created-message
expect_text "$E2E_OUT/created-message.txt" "New directory created:" "the new folder is announced"
expect_text "$E2E_OUT/created-message.txt" "$KIVO_E2E_ROOT\\new\\data\\" "with its full path"
# The new folder has no categories, so the program goes to the editor at once;
# the program folder's category would have been shown instead.
expect_new_category_editor "the new, empty folder is the data folder"
tr -d '\r' <"$E2E_OUT/created/new/data/Kivo.ini" 2>/dev/null | grep -qx 'MRU=' \
  && pass "every level created, settings written there" || fail "no settings written into new/data"
[ ! -e "$prog/Kivo.ini" ] && pass "nothing written into the program folder" || fail "Kivo.ini in the program folder"

# DataPath after a group header is not the redirect file's.
prog=$(program_folder grouped $'[Paths]\r\nDataPath=data')
printf 'Here=notepad.exe\r\n' >"$prog/Program.kvl"
start_program "$prog/kivo.exe" "$prog"
if wait_launcher; then
  win=$LAUNCHER_WIN
  expect_category Program "DataPath inside a group is ignored: the start folder's category is shown"
  exit_launcher "$win"
fi
tr -d '\r' <"$prog/Kivo.ini" 2>/dev/null | grep -qx 'MRU=Program' \
  && pass "settings written into the start folder" || fail "no settings written into $prog"
[ ! -d "$prog/data" ] && pass "no folder made for it" || fail "a data folder was made"

# A folder that cannot be made: the program ends without writing anything.
prog=$(program_folder impossible 'DataPath=blocked\data')
printf 'a file' >"$prog/blocked"
start_program "$prog/kivo.exe" "$prog"
answer_box 'KivoRedir.ini' Return impossible
expect_text "$E2E_OUT/impossible.txt" "Cannot create directory:" "the failure is shown"
wait_kivo_exit && pass "the program ends"
[ -z "$(find "$E2E_OUT/impossible" -name Kivo.ini)" ] && pass "nothing written" || fail "a settings file was written"

finish
