#!/usr/bin/env bash
# Display scaling. In a Wine prefix of the test's own set to 150 % (144 DPI;
# the suite's prefix stays at 96), Kivo lays its window out at that scale: the
# strip 53 pixels high instead of 35, the item view below it, and large icons
# 48 pixels square, taken from the icon file's own image of that size. What it
# writes to Kivo.ini stays in units of 96 DPI, sizes and places alike. Told, as
# Windows tells a window moved to a monitor of another scale, that it is now on
# a display of 200 % (Wine has one DPI for every display and never says so), it
# takes that scale: strip 70 high, icons 64 square from the file's 64-pixel
# image, in the place it had. Screenshots stay in the output folder.
source "$(dirname "$0")/lib.sh"

# --- A Wine prefix of this test's own, at 144 DPI ------------------------------

source "$(dirname "$0")/fresh_prefix.sh"
# Hundreds of megabytes, of no use once the test is over.
at_exit 'end_session; rm -rf "$FRESH"'

# The display settings at 150 %: Wine reads LogPixels from the user's desktop
# settings when its server starts.
fresh_prefix_settings() {
  fresh_setting 'HKCU\Control Panel\Desktop' LogPixels 144 REG_DWORD
}

make_fresh_prefix
start_session || finish

# --- What to show ----------------------------------------------------------------

# sizes.ico has a red image 32 pixels square, a green one of 48 and a blue one
# of 64. The first item is the one selected, which the view draws tinted.
# The category has its place but not its size, which it gets from "main" and
# which Kivo writes into its group at the end.
data=$(make_data data 'Scaled.kvl:Notepad=%windir%\system32\notepad.exe|Sizes=%windir%\system32\notepad.exe;;;;sizes.ico' \
  'Kivo.ini:[Start]|CatSelect=Scaled|[main]|Width=350|Height=250|[Scaled]|WinX=20|WinY=20|LargeIcons=1')
cp "$BUILD_DIR/tests/sizes.ico" "$data/"

# The line of a control in the window's state: "<x> <y> <width> <height>".
control_box() {
  awk -v id="$1" '$1 == "control" && $2 == id {print $4, $5, $6, $7}' "$E2E_OUT/state.txt"
}

# The box that the pixels of exactly that colour fill in the screenshot, and
# how many they are: "<width>x<height> <count>"; "0x0 0" for none.
colour_box() {
  local shot=$1 colour=$2 box count
  local mask=(-fill black +opaque "$colour" -fill white -opaque "$colour")
  box=$(convert "$shot" "${mask[@]}" -format '%@' info: 2>/dev/null)
  count=$(convert "$shot" "${mask[@]}" -format '%[fx:int(mean*w*h+0.5)]' info: 2>/dev/null)
  [ "${count:-0}" = 0 ] && { echo "0x0 0"; return; }
  echo "${box%%+*} $count"
}
# A screenshot of the launcher as <name>.png once the colour fills that box
# with that many pixels (the icons are drawn): box and count into box, count.
shows_colour() {
  screenshot "$LAUNCHER_WIN" "$1"
  read -r box count < <(colour_box "$E2E_OUT/$1.png" "$2") && [ "$box $count" = "$3" ]
}

# The window's state shows the strip that many pixels high.
strip_height() { window_state 'Kivo ' "$E2E_OUT/state.txt" && [ "$(control_box 2 | cut -d' ' -f4)" = "$1" ]; }

# --- At 144 DPI ----------------------------------------------------------------

start_kivo "$data"
wait_launcher || finish
wine "$PROBE" dpi 'Kivo ' "$(winpath "$E2E_OUT/dpi.txt")" </dev/null >/dev/null 2>&1 || true
[ "$(tr -d '\r' <"$E2E_OUT/dpi.txt")" = "window 144 system 144" ] && pass "Wine gives the window 144 DPI" ||
  fail "the window's DPI: $(cat "$E2E_OUT/dpi.txt" 2>/dev/null)"

