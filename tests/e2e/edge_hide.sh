#!/usr/bin/env bash
# Auto-hide at the desktop edge and auto close: a tool window at the right edge
# slides out 2 pixels short of gone after the pointer has left it, step by step,
# and comes back on a right click; a window sticking out of the work area is
# pulled in by a right click whether or not auto-hide is on; /hide starts it
# hidden at the edge; after a launch, auto close hides it at the edge, sends it
# to the tray, or ends the program.
source "$(dirname "$0")/lib.sh"

export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

wine "$PROBE" workarea "$(winpath "$E2E_OUT/workarea.txt")" </dev/null >/dev/null 2>&1
read -r wa_left wa_top wa_right wa_bottom < <(tr -d '\r' <"$E2E_OUT/workarea.txt")
echo "work area: $wa_left $wa_top $wa_right $wa_bottom"

# A data folder with one category "Alpha" holding the launch probe; the lines
# that follow go into group "main", and WinX/WinY place the window.
edge_data() {
  local name=$1 x=$2 y=$3 dir; shift 3
  dir=$(make_data "$name" 'Alpha.kvl:Probe=probe.exe;--edge' \
    "Kivo.ini:[Start]|CatSelect=Alpha|[main]|AutoAlign=0$(printf '|%s' "$@")|[Alpha]|WinX=$x|WinY=$y|Width=200|Height=150")
  cp "$BUILD_DIR/tests/launch_probe.exe" "$dir/probe.exe"
  echo "$dir"
}

# The launcher's outer rectangle into L T R B, as its X window has it (in the
# virtual desktop X and Windows screen points are the same).
read_rect() { read -r L T R B < <(window_geometry "$win") && R=$((L + R)) B=$((T + B)); }
left_is() { read_rect && [ "$L" = "$1" ]; }
# Waits up to 10 s until the launcher's left edge is at $1.
wait_left() { wait_until 10 left_is "$1"; }
# Nothing but the launcher's timer (every 250 ms) could move it: it is watched
# for that many milliseconds.
stays_left() {
  local end=$((${EPOCHREALTIME/./} + $2 * 1000))
  while [ "${EPOCHREALTIME/./}" -lt "$end" ]; do left_is "$1" && sleep 0.1 || return 1; done
}

# Records every place the X window is moved to, in the background, once xev
# shows that it listens (it reports a property set on the window).
xev_listens() { xprop -id "$1" -f KIVO_MARK 8s -set KIVO_MARK 1 && grep -q KIVO_MARK "$MOVES"; }
record_moves() {
  MOVES="$E2E_OUT/$2.xev"
  xev -id "$1" -event structure -event property >"$MOVES" 2>&1 &
  XEV_PID=$!
  wait_until 5 xev_listens "$1" || fail "xev does not report the window's events"
}

# The left edges the recorded window passed through, one line.
recorded_lefts() {
  kill "$XEV_PID" 2>/dev/null || true
  wait "$XEV_PID" 2>/dev/null || true
  sed -n 's/^ *event 0x[0-9a-f]*, window 0x[0-9a-f]*, (\([-0-9]*\),[-0-9]*), width.*/\1/p' "$MOVES" |
    uniq | tr '\n' ' ' | sed 's/ $//'
}

# The positions from $1 to $3 in steps of $2 with the last one exactly on $3.
expected_steps() {
  local at=$1 step=$2 target=$3 out=""
  while :; do
    at=$((at + step))
    if [ "$step" -gt 0 ] && [ "$at" -ge "$target" ]; then break; fi
    if [ "$step" -lt 0 ] && [ "$at" -le "$target" ]; then break; fi
    out+="$at "
  done
  echo "$out$target"
}

expect_steps() {
  local what=$1 expected=$2 actual
  actual=$(recorded_lefts)
  if [ "$actual" = "$expected" ]; then pass "$what"; else fail "$what: moved through '$actual', not '$expected'"; fi
}

tip_shown() { wine "$PROBE" tip "$(winpath "$E2E_OUT/tip.txt")" </dev/null >/dev/null 2>&1; }

# 1. A tool window sticking out at the right edge, EdgeSlide 7, AutoDelay 0.
xdotool mousemove 100 100
data=$(edge_data right $((wa_right - 190)) 200 ToolBarStyle=1 EdgeSlide=7 AutoDelay=0 AutoClose=1)
start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN
read_rect
width=$((R - L))
[ "$R" = "$wa_right" ] && pass "the window is pulled fully in at start" || fail "at start the window spans $L..$R"
stays_left "$L" 1000 && pass "it does not hide before the pointer has been over it" || fail "hid at once: $L..$R"

