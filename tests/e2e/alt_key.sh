#!/usr/bin/env bash
# The Alt key: pressed and released alone it opens the category menu; with
# another key it is that key's modifier, so Alt+F4 ends the program (saving the
# settings like any exit) instead of opening the menu.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Alpha.kvl:Editor=%windir%\system32\notepad.exe' 'Beta.kvl:Shell=%windir%\system32\cmd.exe' \
  'Kivo.ini:[Start]|CatSelect=Alpha')
open_kivo "$data" || finish
win=$LAUNCHER_WIN

# First, while no menu has closed just before (which would hold the next one
# back): Tab after Alt with Shift switches the category only when no menu took it.
xdotool key alt+shift Tab
expect_category Beta "Tab after Alt with Shift shows the next category"
open_menu "$E2E_OUT/shift.txt" && { fail "Alt with Shift opened the menu"; xdotool key Escape; } \
  || pass "Alt with Shift opens nothing"

expect_menu_from_keys "$win" alt "a lone Alt" lone-alt
# Held down a while (the hold is the input, not a wait).
xdotool keydown alt sleep 0.8 keyup alt
wait_until 10 open_menu "$E2E_OUT/held.txt" && pass "Alt held a while opens the menu when let go" \
  || fail "no menu after Alt was held and let go"
xdotool key Escape
wait_until 10 menu_closed || fail "Escape left the menu open"

# Kivo.ini holds no MRU yet: a normal exit writes it.
xdotool key alt+F4
if wait_kivo_exit 10; then pass "Alt+F4 ends the program"; else open_menu "$E2E_OUT/altf4.txt" && echo "    a menu is open"; fi
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=Beta' && pass "and the settings are saved" \
  || fail "settings not saved: $(tr -d '\r' <"$data/Kivo.ini" | tr '\n' ' ')"

finish
