#!/usr/bin/env bash
# An item that switches category names a category of the data folder, never a
# file elsewhere: a path is refused like a missing category, and nothing is
# written under its name.
source "$(dirname "$0")/lib.sh"

data=$(new_data_folder data)
other=$(new_data_folder other)
printf '%s\r\n' 'Elsewhere=%windir%\notepad.exe' >"$other/Mix.kvl"
cp "$other/Mix.kvl" "$E2E_OUT/Mix.before"
printf '%s\r\n' 'Relative=kivo;..\other\Mix' "Absolute=kivo;$(winpath "$other")\\Mix" 'Next=kivo;Second' >"$data/Main.kvl"
printf '%s\r\n' 'Back=kivo;Main' >"$data/Second.kvl"
printf '[Start]\r\nCatSelect=Main\r\n' >"$data/Kivo.ini"

start_kivo "$data"
if wait_launcher; then
  for row in 0 1; do
    launch_row "$row"
    if answer_box 'Error' n "refused-$row"; then
      expect_text "$E2E_OUT/refused-$row.txt" 'Cannot open:' "row $row: a category path is refused like a missing category"
      wait_gone 'Error' 5 || fail "the box stays open"
    fi
    expect_category Main "row $row: the launcher stays on its category"
  done
  launch_row 2
  expect_category Second "a category of the data folder is still switched to"
  exit_launcher "$LAUNCHER_WIN"
fi
settings=$(tr -d '\r' <"$data/Kivo.ini")
if grep -q 'Mix' <<<"$settings"; then fail "the settings name the path: $(grep Mix <<<"$settings" | tr '\n' ' ')"; else
  pass "nothing is written under the path's name"; fi
expect_file_bytes "$other/Mix.kvl" "$E2E_OUT/Mix.before" "the file elsewhere is untouched"

finish