window_state 'Kivo ' "$E2E_OUT/state.txt" || true
read -r _ left top _ _ _ width height _ < <(head -1 "$E2E_OUT/state.txt")
[ "$width x $height" = "525 x 375" ] && pass "the window's inner area is 350 x 250 at 150 %: 525 x 375 pixels" ||
  fail "inner area $width x $height, not 525 x 375"
[ "$left $top" = "30 30" ] && pass "its corner (20, 20 in Kivo.ini) is at 30, 30" || fail "corner at $left, $top"
read -r _ y _ h < <(control_box 2)
[ "$y $h" = "0 53" ] && pass "the strip is 53 pixels high, not 35" || fail "the strip: y $y, $h high"
read -r x y w h < <(control_box 1)
[ "$x $y $w $h" = "8 53 518 323" ] && pass "the item view fills the rest, 8 pixels in from the left" ||
  fail "the item view at $x $y, $w x $h"
wait_until 10 shows_colour launcher-144 lime "48x48 2304" && pass "the large icon is the file's 48-pixel image" ||
  fail "the icon's green image: $box, $count pixels (launcher-144.png)"
read -r box count < <(colour_box "$E2E_OUT/launcher-144.png" red)
[ "$count" = 0 ] && pass "and not its 32-pixel one stretched" || fail "$count red pixels ($box)"

exit_launcher "$LAUNCHER_WIN"
ini=$(tr -d '\r' <"$data/Kivo.ini")
scaled_group=$(sed -n '/^\[Scaled\]/,/^\[/p' <<<"$ini")
for value in Width=350 Height=250 WinX=20 WinY=20; do
  grep -qx "$value" <<<"$scaled_group" && pass "Kivo.ini keeps $value, in units of 96 DPI" ||
    fail "no $value in the category's group of Kivo.ini: $(tr '\n' ' ' <<<"$scaled_group")"
done

# --- Moved to a display of 192 DPI ---------------------------------------------

start_kivo "$data"
wait_launcher || finish
wine "$PROBE" dpi-change 'Kivo ' 192 </dev/null >/dev/null 2>&1 || fail "the window took no WM_DPICHANGED"
if wait_until 10 strip_height 70; then
  pass "told it is on a display of 200 %, the window makes its strip 70 pixels high"
else
  fail "after the change to 192 DPI the strip is $(control_box 2 | cut -d' ' -f4) pixels high, not 70"
fi
read -r _ left top _ _ _ width _ < <(head -1 "$E2E_OUT/state.txt")
[ "$left $top $width" = "30 30 700" ] && pass "it keeps its corner and is 700 pixels wide inside" ||
  fail "after the change: corner $left, $top, $width wide inside"
wait_until 10 shows_colour launcher-192 blue "64x64 4096" && pass "the large icon is now the file's 64-pixel image" ||
  fail "the icon's blue image: $box, $count pixels (launcher-192.png)"
read -r _ count < <(colour_box "$E2E_OUT/launcher-192.png" lime)
[ "$count" = 0 ] && pass "the 48-pixel image is gone" || fail "$count green pixels left"
exit_launcher "$LAUNCHER_WIN"

# --- Every window whole on the desktop, every text whole in it -------------------

