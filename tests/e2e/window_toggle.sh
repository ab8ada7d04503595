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
data=$(new_data_folder data)
printf '%s\r\n' 'Editor=%windir%\system32\notepad.exe' >"$data/Alpha.kvl"
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nHotkey=%s\r\n' "$hotkey" >"$data/Kivo.ini"

# The launcher's state line, or "gone" when no visible window has its title.
launcher_line() {
  window_state 'Kivo ' "$E2E_OUT/state.txt" && head -1 "$E2E_OUT/state.txt" || echo gone
}

# Waits up to 5 s until the launcher's state line matches the pattern.
expect_launcher() {
  local pattern=$1 what=$2 line=""
  for _ in $(seq 50); do
    line=$(launcher_line)
    grep -Eq -- "$pattern" <<<"$line" && { pass "$what"; return 0; }
    sleep 0.1
  done
  fail "$what: $line"
}

ask_exit() {
  (cd "$1" && wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
  wait_kivo_exit
}

start_kivo "$data"
wait_launcher || finish
click_caption "$LAUNCHER_WIN"
xdotool key ctrl+alt+k
expect_launcher ' iconic 1 ' "the hotkey minimises the active launcher"
xdotool key ctrl+alt+k
expect_launcher ' iconic 0 foreground 1 ' "pressed again, it brings the launcher back, active"

wine "$BUILD_DIR/tests/launch_probe.exe" --window </dev/null >>"$E2E_OUT/wine.log" 2>&1 &
probe_pid=$!
if wait_window '^Kivo probe window$' >/dev/null; then
  xdotool mousemove 50 600 click 1
  sleep 0.5
  expect_launcher ' foreground 0 ' "another program is active"
  xdotool key ctrl+alt+k
  expect_launcher ' iconic 0 foreground 1 ' "the hotkey activates the launcher instead of minimising it"
  post_message 'Kivo probe window' 16 0 0
else
  fail "the probe window did not come"
fi
wait "$probe_pid" 2>/dev/null || true
ask_exit "$data"

# A tool window at the right edge: into the tray by way of the edge, and back.
read -r _ _ desk_w desk_h < <(window_geometry "$(xdotool search --name 'Wine desktop' | head -1)")
wine "$PROBE" workarea "$(winpath "$E2E_OUT/workarea.txt")" </dev/null >/dev/null 2>&1
read -r _ _ wa_right _ < <(tr -d '\r' <"$E2E_OUT/workarea.txt")
tool=$(new_data_folder tool)
cp "$data/Alpha.kvl" "$tool/"
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nHotkey=%s\r\nToolBarStyle=1\r\nAutoAlign=0\r\n[Alpha]\r\nWinX=%s\r\nWinY=200\r\n' \
  "$hotkey" $((wa_right - 200)) >"$tool/Kivo.ini"
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
ask_exit "$tool"

finish
