#!/usr/bin/env bash
# The general settings dialog, opened with F3 over the launcher: the enable rules
# follow every click; the hotkey field refuses what cannot be a hotkey; Ok takes
# everything over and the settings file holds it at exit; the start-up shortcut
# is written with "/hide", read back and deleted, and another program's
# shortcut of the same name is left alone; Cancel after a refused hotkey brings
# the old hotkey back.
source "$(dirname "$0")/lib.sh"

crlf() { sed 's/$/\r/'; }

# One look at the settings dialog, a window titled like the launcher that owns it.
look_dialog() { look 'Kivo ' dialog-state; }
dialog_ready() { look_dialog && grep -q ' foreground 1 ' "$E2E_OUT/look.txt" && [ -n "$(looked 102 2)" ]; }
dialog_gone() { local status=0; look_dialog || status=$?; [ "$status" = 1 ]; }

# F3 over the launcher; waits for the dialog, active, its controls made.
open_dialog() {
  click_caption "$LAUNCHER_WIN"
  xdotool key F3
  wait_until 10 dialog_ready || { fail "F3 opened no settings dialog"; return 1; }
}

# Clicks the check boxes (points of the last look) and waits until each one's
# check has changed: the click has been taken, and the rules with it.
toggle() {
  local id before=()
  for id in "$@"; do before+=("$id=$(looked "$id" 17)"); click_looked "$id"; done
  wait_until 10 values_differ "${before[@]}" || fail "a click on $* changed nothing"
}
values_differ() {
  local spec
  look_dialog || return 1
  for spec; do [ "$(looked "${spec%%=*}" 17)" != "${spec#*=}" ] || return 1; done
}

# Checks "enabled:checked" of each control given as id=E:C; the dialog may
# still be taking the last input.
boxes_are() {
  local spec id got
  BAD=""
  look_dialog || { BAD=" no dialog"; return 1; }
  for spec; do
    id=${spec%%=*}
    got="$(looked "$id" 9):$(looked "$id" 17)"
    [ "$got" = "${spec#*=}" ] || BAD+=" $id=$got(want ${spec#*=})"
  done
  [ -z "$BAD" ]
}
expect_boxes() { local what=$1; shift; wait_until 10 boxes_are "$@" && pass "$what" || fail "$what:$BAD"; }

# The hotkey field holds the value (key, modifiers in the next byte) and the
# verdict beside it reads the text (a pattern).
hotkey_is() { look_dialog && [ "$(looked 42 17)" = "$1" ] && [[ "$(looked_text 43)" == $2 ]]; }
expect_hotkey() {
  wait_until 10 hotkey_is "$1" "$2" && pass "$3" ||
    fail "$3: the field holds $(looked 42 17), the verdict reads '$(looked_text 43)'"
}

# The dialog as it looks, for the eye.
dialog_screenshot() {
  local l t r b
  read -r l t r b < <(awk 'NR == 1 {print $2, $3, $4, $5}' "$E2E_OUT/look.txt")
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_OUT/$1.png"
}

# The pointer's shape (see tools/pointer_shape.py) into POINTER, after moving
# it to the screen point anew; true when it is not the shape given.
pointer_not() {
  xdotool mousemove $(($1 + RANDOM % 2)) "$2"
  POINTER=$(/usr/bin/python3 "$(dirname "$0")/tools/pointer_shape.py")
  [ "$POINTER" != "$3" ]
}

ask_exit() {
  post_message 'Kivo ' 1025 65 0 || true
  wait_kivo_exit
}

# --- Enable rules, the hotkey field, and Ok written at exit ---
xdotool mousemove 1000 20  # on the bare desktop while Kivo starts
data=$(make_data rules 'Main.kvl:Editor=notepad.exe' 'Tools.kvl:Calc=calc.exe' 'Startup.kvl:')
open_kivo "$data" || finish
# Texts that take clicks show the hand: the launcher's strip does, the
# dialog's labels do not.
pointer_not 1000 20 "" && desktop_pointer=$POINTER
read -r sx sy sw _ < <(window_geometry "$LAUNCHER_WIN")
wait_until 5 pointer_not $((sx + sw / 2)) $((sy + 30)) "$desktop_pointer" || true
strip_pointer=$POINTER
open_dialog || finish
expect_fits dialog-fits 'Kivo ' settings
dialog_screenshot english
# Not the heading, "?" (F1), the hotkey's verdict, "milliseconds" after its field
# and the captions of two rows of check boxes, each box with a key of its own.
no_keys="35 43 62 106 107 108"
expect_access_keys "$E2E_OUT/look.txt" "$no_keys" "every label, check box and button has its own access key"
[ "$(looked_text 35)" = "General Settings" ] && [ "$(looked_text 60)" = "&Ok" ] && pass "texts from the language table" ||
  fail "title '$(looked_text 35)', button '$(looked_text 60)'"