# The editor (1,038 pixels wide at 150 %) and the settings dialog (about 940
# high) cannot stand whole on this 1024 x 700 desktop at 150 %, nor the editor
# at 200 %: they are laid out at a smaller scale. For them, the icon selection
# and the About window, in both languages: the window lies within the work
# area, each control it shows within its inner area, each text within its
# control. Screenshots of each stay in the output folder. A window closed with
# Escape hands the launcher back as the active window, which click_caption
# waits for.
for language in English Deutsch; do
  texts=$(make_data "texts-$language" 'Main.kvl:Folder=explorer.exe;/e,;;;sizes.ico' \
    "Kivo.ini:[Start]|CatSelect=Main|[main]|Language=$language")
  cp "$BUILD_DIR/tests/sizes.ico" "$texts/"
  open_kivo "$texts" || continue
  # "Info" is the tenth entry of the context menu.
  menu_by_keys Menu || fail "Menu opened no context menu"
  xdotool key Down Down Down Down Down Down Down Down Down Down Return
  expect_fits owned-fits 'Kivo ' "about-144-$language"
  import -window root "$E2E_OUT/about-144-$language.png"
  xdotool key Escape
  click_caption "$LAUNCHER_WIN"
  xdotool key F3
  expect_fits dialog-fits 'Kivo ' "settings-144-$language"
  import -window root "$E2E_OUT/settings-144-$language.png"
  xdotool key Escape
  click_caption "$LAUNCHER_WIN"
  xdotool key F2
  wait_editor || continue
  expect_fits fits 'Kivo ' "editor-144-$language"
  screenshot "$EDITOR_WIN" "editor-144-$language"
  # The controls are laid out anew before the message is answered.
  wine "$PROBE" dpi-change 'Kivo ' 192 </dev/null >/dev/null 2>&1 || fail "the editor took no WM_DPICHANGED"
  expect_fits fits 'Kivo ' "editor-192-$language"
  click_control 20
  icons_title=$([ "$language" = Deutsch ] && echo Symbolauswahl || echo 'Icon Selection')
  if icon_win=$(wait_window "^$icons_title\$"); then
    expect_fits fits "$icons_title" "icons-144-$language"
    screenshot "$icon_win" "icons-144-$language"
    xdotool key Escape
    wait_gone "$icons_title" 10 || fail "the icon selection stayed open"
  else
    fail "no icon selection"
  fi
  close_kivo "$texts"
done

# --- Kept on the screen ----------------------------------------------------------

# The launcher's outer rectangle: "<left> <top> <right> <bottom>".
launcher_rect() {
  window_state 'Kivo ' "$E2E_OUT/state.txt" && awk 'NR == 1 {print $2, $3, $4, $5}' "$E2E_OUT/state.txt"
}

# 400 x 400 units at (200, 100) is 600 x 600 pixels from y 150: it would reach
# below the 700 pixels of the desktop. It comes up whole, moved up, not shrunk.
tall=$(make_data tall 'Kivo.ini:[Start]|CatSelect=Scaled|[Scaled]|WinX=200|WinY=100|Width=400|Height=400')
cp "$data/Scaled.kvl" "$tall/"
start_kivo "$tall"
wait_launcher || finish
read -r left top right bottom < <(launcher_rect)
[ "$bottom" -le 700 ] && [ "$top" -ge 0 ] && [ "$left" -ge 0 ] && [ "$right" -le 1024 ] &&
  pass "a window stored reaching below the desktop comes up whole on it ($left $top $right $bottom)" ||
  fail "the tall window stands at $left $top $right $bottom on a desktop 700 pixels high"
read -r _ _ _ _ _ _ width height _ < <(head -1 "$E2E_OUT/state.txt")
[ "$width x $height" = "600 x 600" ] && pass "and keeps its size" || fail "its inner area is $width x $height"
exit_launcher "$LAUNCHER_WIN"

