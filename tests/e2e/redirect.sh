#!/usr/bin/env bash
# The redirect file beside kivo.exe moves the data folder: relative to the
# program folder, absolute with environment references, created when missing,
# ignored after a group header, and fatal when it cannot be created.
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

# Relative DataPath, started from another folder.
prog=$(program_folder relative "DataPath=data")
mkdir -p "$prog/data" "$prog/../elsewhere"
printf 'Editor=notepad.exe\r\n' >"$prog/data/Tools.kvl"
start_program "$prog/kivo.exe" "$prog/../elsewhere"
answer_box 'Kivo ' Return relative && wait_kivo_exit
expect_text "$E2E_OUT/relative.txt" "Data folder: $(winpath "$prog/data")" "relative DataPath: data folder in the program folder"
expect_text "$E2E_OUT/relative.txt" 'Editor = notepad.exe' "its category is shown"
[ -f "$prog/data/Kivo.ini" ] && pass "settings written into the redirected folder" || fail "no Kivo.ini in $prog/data"
[ ! -e "$prog/../elsewhere/Kivo.ini" ] && pass "nothing written into the start folder" || fail "Kivo.ini in the start folder"

# Absolute DataPath with an environment reference, not there yet.
prog=$(program_folder created 'DataPath=%KIVO_E2E_ROOT%\new\data')
export KIVO_E2E_ROOT
KIVO_E2E_ROOT=$(winpath "$E2E_OUT/created")
start_program "$prog/kivo.exe" "$prog"
answer_box 'KivoRedir.ini' Return created-message
expect_text "$E2E_OUT/created-message.txt" "New directory created:" "the new folder is announced"
expect_text "$E2E_OUT/created-message.txt" "$KIVO_E2E_ROOT\\new\\data\\" "with its full path"
answer_box 'Kivo ' Return created && wait_kivo_exit
[ -f "$E2E_OUT/created/new/data/Kivo.ini" ] && pass "every level created, settings written there" || fail "no new/data/Kivo.ini"

# DataPath after a group header is not the redirect file's.
prog=$(program_folder grouped $'[Paths]\r\nDataPath=data')
start_program "$prog/kivo.exe" "$prog"
answer_box 'Kivo ' Return grouped && wait_kivo_exit
expect_text "$E2E_OUT/grouped.txt" "Data folder: $(winpath "$prog")\\" "DataPath inside a group is ignored"
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