read -r lx ly < <(looked_point 103)
# A fresh settings file: keep-corner on (centred off), tray off, no hotkey.
expect_boxes "the dialog opens with the rules applied" 46=1:0 47=1:0 36=0:0 37=0:0 38=0:0 51=1:1 52=0:0 41=1:0 42=0:0 40=0:0
wait_until 5 pointer_not "$lx" "$ly" "$strip_pointer" || true
[ "$POINTER" = "$desktop_pointer" ] && [ "$strip_pointer" != "$POINTER" ] &&
  pass "the hand over the strip, the arrow over the dialog's labels" ||
  fail "pointers: strip '$strip_pointer', label '$POINTER', desktop '$desktop_pointer'"
toggle 47
expect_boxes "the tray box makes tool window mode available" 47=1:1 36=1:0 37=0:0 38=0:0
toggle 36
toggle 37
expect_boxes "tool window mode makes auto-hide available, auto-hide the speed" 36=1:1 37=1:1 38=1:0
click_looked 38
xdotool key ctrl+a 7
toggle 47
expect_boxes "unchecking the tray unchecks and disables what depends on it" 47=1:0 36=0:0 37=0:0 38=0:0
[ "$(looked_text 38)" = "0" ] && pass "the slide speed goes back to 0" || fail "slide speed '$(looked_text 38)'"
toggle 47
expect_boxes "the tray again: tool window mode available but unchecked" 47=1:1 36=1:0 37=0:0
toggle 51
expect_boxes "without keep-corner the centred box is available" 51=1:0 52=1:0
toggle 52
toggle 41
expect_boxes "the hotkey box makes the field available" 41=1:1 42=1:0
click_looked 42
xdotool key shift+k
expect_hotkey 331 "Not accepted" "Shift+K is refused"
xdotool key k
expect_hotkey 75 "Not accepted" "a plain letter is refused"
xdotool key F5
expect_hotkey 116 "" "F5 alone is accepted"
xdotool key ctrl+alt+k
expect_hotkey 1611 "" "Ctrl+Alt+K is accepted"
# 0x64B: K with Ctrl (2) and Alt (4) in the control's modifier byte.
[ "$(looked 42 17)" = "1611" ] && pass "the field holds Ctrl+Alt+K" || fail "hotkey field value $(looked 42 17)"
toggle 91 49 54 71 44 55 58
xdotool key "alt+$(access_key "$E2E_OUT/look.txt" 50)"  # checks the box as a click does
click_looked 59
xdotool key ctrl+a 4 5 0
# Return closes an open drop-down list, not the dialog. The start-up category
# is not offered: Tools stays the last row.
click_looked 45
xdotool key Down Down Down Return
wait_until 10 boxes_are 45=1:2 && pass "Return in the open list chooses Tools, the last row" ||
  fail "the start category list: row '$(looked 45 17)'"
xdotool key Return
wait_until 10 dialog_gone && pass "Return on the closed list is Ok" || fail "the dialog stayed open after Return"
ask_exit
crlf >"$E2E_OUT/expected-rules" <<'INI'

[Start]
CatSelect=Tools

[main]
MRU=Main
SingleClick=1
ALTmenu=0
SingleColumn=0
AutoClose=1
SystemTray=1
AllowDrop=1
TitleBar=0
Transparent=0
Stayontop=0
ToolbarStyle=0
AutoEdgeHide=0
EdgeSlide=0
AutoAlign=0
LeftAligned=0
Common=9
AutoDelay=450
Centered=1
VarDrive=0
Hotkey=$13804B
INI
sed -n '1,/^Hotkey=/p' "$data/Kivo.ini" >"$E2E_OUT/written-rules"
expect_file_bytes "$E2E_OUT/written-rules" "$E2E_OUT/expected-rules" "Ok's values are in Kivo.ini at exit, in order"

