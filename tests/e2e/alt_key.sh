#!/usr/bin/env bash
# The Alt key: pressed and released alone it opens the category menu; with
# another key it is that key's modifier, so Alt+F4 ends the program (saving the
# settings like any exit) instead of opening the menu.
source "$(dirname "$0")/lib.sh"

data=$(new_data_folder data)
printf '%s\r\n' 'Editor=%windir%\system32\notepad.exe' >"$data/Alpha.kvl"
printf '%s\r\n' 'Shell=%windir%\system32\cmd.exe' >"$data/Beta.kvl"
printf '[Start]\r\nCatSelect=Alpha\r\n' >"$data/Kivo.ini"

start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN
click_caption "$win"

expect_menu_from_keys "$win" alt "a lone Alt" lone-alt

xdotool key alt+shift
sleep 0.5
open_menu "$E2E_OUT/shift.txt" && { fail "Alt with Shift opened the menu"; xdotool key Escape; } \
  || pass "Alt with Shift opens nothing"
xdotool keydown alt sleep 0.8 keyup alt
sleep 0.5
open_menu "$E2E_OUT/held.txt" && { pass "Alt held a while opens the menu when let go"; xdotool key Escape; } \
  || fail "no menu after Alt was held and let go"
sleep 0.5

# Kivo.ini holds no MRU yet: a normal exit writes it.
xdotool key alt+F4
if wait_kivo_exit 10; then pass "Alt+F4 ends the program"; else open_menu "$E2E_OUT/altf4.txt" && echo "    a menu is open"; fi
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'MRU=Alpha' && pass "and the settings are saved" \
  || fail "settings not saved: $(tr -d '\r' <"$data/Kivo.ini" | tr '\n' ' ')"

finish
