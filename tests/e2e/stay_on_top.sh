#!/usr/bin/env bash
# Stay on top: with Stayontop=1 the launcher is a topmost window from the start,
# and a program started afterwards, even when active, does not cover it; turned
# off, the program can cover it; turned on again, the launcher is back on top.
# The strip's tool tips still show.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Alpha.kvl:Editor=%windir%\system32\notepad.exe' 'Kivo.ini:[Start]|CatSelect=Alpha|[main]|Stayontop=1')
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log

# Whether the probe window's magenta shows at the point (the launcher's centre).
covered() { import -window root -crop "1x1+${1:-$cx}+${2:-$cy}" -depth 8 +repage txt:- | grep -q '#FF00FF'; }
seen() { ! covered; }
# The launcher's extended style has WS_EX_TOPMOST (0x8) as $1 (0 or 1) says.
topmost() {
  look 'Kivo ' || return 1
  local ex
  ex=$(sed -n '1s/.* exstyle \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/look.txt")
  [ "$(((ex & 0x8) != 0))" = "$1" ]
}
# The launcher raises itself on its next tick once another window is active:
# the probe window is waited for first, active (Wine gives it the X focus:
# asked of X, so that no Wine start competes with the two programs just then)
# and painted, then the launcher; then Wine confirms which window is active.
probe_focused() { [ "$(xdotool getwindowfocus 2>/dev/null)" = "$probe_win" ]; }
expect_after_probe_active() {
  wait_until 10 probe_focused && wait_until 10 covered 50 600 || { fail "$2: the program is not active and shown"; return; }
  wait_until 10 "$1" && is_foreground 'Kivo probe window' && pass "$2" ||
    fail "$2: $(covered && echo "the program covers the launcher" || echo "the launcher shows, or the program is not active")"
}

# Through the context menu: its ninth entry is "Stay on top?".
menu_stay_on_top() {
  click_caption "$win"
  menu_by_keys Menu || fail "no context menu"
  xdotool key Down Down Down Down Down Down Down Down Down Return
  wait_until 10 menu_closed || fail "the context menu stays open"
}
click_probe() { xdotool mousemove 50 600 click 1; }

start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN
read -r x y w h < <(window_geometry "$win")
cx=$((x + w / 2))
cy=$((y + h / 2))
wait_until 10 topmost 1 && pass "Stayontop=1 makes the launcher topmost" || fail "the launcher is not topmost"

wine "$BUILD_DIR/tests/launch_probe.exe" --window </dev/null >>"$E2E_OUT/wine.log" 2>&1 &
probe_pid=$!
if probe_win=$(wait_window '^Kivo probe window$'); then
  expect_after_probe_active seen "a program started afterwards does not cover it"
  click_caption "$win"
  click_probe
  expect_after_probe_active seen "nor when that program is clicked and active"
  import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/on-top.png"

  menu_stay_on_top
  wait_until 10 topmost 0 && pass "turned off in the context menu, the launcher is not topmost" || fail "still topmost"
  click_probe
  expect_after_probe_active covered "and the active program covers it"
  import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/covered.png"

  post_message 'Kivo ' 273 66 0
  wait_until 10 topmost 1 && pass "turned on again, it is topmost again" || fail "not topmost after turning it on again"
  wait_until 10 seen && pass "and shows above the program" || fail "the program still covers the launcher"
  menu_stay_on_top
  wait_until 10 topmost 0 || fail "the context menu did not turn it off"
  menu_stay_on_top
  wait_until 10 topmost 1 && pass "off and on in the context menu, it is topmost" || fail "not topmost after the menu"
  click_probe
  expect_after_probe_active seen "and the program clicked again does not cover it"
  post_message 'Kivo probe window' 16 0 0
else
  fail "the probe window did not come"
fi
wait "$probe_pid" 2>/dev/null || true

# The tip of the strip, which names Find, shows while the pointer rests on it
# after it came there from the list.
read -r x y w h < <(window_geometry "$win")
tip_over_strip() {
  xdotool mousemove $((x + w / 2)) $((y + h / 2)) mousemove $((x + 60)) $((y + 40))
  wait_until 2 window_texts 'Category menu (ALT or Space), Find (Ctrl+F)' "$E2E_OUT/tip.txt"
}
wait_until 10 tip_over_strip && pass "the strip's tool tip shows" || fail "no tool tip over the strip"
import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/tip.png"

exit_launcher "$win"
finish