# --- The start-up shortcut ---
wine "$PROBE" startup-folder "$(winpath "$E2E_OUT/startup.txt")" </dev/null >/dev/null 2>&1 || true
startup_win=$(tr -d '\r\n' <"$E2E_OUT/startup.txt")
startup=$(unixpath "$startup_win")
link="$startup/Kivo.lnk"
rm -f "$link"
at_exit 'rm -f "$link"'
# A slide speed beyond what its field takes, written by hand, in force.
data=$(make_data shortcut 'Main.kvl:Editor=notepad.exe' 'Kivo.ini:[main]|SystemTray=1|ToolBarStyle=1|AutoEdgeHide=1|EdgeSlide=500')
open_kivo "$data" || finish
open_dialog || finish
expect_boxes "no shortcut yet: load at startup unchecked, hidden unavailable" 39=1:0 40=0:0
[ "$(looked_text 38)" = "99" ] && pass "a slide speed of 500 from the file shows as the field's 99" ||
  fail "slide speed '$(looked_text 38)'"
toggle 39
toggle 40
click_looked 60
wait_until 10 dialog_gone || fail "Ok left the dialog open"
wine "$PROBE" link "$startup_win\\Kivo.lnk" "$(winpath "$E2E_OUT/link.txt")" </dev/null >/dev/null 2>&1 || true
tr -d '\r' <"$E2E_OUT/link.txt" >"$E2E_OUT/link-read.txt" 2>/dev/null || true
printf 'target %s\narguments /hide\ndirectory %s\\\n' "$(winpath "$KIVO_EXE")" "$(winpath "$data")" |
  tr '[:upper:]' '[:lower:]' >"$E2E_OUT/link-expected.txt"
tr '[:upper:]' '[:lower:]' <"$E2E_OUT/link-read.txt" >"$E2E_OUT/link-lower.txt"
expect_file_bytes "$E2E_OUT/link-lower.txt" "$E2E_OUT/link-expected.txt" "Kivo.lnk starts this kivo.exe hidden on this data folder"
open_dialog || finish
expect_boxes "the shortcut is read back as Kivo's own, hidden" 39=1:1 40=1:1
toggle 39
expect_boxes "unchecking it makes hidden unavailable" 39=1:0 40=0:1
click_looked 60
wait_until 10 dialog_gone || fail "Ok left the dialog open"
[ ! -e "$link" ] && pass "Ok deletes the shortcut again" || fail "Kivo.lnk is still there"
wine "$PROBE" make-link "$startup_win\\Kivo.lnk" 'C:\windows\notepad.exe' 'C:\windows' </dev/null >/dev/null 2>&1 || true
cp "$link" "$E2E_OUT/foreign.lnk"
open_dialog || finish
expect_boxes "another program's Kivo.lnk disables the box" 39=0:0 40=0:0
toggle 46
toggle 46
expect_boxes "and it stays disabled after the variable-drive box is clicked" 46=1:0 39=0:0
xdotool key alt+F4
wait_until 10 dialog_gone && pass "the close box cancels" || fail "Alt+F4 left the dialog open"
expect_file_bytes "$link" "$E2E_OUT/foreign.lnk" "another program's shortcut is left alone"
ask_exit
rm -f "$link"

# --- Cancel after a refused hotkey: what Ok took over stays, the old hotkey works ---
data=$(make_data cancel 'Main.kvl:Editor=notepad.exe' 'Kivo.ini:[main]|Hotkey=$3804B')
open_kivo "$data" || finish
open_dialog || finish
expect_boxes "the registered hotkey is shown checked" 41=1:1
[ "$(looked 42 17)" = "1611" ] && pass "the field shows Ctrl+Alt+K" || fail "hotkey field value $(looked 42 17)"
click_looked 42
xdotool key ctrl+alt+1
expect_hotkey 1585 "" "keys pressed in the field go to the field"
key=$(access_key "$E2E_OUT/look.txt" 50) && alt_key=$((0x400 + $(printf %d "'${key^^}")))
xdotool key "alt+$key"
wait_until 10 hotkey_is "$alt_key" "*" || true
[ "$(looked 42 17):$(looked 50 17)" = "$alt_key:0" ] && pass "Alt with a box's access key is a hotkey in the field" ||
  fail "after Alt+$key the field holds $(looked 42 17), box 50 $(looked 50 17)"
