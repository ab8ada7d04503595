#!/usr/bin/env bash
# One launcher per data folder: a second start brings the first back and ends,
# "/close" makes the first exit and save, "/i=" selects an item, and the
# settings file is written only when something changed. The folder may be spelled
# in any letter case and the title may be of any length.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Items.kvl:One=%windir%\system32\notepad.exe|Two=%windir%\system32\cmd.exe|Three=%windir%\system32\winefile.exe|Four=%windir%\regedit.exe' \
  'More.kvl:Other=%windir%\system32\notepad.exe')
other=$(new_data_folder other)
cp "$data/Items.kvl" "$other/"

selected_row() {  # the item position of the selected row, or "none"
  list_rows 'Kivo ' "$E2E_OUT/rows.txt" && awk -F'\t' '$1 == 1 {print $3; found=1} END {if (!found) print "none"}' "$E2E_OUT/rows.txt"
}
third_selected() { [ "$(selected_row)" = 2 ]; }
# The launcher's state line matches the pattern; the line stays in $E2E_OUT/<name>.txt.
launcher_is() { window_state 'Kivo ' "$E2E_OUT/$2.txt" && grep -q "$1" "$E2E_OUT/$2.txt"; }

# "/I=3" in capitals selects the third item.
start_kivo "$data" /I=3
first_pid=$KIVO_PID
wait_window '^Kivo $' >/dev/null || fail "no launcher window"
wait_until 10 third_selected && pass "/I=3 selects the third item" || fail "selected: $(selected_row)"

# A second start on the same folder: the first comes back, the second ends.
post_message 'Kivo ' 274 61472 0   # minimise (WM_SYSCOMMAND, SC_MINIMIZE)
wait_until 10 launcher_is 'iconic 1' minimised && pass "minimised for the test" || fail "not minimised: $(head -1 "$E2E_OUT/minimised.txt")"
cp "$data/Kivo.ini" "$E2E_OUT/ini-first"
start_kivo "$data"
wait_kivo_exit && pass "the second instance ends"
expect_file_bytes "$data/Kivo.ini" "$E2E_OUT/ini-first" "the second instance writes nothing"
KIVO_PID=$first_pid
wait_until 10 launcher_is 'visible 1 iconic 0' restored && pass "the first window is restored" \
  || fail "first window: $(head -1 "$E2E_OUT/restored.txt")"

# "/close" on another data folder leaves this one alone and starts nothing.
start_kivo "$other" /close
wait_kivo_exit && pass "/close without an instance on its folder ends"
window_state 'Kivo ' "$E2E_OUT/still.txt" && pass "the instance on the other folder stays" || fail "it went away"

# "/close" on the same folder: the first exits and saves.
start_kivo "$data" /close
wait_kivo_exit
KIVO_PID=$first_pid
wait_kivo_exit && pass "/close makes the running instance exit"
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=Items' && pass "and save its settings" || fail "settings: $(cat "$data/Kivo.ini")"

# Nothing changed: the file stays as it is, to the byte and the time.
cp "$data/Kivo.ini" "$E2E_OUT/ini-saved"
touch -d '2020-01-01 00:00' "$data/Kivo.ini"
open_kivo "$data" && exit_launcher "$LAUNCHER_WIN"
expect_file_bytes "$data/Kivo.ini" "$E2E_OUT/ini-saved" "an unchanged run keeps the settings file's bytes"
[ "$(stat -c %Y "$data/Kivo.ini")" = "$(date -d '2020-01-01 00:00' +%s)" ] && pass "and does not write it" \
  || fail "the settings file was written"

# A change (another category shown last) is written.
open_kivo "$data"
xdotool key Tab
expect_category More "Tab shows the other category"
exit_launcher "$LAUNCHER_WIN"
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=More' && pass "a changed setting is written" || fail "MRU: $(grep -a MRU "$data/Kivo.ini")"

# A title of 121 characters, and the folder spelled in other letters.
long=$(new_data_folder long-title)
title=$(printf 'Kivo%.0s' $(seq 30))
printf '[main]\r\nProgTitle=%s\r\n' "$title" >"$long/Kivo.ini"
cp "$data/Items.kvl" "$long/"
start_kivo "$long"
first_pid=$KIVO_PID
if wait_window "^$title \$" >/dev/null; then
  start_kivo "$long"
  wait_kivo_exit 10 && pass "with a long title a second start ends"
  start_kivo "$E2E_OUT" "$(winpath "$long" | tr '[:lower:]' '[:upper:]')"
  wait_kivo_exit 10 && pass "so does one with the folder in capitals"
  count=$(xdotool search --onlyvisible --name "^$title \$" 2>/dev/null | wc -l)
  [ "$count" -eq 1 ] && pass "one launcher on the folder" || fail "$count launchers on one folder"
  start_kivo "$E2E_OUT" "$(winpath "$long" | tr '[:upper:]' '[:lower:]')" /close
  wait_kivo_exit 10
  KIVO_PID=$first_pid
  wait_kivo_exit 10 && pass "/close in small letters reaches it"
else
  fail "no launcher with the long title"
  kill "$first_pid" 2>/dev/null || true
fi

# Two starts at the same moment (a double click done twice): exactly one stays,
# and a "/close" reaches it. Both look for the other before either has a window.
race=$(new_data_folder race)
cp "$data/Items.kvl" "$race/"
kept=0
one_ended() { ! kill -0 "$one" 2>/dev/null && survivor=$two || { ! kill -0 "$two" 2>/dev/null && survivor=$one; }; }
for round in $(seq 20); do
  start_kivo "$race"
  one=$KIVO_PID
  start_kivo "$race"
  two=$KIVO_PID
  survivor=""
  wait_until 10 one_ended || true
  windows=$(wait_window '^Kivo $' >/dev/null && xdotool search --onlyvisible --name '^Kivo $' 2>/dev/null | wc -l)
  if [ -n "$survivor" ] && kill -0 "$survivor" 2>/dev/null && [ "$windows" -eq 1 ]; then
    kept=$((kept + 1))
  else
    echo "round $round: survivor '${survivor}', $windows launcher windows"
  fi
  start_kivo "$race" /close
  wait_kivo_exit 10
  for pid in $one $two; do KIVO_PID=$pid; wait_kivo_exit 10 || break; done
done
[ "$kept" -eq 20 ] && pass "two starts at once leave one Kivo, 20 of 20 times, and /close ends it" \
  || fail "two starts at once left one Kivo in $kept of 20 rounds"

finish
