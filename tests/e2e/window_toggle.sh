#!/usr/bin/env bash
# The hotkey and the tray icon bring the launcher up and send it away: pressed
# while the launcher is active it minimises; pressed while another program is
# active it activates the launcher; a tool window with auto-hide hides at its
# edge into the tray and comes back whole, by the hotkey or a click on the tray
# icon.
source "$(dirname "$0")/lib.sh"

export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log

# Ctrl+Alt+K: key 0x4B, registered (0x8000), modifiers Alt and Ctrl (3 << 16).
hotkey='$3804B'
items='Alpha.kvl:Editor=%windir%\system32\notepad.exe'
data=$(make_data data "$items" "Kivo.ini:[Start]|CatSelect=Alpha|[main]|Hotkey=$hotkey")

# The launcher's state line, or "gone" when no visible window has its title.
launcher_line() { window_state 'Kivo ' "$E2E_OUT/state.txt" && head -1 "$E2E_OUT/state.txt" || echo gone; }
launcher_matches() { grep -Eq -- "$1" <<<"$(launcher_line)"; }
# Waits up to 10 s until the launcher's state line matches the pattern.
expect_launcher() { wait_until 10 launcher_matches "$1" && pass "$2" || fail "$2: $(launcher_line)"; }

open_kivo "$data" || finish
xdotool key ctrl+alt+k
expect_launcher ' iconic 1 ' "the hotkey minimises the active launcher"
xdotool key ctrl+alt+k
expect_launcher ' iconic 0 foreground 1 ' "pressed again, it brings the launcher back, active"

wine "$BUILD_DIR/tests/launch_probe.exe" --window </dev/null >>"$E2E_OUT/wine.log" 2>&1 &
probe_pid=$!
if wait_window '^Kivo probe window$' >/dev/null; then
  xdotool mousemove 50 600 click 1
  expect_launcher ' foreground 0 ' "another program is active"
  xdotool key ctrl+alt+k
  expect_launcher ' iconic 0 foreground 1 ' "the hotkey activates the launcher instead of minimising it"
  post_message 'Kivo probe window' 16 0 0
else
  fail "the probe window did not come"
fi
wait "$probe_pid" 2>/dev/null || true
close_kivo "$data"

# A tool window at the right edge: into the tray by way of the edge, and back.
read -r _ _ desk_w desk_h < <(window_geometry "$(xdotool search --name 'Wine desktop' | head -1)")
wine "$PROBE" workarea "$(winpath "$E2E_OUT/workarea.txt")" </dev/null >/dev/null 2>&1
read -r _ _ wa_right _ < <(tr -d '\r' <"$E2E_OUT/workarea.txt")
tool=$(make_data tool "$items" \
  "Kivo.ini:[Start]|CatSelect=Alpha|[main]|Hotkey=$hotkey|ToolBarStyle=1|AutoAlign=0|[Alpha]|WinX=$((wa_right - 200))|WinY=200")
start_kivo "$tool"
wait_launcher || finish
expect_launcher "^window [0-9]+ 200 $wa_right " "the tool window stands at the right edge"
click_caption "$LAUNCHER_WIN"
xdotool key ctrl+alt+k
if wait_gone 'Kivo ' 5; then pass "the hotkey sends it into the tray"; else fail "the window is still shown"; fi
xdotool key ctrl+alt+k
expect_launcher "^window [0-9]+ 200 $wa_right .* iconic 0 foreground 1 " "the hotkey brings it back whole and active"
click_caption "$LAUNCHER_WIN"
xdotool key Escape
if wait_gone 'Kivo ' 5; then pass "Escape sends it into the tray too"; else fail "Escape left it shown"; fi
kill -0 "$KIVO_PID" 2>/dev/null && pass "and the program goes on" || fail "Escape ended the program"
# The tray icon is the last one, at the right end of the taskbar.
xdotool mousemove $((desk_w - 10)) $((desk_h - 10)) click 1
expect_launcher "^window [0-9]+ 200 $wa_right .* iconic 0 " "a click on the tray icon brings it back"
import -window root -crop "${desk_w}x${desk_h}+0+0" +repage "$E2E_OUT/back-from-tray.png"
close_kivo "$tool"

finish
