#!/usr/bin/env bash
# The launcher window: its rows, keys that switch categories, launching by Enter
# and by double click, the category menu, and the three views.
source "$(dirname "$0")/lib.sh"

data=$(new_data_folder data)
mkdir -p "$data/my tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/my tools/probe.exe"
printf '%s\r\n' 'Probe=my tools\probe.exe;--item "one"' 'Second=my tools\probe.exe;--item two;my tools' '-=' \
  'To Beta=kivo;Beta' >"$data/Alpha.kvl"
printf '%s\r\n' '; my tools, keep this note' 'Beta one=%windir%\system32\notepad.exe' '-=' \
  'Beta two=%windir%\system32\cmd.exe' >"$data/Beta.kvl"
printf '%s\r\n' 'Gamma=%windir%\system32\winefile.exe' >"$data/Gamma.kvl"
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nSingleColumn=0\r\n[Beta]\r\nLargeIcons=0\r\n' >"$data/Kivo.ini"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

strip_text() {  # the category name on the strip
  window_texts 'Kivo ' "$E2E_OUT/texts.txt" && sed -n 2p "$E2E_OUT/texts.txt" | tr -d '\r'
}

expect_strip() {
  local name=$1 what=$2 text
  for _ in $(seq 20); do
    text=$(strip_text || true)
    [ "$text" = "$name" ] && { pass "$what"; return 0; }
    sleep 0.1
  done
  fail "$what: the strip shows '$text', not '$name'"
}

start_kivo "$data"
if ! win=$(wait_window '^Kivo $'); then
  fail "no launcher window"
  finish
fi
pass "the launcher window is titled 'Kivo '"
sleep 0.5
list_rows 'Kivo ' "$E2E_OUT/rows.txt"
expect_file_bytes "$E2E_OUT/rows.txt" <(printf '1\tProbe\t0\n0\tSecond\t1\n0\tTo Beta\t3\n') \
  "large icons: no separator row, each row knows its item, the first is selected"
expect_strip Alpha "the start category is shown"
screenshot "$win" large-icons

click_caption "$win"
xdotool key Tab
expect_strip Beta "Tab shows the next category"
sleep 0.3
list_rows 'Kivo ' "$E2E_OUT/rows-beta.txt"
expect_file_bytes "$E2E_OUT/rows-beta.txt" <(printf '1\tBeta one\t1\n0\t----------\t2\n0\tBeta two\t3\n') \
  "small icons show the separator, not the note, and choose the first item"
screenshot "$win" small-icons
xdotool key BackSpace
expect_strip Alpha "Backspace goes back to the last one"
xdotool key shift+Tab
expect_strip Beta "Shift+Tab too"
xdotool key BackSpace

# The category menu: Space opens it, Escape closes it, an entry switches.
expect_menu_from_keys "$win" space "Space" category-menu
menu_by_keys space || fail "Space opened no category menu"
xdotool key Down Down Down Return
expect_strip Gamma "the third entry shows the third category"
xdotool key BackSpace
expect_strip Alpha "and back"

# Launching: Enter on the selected row, then a double click on the second row.
sleep 0.3
xdotool key Return
records=()
for _ in $(seq 50); do [ -s "$log" ] && break; sleep 0.1; done
mapfile -t records < <(tr -d '\r' <"$log" 2>/dev/null)
case "${records[0]:-}" in
  *'probe.exe" --item "one"'|*'probe.exe --item "one"') pass "Enter starts the selected item with its parameters" ;;
  *) fail "command line after Enter: ${records[0]:-none}" ;;
esac
if read -r x y < <(row_point 'Kivo ' 1); then
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
  for _ in $(seq 50); do [ "$(grep -c '' "$log")" -ge 6 ] && break; sleep 0.1; done
  mapfile -t records < <(tr -d '\r' <"$log")
  case "${records[3]:-}" in
    *'--item two') pass "a double click starts that row's item" ;;
    *) fail "command line after the double click: ${records[3]:-none}" ;;
  esac
  [ "${records[4]:-}" = "$(winpath "$data")\\my tools" ] && pass "in its own folder" || fail "folder: ${records[4]:-none}"
else
  fail "no point for row 1"
fi

# A category item switches; Escape ends the program and the settings are saved.
list_rows 'Kivo ' "$E2E_OUT/rows-after.txt"
read -r x y < <(row_point 'Kivo ' 2)
xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
expect_strip Beta "an item naming a category shows it"
xdotool key Escape
wait_kivo_exit && pass "Escape exits"
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=Beta' && pass "the last category is remembered" \
  || fail "MRU not written: $(tr -d '\r' <"$data/Kivo.ini")"

# One column, with Beta's rows.
printf '[Start]\r\nCatSelect=Beta\r\n[main]\r\nSingleColumn=1\r\n[Beta]\r\nLargeIcons=0\r\n' >"$data/Kivo.ini"
start_kivo "$data"
if win=$(wait_window '^Kivo $'); then
  sleep 0.5
  screenshot "$win" single-column
  list_rows 'Kivo ' "$E2E_OUT/rows-column.txt"
  expect_file_bytes "$E2E_OUT/rows-column.txt" <(printf '1\tBeta one\t1\n0\t----------\t2\n0\tBeta two\t3\n') \
    "a single column shows every item"
  click_caption "$win"
  xdotool key Escape
  wait_kivo_exit
else
  fail "no launcher window for the single column"
fi

# A first caption of a megabyte: the window answers (the probe waits 2 s for
# each answer) with the caption's beginning, and a second start's /close ends it.
long=$(new_data_folder long)
{ printf 'Long '; head -c 1048576 /dev/zero | tr '\0' x; printf '=notepad.exe\r\nShort=notepad.exe\r\n'; } >"$long/Long.kvl"
start_kivo "$long"
if wait_launcher; then
  list_selection 'Kivo ' "$E2E_OUT/long.txt" || true
  [[ "$(tr -d '\r' 2>/dev/null <"$E2E_OUT/long.txt")" == "rows 2 selected 0 inview "?" label Long xxx"* ]] &&
    pass "a caption of a megabyte: the launcher answers" || fail "a caption of a megabyte: the launcher does not answer"
  (cd "$long" && wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
  wait_kivo_exit 10 && pass "and /close ends it"
fi

finish
