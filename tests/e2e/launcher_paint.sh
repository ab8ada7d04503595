#!/usr/bin/env bash
# What the launcher window shows after it changed: after a resize and after a
# switch of view it looks exactly as when it paints itself anew (no stale
# strip, arrow or glyph); the single column of a long category needs no
# sideways scroll bar; a long category name ends in an ellipsis and keeps off
# the arrows. Screenshots stay in the output folder.
source "$(dirname "$0")/lib.sh"

long='A category name far too long for the strip, whatever its font'
longer="$long, and longer still"
editor='Editor=%windir%\system32\notepad.exe'
data=$(make_data data "$long.kvl:$editor" "$longer.kvl:$editor" "Short.kvl:$editor" \
  "Programs.kvl:$(seq -f "Item %g=%%windir%%\system32\notepad.exe" 1 100 | paste -sd'|')" \
  'Kivo.ini:[Start]|CatSelect=Programs|[main]|SingleColumn=1|[Programs]|LargeIcons=0')

# Screenshots the launcher into <name>.png; true when it is as the one before:
# its painting has settled.
settled() {
  [ ! -f "$E2E_OUT/$1.png" ] || mv "$E2E_OUT/$1.png" "$E2E_OUT/$1-before.png"
  screenshot "$win" "$1"
  [ "$(compare -metric AE "$E2E_OUT/$1.png" "$E2E_OUT/$1-before.png" null: 2>&1)" = 0 ]
}

# The launcher as it is, then as it paints itself anew (once it answered, the
# paint is next): they must be the same.
expect_fresh() {
  local name=$1 what=$2 differing
  xdotool mousemove 1000 690
  wait_until 10 settled "$name" || true
  wait_until 10 repaint_window 'Kivo ' || true
  look 'Kivo ' || true
  wait_until 10 settled "$name-repainted" || true
  differing=$(compare -metric AE "$E2E_OUT/$name.png" "$E2E_OUT/$name-repainted.png" null: 2>&1 || true)
  [ "$differing" = 0 ] && pass "$what" || fail "$what: $differing pixels differ from a fresh paint ($name.png)"
}

# Drags the window's right border by that many pixels, as a user resizes it,
# and waits for the new width.
drag_right_border() {
  local x y w h edge
  read -r x y w h < <(window_geometry "$win")
  edge=$((x + w - 2))
  xdotool mousemove "$edge" $((y + h / 2)) mousedown 1 mousemove $((edge + $1 / 2)) $((y + h / 2)) \
    mousemove $((edge + $1)) $((y + h / 2)) mouseup 1
  wait_until 10 width_is $((w + $1)) || fail "the window is not $((w + $1)) pixels wide after the drag"
}
width_is() { [ "$(window_geometry "$win" | cut -d' ' -f3)" = "$1" ]; }

view_style() { look 'Kivo ' && looked 1 13; }  # the style of the item view (control 1)

open_kivo "$data" || finish
win=$LAUNCHER_WIN
expect_fresh single-column "the single column is painted right"
style=$(view_style)
[ -n "$style" ] && [ $((style & 0x100000)) -eq 0 ] && pass "100 items in one column: no sideways scroll bar" \
  || fail "the single column scrolls sideways (style $style)"
[ -n "$style" ] && [ $((style & 0x200000)) -ne 0 ] && pass "but an upright one" || fail "no upright scroll bar"

drag_right_border -150
expect_fresh narrower "made narrower, the strip and arrows are painted at their new places"
drag_right_border 250
expect_fresh wider "made wider too"
style=$(view_style)
[ $((style & 0x100000)) -eq 0 ] && pass "after resizing, still no sideways scroll bar" \
  || fail "a sideways scroll bar after resizing"