record_moves "$win" hide
shown_left=$L
# The pointer rests on the strip until its tool tip shows: the launcher's
# timer, quicker than the tip's, has seen it over the window by then.
xdotool mousemove $((L + width / 2)) $((T + 30))
wait_until 10 tip_shown || fail "no tool tip over the strip"
xdotool mousemove 100 100
if wait_left $((wa_right - 2)); then
  pass "after the pointer left, 2 pixels of it stay inside the right edge"
  [ $((R - L)) = "$width" ] && [ "$T" = 200 ] && pass "its size and height on the screen are kept" ||
    fail "the hidden window is $L $T $R $B"
else
  fail "the window did not hide: $L..$R"
fi
expect_steps "it slid out by 7 pixels a step, exactly onto its place" "$(expected_steps "$shown_left" 7 $((wa_right - 2)))"
screenshot_root() { import -window root -crop 1024x700+0+0 +repage "$E2E_OUT/$1.png"; }
screenshot_root hidden

# The click slides the window in before it would open a menu: once the window
# is in place, the click has been taken.
record_moves "$win" show
xdotool mousemove $((wa_right - 1)) $((T + 75)) click 3
if wait_left "$shown_left"; then
  pass "a right click on the strip brings it back, its right edge on the work area's"
else
  fail "the right click did not bring it back: $L..$R"
fi
expect_steps "it slid in by 7 pixels a step" "$(expected_steps $((wa_right - 2)) -7 "$shown_left")"
open_menu "$E2E_OUT/menu.txt" && { fail "that click opened a menu"; xdotool key Escape; } ||
  pass "that click opens no menu"
screenshot_root shown

# Auto close with the window at an edge: it hides there instead of closing.
launch_row 0
if wait_lines "$log" 3; then pass "the item started"; else fail "the item did not start"; fi
xdotool mousemove 100 100
if wait_left $((wa_right - 2)); then
  pass "auto close after the launch hides the window at the edge"
  kill -0 "$KIVO_PID" 2>/dev/null && pass "and the program goes on" || fail "the program ended"
else
  fail "after the launch the window stayed at $L..$R"
fi
close_kivo "$data"

# 2. A window stored sticking out 20 pixels at the left edge comes up whole on
# the screen. Dragged out again, with auto-hide off (no tool window) it stays;
# a right click pulls it in by 7, 7 and then exactly 6 pixels.
data=$(edge_data left -20 200 EdgeSlide=7)
start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN
read_rect
[ "$L" = 0 ] && pass "a window stored beyond the left edge comes up at it" || fail "placed at $L..$R"
wine "$PROBE" move 'Kivo ' -20 "$T" </dev/null >/dev/null 2>&1 || true
wait_left -20 && stays_left -20 500 && pass "moved out again, with auto-hide off it stays there" ||
  fail "moved to -20, it stands at $L..$R"
record_moves "$win" pull-in
xdotool mousemove $((L + 120)) $((B - 140)) click 3
wait_left 0 && pass "a right click on the strip pulls it in" || fail "the right click left it at $L..$R"
expect_steps "EdgeSlide 7 over 20 pixels moves it by 7, 7 and 6" "-13 -6 0"
open_menu "$E2E_OUT/menu2.txt" && { fail "the pulling click opened a menu"; xdotool key Escape; } ||
  pass "the pulling click opens no menu"
xdotool mousemove $((L + 120)) $((B - 140)) click 3
wait_until 10 open_menu "$E2E_OUT/menu3.txt" && pass "the next right click opens the context menu" || fail "no context menu"
xdotool key Escape
close_kivo "$data"

# 3. /hide with auto-hide on: the window starts hidden at the edge.
data=$(edge_data hide-start $((wa_right - 100)) 300 ToolBarStyle=1)
start_kivo "$data" /hide
wait_launcher || finish
win=$LAUNCHER_WIN
if wait_left $((wa_right - 2)); then
  pass "/hide starts the window hidden at the right edge"
else
  fail "/hide left the window at $L..$R"
fi
close_kivo "$data"

# 4. Auto close in the middle of the screen: ends the program after AutoDelay
# (1 s) from the launch, which comes after the key; a tool window goes to the
# tray instead.
rm -f "$log"
data=$(edge_data middle 300 200 AutoClose=1 AutoDelay=1)
open_kivo "$data" || finish
sent=${EPOCHREALTIME/./}
xdotool key Return
wait_lines "$log" 3 || fail "the item did not start"
wait_kivo_exit 5 && pass "then auto close ends it"
waited=$(((${EPOCHREALTIME/./} - sent) / 1000))
[ "$waited" -gt 1000 ] && pass "the program waits for AutoDelay" || fail "it closed $waited ms after the key"

rm -f "$log"
data=$(edge_data tray 300 200 ToolBarStyle=1 AutoClose=1 AutoDelay=0)
open_kivo "$data" || finish
xdotool key Return
wait_lines "$log" 3 || fail "the item did not start"
if wait_gone 'Kivo ' 5; then
  pass "a tool window goes to the tray instead"
  kill -0 "$KIVO_PID" 2>/dev/null && pass "and the program goes on" || fail "the program ended"
else
  fail "the tool window is still shown after the launch"
fi
close_kivo "$data"

finish
