#!/usr/bin/env bash
# Stay on top: with Stayontop=1 the launcher is a topmost window from the start,
# and a program started afterwards, even when active, does not cover it; turned
# off, the program can cover it; turned on again, the launcher is back on top.
# The strip's tool tips still show.
source "$(dirname "$0")/lib.sh"

data=$(new_data_folder data)
printf '%s\r\n' 'Editor=%windir%\system32\notepad.exe' >"$data/Alpha.kvl"
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nStayontop=1\r\n' >"$data/Kivo.ini"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log

# The colour of one screen pixel as #RRGGBB.
pixel() {
  import -window root -crop "1x1+$1+$2" -depth 8 +repage txt:- | grep -o '#[0-9A-F]\{6\}' | head -1
}

topmost() {  # 0 or 1: the launcher's extended style has WS_EX_TOPMOST
  window_state 'Kivo ' "$E2E_OUT/state.txt" || { echo none; return; }
  local ex
  ex=$(sed -n '1s/.* exstyle \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/state.txt")
  echo $(((ex & 0x8) != 0))
}

# Checks whether the probe window's magenta shows at the launcher's centre. The
# launcher raises itself on its next tick: on a loaded machine that may take a
# while, so the screen is looked at for up to 3 s.
expect_launcher_seen() {
  local what=$1 colour
  for _ in $(seq 15); do
    sleep 0.2
    colour=$(pixel "$cx" "$cy")
    [ "$colour" != '#FF00FF' ] && { pass "$what"; return 0; }
  done
  fail "$what: the started program covers the launcher"
}

expect_launcher_covered() {
  local what=$1 colour
  for _ in $(seq 15); do
    sleep 0.2
    colour=$(pixel "$cx" "$cy")
    [ "$colour" = '#FF00FF' ] && { pass "$what"; return 0; }
  done
  fail "$what: the launcher still shows ($colour)"
}

# Waits up to 3 s for the launcher's topmost flag to be 0 or 1.
topmost_becomes() {
  for _ in $(seq 30); do
    [ "$(topmost)" = "$1" ] && return 0
    sleep 0.1
  done
  return 1
}

# Through the context menu: its ninth entry is "Stay on top?".
menu_stay_on_top() {
  click_caption "$win"
  xdotool key Menu
  sleep 0.5
  xdotool key Down Down Down Down Down Down Down Down Down Return
  sleep 0.5
}

click_probe() { xdotool mousemove 50 600 click 1; }

start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN
read -r x y w h < <(window_geometry "$win")
cx=$((x + w / 2))
cy=$((y + h / 2))
[ "$(topmost)" = 1 ] && pass "Stayontop=1 makes the launcher topmost" || fail "the launcher is not topmost"

wine "$BUILD_DIR/tests/launch_probe.exe" --window </dev/null >>"$E2E_OUT/wine.log" 2>&1 &
probe_pid=$!
if wait_window '^Kivo probe window$' >/dev/null; then
  expect_launcher_seen "a program started afterwards does not cover it"
  click_caption "$win"
  click_probe
  expect_launcher_seen "nor when that program is clicked and active"
  import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/on-top.png"

  menu_stay_on_top
  topmost_becomes 0 && pass "turned off in the context menu, the launcher is not topmost" || fail "still topmost"
  click_probe
  expect_launcher_covered "and the active program covers it"
  import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/covered.png"

  post_message 'Kivo ' 273 66 0
  sleep 0.5
  topmost_becomes 1 && pass "turned on again, it is topmost again" || fail "not topmost after turning it on again"
  expect_launcher_seen "and shows above the program"
  menu_stay_on_top
  menu_stay_on_top
  topmost_becomes 1 && pass "off and on in the context menu, it is topmost" || fail "not topmost after the menu"
  click_probe
  expect_launcher_seen "and the program clicked again does not cover it"
  post_message 'Kivo probe window' 16 0 0
else
  fail "the probe window did not come"
fi
wait "$probe_pid" 2>/dev/null || true

# The tip of the strip, which names Find, shows while the pointer rests on it.
read -r x y w h < <(window_geometry "$win")
xdotool mousemove $((x + w / 2)) $((y + h / 2)) sleep 0.3 mousemove $((x + 60)) $((y + 40))
tip=""
for _ in $(seq 30); do
  window_texts 'Category menu (ALT or Space), Find (Ctrl+F)' "$E2E_OUT/tip.txt" && { tip=shown; break; }
  sleep 0.1
done
import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/tip.png"
[ "$tip" = shown ] && pass "the strip's tool tip shows" || fail "no tool tip over the strip"

exit_launcher "$win"
finish
