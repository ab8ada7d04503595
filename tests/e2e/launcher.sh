#!/usr/bin/env bash
# The launcher window: its rows, keys that switch categories, launching by Enter
# and by double click, the category menu, and the three views.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Alpha.kvl:Probe=my tools\probe.exe;--item "one"|Second=my tools\probe.exe;--item two;my tools|-=|To Beta=kivo;Beta' \
  'Beta.kvl:; my tools, keep this note|Beta one=%windir%\system32\notepad.exe|-=|Beta two=%windir%\system32\cmd.exe' \
  'Gamma.kvl:Gamma=%windir%\system32\winefile.exe' 'Kivo.ini:[Start]|CatSelect=Alpha|[main]|SingleColumn=0|[Beta]|LargeIcons=0')
mkdir -p "$data/my tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/my tools/probe.exe"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"
alpha_rows='1\tProbe\t0\n0\tSecond\t1\n0\tTo Beta\t3\n'
beta_rows='1\tBeta one\t1\n0\t----------\t2\n0\tBeta two\t3\n'

start_kivo "$data"
wait_launcher && pass "the launcher window is titled 'Kivo '" || finish
win=$LAUNCHER_WIN
expect_rows_soon "$alpha_rows" "large icons: no separator row, each row knows its item, the first is selected"
expect_category Alpha "the start category is shown"
screenshot "$win" large-icons

click_caption "$win"
xdotool key Tab
expect_category Beta "Tab shows the next category"
expect_rows_soon "$beta_rows" "small icons show the separator, not the note, and choose the first item"
screenshot "$win" small-icons
xdotool key BackSpace
expect_category Alpha "Backspace goes back to the last one"
xdotool key shift+Tab
expect_category Beta "Shift+Tab too"
xdotool key BackSpace
expect_category Alpha "and Backspace back again"

# The category menu: Space opens it, Escape closes it, an entry switches.
expect_menu_from_keys "$win" space "Space" category-menu
menu_by_keys space || fail "Space opened no category menu"
xdotool key Down Down Down Return
expect_category Gamma "the third entry shows the third category"
xdotool key BackSpace
expect_category Alpha "and back"

# Launching: Enter on the selected row, then a double click on the second row.
expect_rows_soon "$alpha_rows" "with its rows, the first selected"
xdotool key Return
wait_lines "$log" 3 || true
mapfile -t records < <(tr -d '\r' <"$log" 2>/dev/null)
case "${records[0]:-}" in
  *'probe.exe" --item "one"'|*'probe.exe --item "one"') pass "Enter starts the selected item with its parameters" ;;
  *) fail "command line after Enter: ${records[0]:-none}" ;;
esac
if launch_row 1; then
  wait_lines "$log" 6 || true
  mapfile -t records < <(tr -d '\r' <"$log")
  case "${records[3]:-}" in
    *'--item two') pass "a double click starts that row's item" ;;
    *) fail "command line after the double click: ${records[3]:-none}" ;;
  esac
  [ "${records[4]:-}" = "$(winpath "$data")\\my tools" ] && pass "in its own folder" || fail "folder: ${records[4]:-none}"
fi

# A category item switches; Escape ends the program and the settings are saved.
launch_row 2
expect_category Beta "an item naming a category shows it"
xdotool key Escape
wait_kivo_exit && pass "Escape exits"
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=Beta' && pass "the last category is remembered" \
  || fail "MRU not written: $(tr -d '\r' <"$data/Kivo.ini")"

# One column, with Beta's rows.
printf '[Start]\r\nCatSelect=Beta\r\n[main]\r\nSingleColumn=1\r\n[Beta]\r\nLargeIcons=0\r\n' >"$data/Kivo.ini"
if open_kivo "$data"; then
  expect_rows_soon "$beta_rows" "a single column shows every item"
  screenshot "$LAUNCHER_WIN" single-column
  exit_launcher "$LAUNCHER_WIN"
fi

# A first caption of a megabyte: the window answers (the probe waits 2 s for
# each answer) with the caption's beginning, and a second start's /close ends it.
long=$(new_data_folder long)
{ printf 'Long '; head -c 1048576 /dev/zero | tr '\0' x; printf '=notepad.exe\r\nShort=notepad.exe\r\n'; } >"$long/Long.kvl"
long_answers() {
  list_selection 'Kivo ' "$E2E_OUT/long.txt" &&
    [[ "$(tr -d '\r' 2>/dev/null <"$E2E_OUT/long.txt")" == "rows 2 selected 0 inview "?" label Long xxx"* ]]
}
start_kivo "$long"
if wait_launcher; then
  wait_until 10 long_answers && pass "a caption of a megabyte: the launcher answers" \
    || fail "a caption of a megabyte: the launcher does not answer"
  close_kivo "$long" && pass "and /close ends it"
fi

finish