# Item 95 chosen with the keys, then large icons from the context menu (its
# fourth entry): the refilled view shows item 95 selected and in sight.
column_style=$(view_style)
style_is() { [ "$(view_style)" "$1" "$2" ]; }
# The view switched, its selected row (in rows-large.txt) is item 94.
switched_on_94() {
  style_is != "$column_style" && list_rows 'Kivo ' "$E2E_OUT/rows-large.txt" &&
    [ "$(awk -F'\t' '$1 == 1 {print $3}' "$E2E_OUT/rows-large.txt")" = 94 ]
}
in_sight() {
  read -r px py < <(row_point 'Kivo ' 94) && [ "$px" -gt "$x" ] && [ "$px" -lt $((x + w)) ] &&
    [ "$py" -gt $((y + h - 215)) ] && [ "$py" -lt $((y + h)) ]
}
click_caption "$win"
xdotool key End Up Up Up Up Up
menu_by_keys Menu || fail "no context menu"
xdotool key Down Down Down Down Return
wait_until 10 switched_on_94 && pass "the row chosen with the keys stays selected" \
  || fail "selected after the switch: '$(awk -F'\t' '$1 == 1 {print $3}' "$E2E_OUT/rows-large.txt")'"
read -r x y w h < <(window_geometry "$win")
wait_until 10 in_sight && pass "and is scrolled into sight" \
  || fail "the selected row is out of sight (${px:-?},${py:-?} in ${w}x${h}+$x+$y)"
expect_fresh large-icons "switched to large icons, the view is painted right"
drag_right_border -120
expect_fresh large-icons-narrower "and after a resize"
post_message 'Kivo ' 273 70 0
wait_until 10 style_is = "$column_style" || fail "the view is not one column again"
expect_fresh back-to-column "and back to one column"
exit_launcher "$win"

# Small icons and long names; the arrows stand at the left end.
printf '[Start]\r\nCatSelect=Short\r\n[main]\r\nSingleColumn=0\r\nAutoAlign=0\r\nLeftAligned=1\r\n' >"$data/Kivo.ini"
for name in Short "$long" "$longer"; do printf '[%s]\r\nLargeIcons=0\r\nFont=Arial,12,0,0\r\n' "$name"; done \
  >>"$data/Kivo.ini"
open_kivo "$data" || finish
win=$LAUNCHER_WIN
expect_fresh small-icons "small icons are painted right"
read -r x y w h < <(window_geometry "$win")
# Below the last row of the list mode the view shows its background, not a black
# band (which Wine's list view paints when it draws through its own buffer).
band=$(convert "$E2E_OUT/small-icons.png" -crop "1x1+$((w / 2))+$((h - 12))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}')
[ "$band" = "#FFFFFF" ] && pass "the bottom of the small icons is white" || fail "the bottom of the small icons is $band"
caption=$((h - 250))  # the window's inner area is 250 pixels high
strip_parts() {  # the arrows and the start of the strip, as two pictures, once the window has settled
  wait_until 10 settled "$1-name" || true
  convert "$E2E_OUT/$1-name.png" -crop "26x35+4+$caption" +repage "$E2E_OUT/arrows-$1.png"
  convert "$E2E_OUT/$1-name.png" -crop "120x35+30+$caption" +repage "$E2E_OUT/start-$1.png"
}
click_caption "$win"
xdotool key Tab
expect_category "$long" "Tab shows the long name"
strip_parts long
xdotool key Tab
expect_category "$longer" "and the longer one"
strip_parts longer
xdotool key Tab Tab  # Programs, then Short again, now with the previous arrow enabled too
expect_category Short "Tab goes round to the short name"
strip_parts short
differing=$(compare -metric AE "$E2E_OUT/arrows-short.png" "$E2E_OUT/arrows-long.png" null: 2>&1 || true)
[ "$differing" = 0 ] && pass "a long name keeps off the arrows" || fail "the long name runs into the arrows"
differing=$(compare -metric AE "$E2E_OUT/start-long.png" "$E2E_OUT/start-longer.png" null: 2>&1 || true)
[ "$differing" = 0 ] && pass "and shows its start whatever its length" || fail "the start of a long name is cut"
exit_launcher "$win"

finish