# Released while the dialog is open: the hotkey itself reaches the field too.
xdotool key ctrl+alt+k
expect_hotkey 1611 "" "the hotkey is released while the dialog is open"
expect_boxes "a hotkey the file held already brings no tray with it" 47=1:0 63=1:0
xdotool key shift+k
toggle 50
click_looked 60
# Ok left the focus in the hotkey field, where F1 would be a key to choose; the
# menu it opens shows that Ok has been taken.
xdotool key Tab F1
wait_until 10 open_menu "$E2E_OUT/help-menu.txt" && pass "F1 opens the help menu" || fail "no help menu after F1"
look_dialog && [ "$(looked_text 43)" = "Not accepted" ] && pass "Ok with a refused hotkey keeps the dialog open" ||
  fail "after Ok with Shift+K: '$(looked_text 43)'"
xdotool key Escape
wait_until 10 menu_closed && toggle 64 && look_dialog && pass "Escape closes the menu only" || fail "Escape in the menu closed the dialog"
xdotool key Escape
wait_until 10 dialog_gone && pass "Escape cancels" || fail "the dialog stayed open after Escape"
click_caption "$LAUNCHER_WIN"
xdotool key ctrl+alt+k
launcher_iconic() { window_state 'Kivo ' "$E2E_OUT/launcher.txt" && grep -q ' iconic 1 ' "$E2E_OUT/launcher.txt"; }
wait_until 10 launcher_iconic && pass "the old hotkey works again after Cancel" ||
  fail "Ctrl+Alt+K did not minimise the launcher: $(head -1 "$E2E_OUT/launcher.txt")"
ask_exit
grep -q '^SingleClick=1' "$data/Kivo.ini" && grep -q '^Hotkey=\$3804B' "$data/Kivo.ini" &&
  pass "what Ok took over stays, with the old hotkey" || fail "$(grep -E '^(SingleClick|Hotkey)=' "$data/Kivo.ini" | tr '\r\n' '  ')"

# --- A first hotkey with the tray off brings the tray and Find with it ---
data=$(make_data first-hotkey 'Main.kvl:Editor=notepad.exe')
open_kivo "$data" || finish
open_dialog || finish
toggle 41
click_looked 42
xdotool key ctrl+alt+k
expect_boxes "a first hotkey ticks the tray and Find at once" 47=1:1 63=1:1 36=1:0
click_looked 60
wait_until 10 dialog_gone || fail "Ok left the dialog open"
click_caption "$LAUNCHER_WIN"
xdotool key Escape
wait_gone 'Kivo ' 5 && kill -0 "$KIVO_PID" 2>/dev/null && pass "Escape then puts the launcher into the tray" ||
  fail "Escape ended Kivo or left it shown"
xdotool key ctrl+alt+k
wait_launcher && xdotool type --delay 80 edi
expect_rows_soon '1\tEditor\tMain\n' "the hotkey brings the launcher back with Find open"
ask_exit
tr -d '\r' <"$data/Kivo.ini" | grep -c -E '^(SystemTray=1|FindOnHotkey=1|Hotkey=\$13804B)$' | grep -qx 3 &&
  pass "the tray, Find on the hotkey and the hotkey are written" || fail "Kivo.ini: $(tr '\r\n' '  ' <"$data/Kivo.ini")"

# --- German, and a program on the Windows drive: no variable drive letter ---
on_c="$WINEPREFIX/drive_c/kivo-e2e-settings"
rm -rf "$on_c"
mkdir -p "$on_c"
at_exit 'rm -rf "$on_c"'
cp -r "$KIVO_EXE" "$BUILD_DIR/Languages" "$on_c/"
data=$(make_data german 'Main.kvl:Editor=notepad.exe' 'Kivo.ini:[main]|Language=Deutsch')
start_program "$on_c/kivo.exe" "$data"
wait_launcher || finish
open_dialog || finish
dialog_screenshot german
[ "$(looked_text 35)" = "Allgemeine Einstellungen" ] && [ "$(looked_text 61)" = "&Abbrechen" ] &&
  pass "the German texts" || fail "title '$(looked_text 35)', cancel '$(looked_text 61)'"
expect_access_keys "$E2E_OUT/look.txt" "$no_keys" "every German label, check box and button has its own access key"
expect_boxes "on the Windows drive the variable-drive box is disabled" 46=0:0 39=1:0
[[ "$(looked_text 46)" == "C: "* ]] && pass "it names the program's drive" || fail "46 reads '$(looked_text 46)'"
# A second start with /close ends the program even while the dialog is open.
close_kivo "$data" && pass "/close ends Kivo while the dialog is open"

finish