# A window at the bottom edge hides there, also when the work area changed
# since the start: the tray icon brings Wine's taskbar onto the desktop. Then
# the display becomes 800 x 600, and it hides at the new bottom edge.
edge=$(make_data edge 'Kivo.ini:[Start]|CatSelect=Scaled|[main]|ToolBarStyle=1|AutoDelay=0|AutoAlign=0|[Scaled]|WinX=100|WinY=300|Width=200|Height=150')
cp "$data/Scaled.kvl" "$edge/"
open_kivo "$edge" || finish
# The pointer rests on the strip until its tool tip shows: the launcher's
# timer, quicker than the tip's, has seen it over the window by then. The
# window may move up meanwhile, as the taskbar comes: the pointer follows.
on_strip_tip() {
  look 'Kivo ' && xdotool mousemove $(looked_point 2) &&
    wine "$PROBE" tip "$(winpath "$E2E_OUT/tip.txt")" </dev/null >/dev/null 2>&1
}
wait_until 10 on_strip_tip || fail "no tool tip over the strip"
xdotool mousemove 5 5
work_bottom() {
  wine "$PROBE" workarea "$(winpath "$E2E_OUT/workarea.txt")" </dev/null >/dev/null 2>&1
  tr -d '\r' <"$E2E_OUT/workarea.txt" | cut -d' ' -f4
}
# The window's top is 2 pixels above the work area's bottom, give or take a
# pixel of rounding in units.
at_bottom() {
  local edge_y
  edge_y=$(work_bottom)
  read -r _ top _ _ < <(launcher_rect) && [ "$top" -ge $((edge_y - 4)) ] && [ "$top" -lt "$edge_y" ]
}
if wait_until 10 at_bottom; then
  pass "the window at the bottom edge hides at the work area's bottom, above the taskbar (top $top)"
  wine "$PROBE" display 800 600 </dev/null >/dev/null 2>&1 || fail "the display could not be made 800 x 600"
  wait_until 10 at_bottom && pass "after the display became 800 x 600 it hides at the new bottom edge (top $top)" ||
    fail "after the display change its top is at $top; the work area ends at $(work_bottom)"
else
  fail "the window did not hide at the bottom edge: top $top; the work area ends at $(work_bottom)"
fi
close_kivo "$edge"

# On the 800 x 600 display the settings dialog does not fit even at 100 %: it
# is as high as the work area and scrolls, with the wheel, and as Tab moves the
# focus to a control out of sight.
open_kivo "$data" || finish
xdotool key F3
expect_fits dialog-fits 'Kivo ' settings-800x600 cut
wine "$PROBE" dialog-state 'Kivo ' "$(winpath "$E2E_OUT/dialog.txt")" </dev/null >/dev/null 2>&1
read -r dl dt style ch < <(awk 'NR == 1 {print $2, $3, $NF, $8}' "$E2E_OUT/dialog.txt")
[ $((style & 0x00200000)) != 0 ] && pass "it has a vertical scroll bar" || fail "no scroll bar: style $style"
cancel_bottom() {
  wine "$PROBE" dialog-state 'Kivo ' "$(winpath "$E2E_OUT/dialog.txt")" </dev/null >/dev/null 2>&1
  awk '$1 == "control" && $2 == 61 {print $5 + $7}' "$E2E_OUT/dialog.txt"
}
cancel_below() { [ "$(cancel_bottom)" -gt "$ch" ]; }
cancel_in_sight() { [ "$(cancel_bottom)" -le "$ch" ]; }
xdotool mousemove $((dl + 100)) $((dt + 200)) click --repeat 10 --delay 20 4
wait_until 10 cancel_below && pass "the wheel scrolls it up, Cancel out of sight" ||
  fail "after the wheel Cancel ends at $(cancel_bottom), the inner area at $ch"
xdotool key Tab
wait_until 10 cancel_in_sight && pass "Tab onto the buttons scrolls them into sight" ||
  fail "Cancel ends at $(cancel_bottom), the inner area at $ch"
import -window root "$E2E_OUT/settings-800x600.png"
xdotool key Escape
exit_launcher "$LAUNCHER_WIN"

# --- At 200 % ---------------------------------------------------------------------

# The settings dialog, laid out smaller to stand on the 1024 x 700 desktop under
# a caption the system draws at 200 %, shows Ok and Cancel whole.
end_session
fresh_setting 'HKCU\Control Panel\Desktop' LogPixels 192 REG_DWORD
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
start_session || finish
open_kivo "$data" || finish
xdotool key F3
expect_fits dialog-fits 'Kivo ' settings-192
import -window root "$E2E_OUT/settings-192.png"
close_kivo "$data"

finish
