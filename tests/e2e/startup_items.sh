#!/usr/bin/env bash
# The items of the start-up category are started when the program starts:
# programs with their parameters, folder and show mode; category switches and
# file menus are skipped; an item that cannot be started says so. "/nostartup"
# starts nothing. A program started minimised does not keep the keyboard: the
# launcher comes up active.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Other.kvl:Editor=notepad.exe' 'Kivo.ini:[Start]|CatSelect=Other' \
  'Startup.kvl:Probe=my tools\probe.exe;--from "start up";;min|Switch=kivo;Other|Files=files;*.kvl|-=|Gone=my tools\missing.exe')
mkdir -p "$data/my tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/my tools/probe.exe"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

start_kivo "$data"
answer_box 'Error' n failure
expect_text "$E2E_OUT/failure.txt" 'Cannot open: "Gone"' "an item that cannot be started is named"
expect_text "$E2E_OUT/failure.txt" 'Enter configuration?' "and the editor is offered"
if wait_launcher; then
  win=$LAUNCHER_WIN
  screenshot "$win" launcher
  expect_category Other "the start category is shown afterwards"
  expect_rows '1\tEditor\t0\n' "with its items"
  open_menu "$E2E_OUT/menu.txt" && fail "a file menu is open" || pass "no file menu was shown"
  exit_launcher "$win"
fi

wait_lines "$log" 3 || true
records=$(grep -c '' "$log" 2>/dev/null) || records=0
[ "$records" -eq 3 ] && pass "one program started" || fail "probe log holds $records lines, expected 3"
dir_win=$(winpath "$data")
mapfile -t record < <(tr -d '\r' <"$log")
case "${record[0]:-}" in
  *'probe.exe'*'--from "start up"') pass "parameters arrive as written" ;;
  *) fail "command line: ${record[0]:-none}" ;;
esac
[ "${record[1]:-}" = "$dir_win\\my tools" ] && pass "started in its own folder" || fail "folder: ${record[1]:-none}"
[ "${record[2]:-}" = 2 ] && pass "started minimized" || fail "show command: ${record[2]:-none}"

mv "$log" "$E2E_OUT/probe-startup.log"
start_kivo "$data" /nostartup
if wait_launcher; then
  win=$LAUNCHER_WIN
  expect_category Other "/nostartup: the start category is shown"
  # The items start (and a failure shows its box) before the launcher shows a category.
  xdotool search --onlyvisible --name '^Error$' >/dev/null && fail "/nostartup tried to start the items" || pass "no item failed to start"
  exit_launcher "$win"
fi
[ ! -e "$log" ] && pass "/nostartup starts nothing" || fail "/nostartup started the probe"

# A minimised program with a window: once it is up, keys go to the launcher.
active=$(make_data active 'Alpha.kvl:Editor=notepad.exe' 'Beta.kvl:Shell=cmd.exe' 'Kivo.ini:[Start]|CatSelect=Alpha' \
  'startup.kvl:Probe=my tools\probe.exe;--window;;min')
mkdir -p "$active/my tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$active/my tools/probe.exe"
start_kivo "$active"
if wait_launcher; then
  win=$LAUNCHER_WIN
  probe_minimised() { look 'Kivo probe window' && grep -q ' iconic 1 ' "$E2E_OUT/look.txt"; }
  wait_until 10 probe_minimised && pass "the program's window is up, minimised" || fail "no minimised program window"
  wait_until 10 is_foreground 'Kivo ' && pass "the launcher is the active window" \
    || fail "the launcher is not active: $(head -1 "$E2E_OUT/foreground.txt")"
  screenshot "$win" active
  xdotool key Tab
  expect_category Beta "Tab works without a click"
  xdotool key Escape
  wait_kivo_exit && pass "and Escape ends the program"
fi
post_message 'Kivo probe window' 16 0 0 || true

finish
