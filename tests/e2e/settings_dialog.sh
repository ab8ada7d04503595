#!/usr/bin/env bash
# The general settings dialog, opened with F3 over the launcher: the enable rules
# follow every click; the hotkey field refuses what cannot be a hotkey; Ok takes
# everything over and the settings file holds it at exit; the start-up shortcut
# is written with "/hide", read back and deleted, and another program's
# shortcut of the same name is left alone; Cancel after a refused hotkey brings
# the old hotkey back.
source "$(dirname "$0")/lib.sh"

crlf() { sed 's/$/\r/'; }

dialog_state() { wine "$PROBE" dialog-state 'Kivo ' "$(winpath "$E2E_OUT/dialog.txt")" </dev/null >/dev/null 2>&1; }

# F3 over the launcher; waits up to 5 s for the dialog.
open_dialog() {
  click_caption "$LAUNCHER_WIN"
  xdotool key F3
  for _ in $(seq 50); do
    dialog_state && { sleep 0.3; dialog_state; return 0; }
    sleep 0.1
  done
  fail "F3 opened no settings dialog"
  return 1
}

# Fields of a control's line in the last dialog state: control <id> <class> x y
# w h enabled E visible V style S exstyle X value N text ...
control_field() {
  dialog_state || true
  awk -v id="$1" -v n="$2" '$1 == "control" && $2 == id {print $n}' "$E2E_OUT/dialog.txt"
}
enabled() { control_field "$1" 9; }
checked() { control_field "$1" 17; }
control_text() { dialog_state || true; sed -n "s/^control $1 [^ ]* .* value [-0-9]* text //p" "$E2E_OUT/dialog.txt"; }

# The screen point of a control: check boxes and labels near their left end,
# anything else in its middle.
control_point() {
  local id=$1 l t r b cw ch x y w h border px
  read -r l t r b cw ch < <(awk 'NR == 1 {print $2, $3, $4, $5, $7, $8}' "$E2E_OUT/dialog.txt")
  read -r x y w h < <(awk -v id="$id" '$1 == "control" && $2 == id {print $4, $5, $6, $7}' "$E2E_OUT/dialog.txt")
  border=$(((r - l - cw) / 2))
  px=$((x + w / 2))
  case "$(control_field "$id" 3)" in
    Button) [ "$w" -gt 60 ] && px=$((x + 7)) ;;
    Static) px=$((x + 20)) ;;
  esac
  echo $((l + border + px)) $((b - border - ch + y + h / 2))
}

click_control() {
  local px py
  read -r px py < <(control_point "$1")
  xdotool mousemove "$px" "$py" click 1
  sleep 0.3
}

# Checks "enabled checked" of each control given as id=E:C.
expect_boxes() {
  local what=$1 spec id want got bad=""; shift
  dialog_state || true
  for spec in "$@"; do
    id=${spec%%=*}
    want=${spec#*=}
    got="$(enabled "$id"):$(checked "$id")"
    [ "$got" = "$want" ] || bad="$bad $id=$got(want $want)"
  done
  [ -z "$bad" ] && pass "$what" || fail "$what:$bad"
}

expect_verdict() {
  local want=$1 what=$2 got
  got=$(control_text 43)
  [ "$got" = "$want" ] && pass "$what" || fail "$what: the hotkey verdict reads '$got'"
}

# The dialog as it looks, for the eye.
dialog_screenshot() {
  local l t r b
  read -r l t r b < <(awk 'NR == 1 {print $2, $3, $4, $5}' "$E2E_OUT/dialog.txt")
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_OUT/$1.png"
}

# The pointer's shape over a screen point (see tools/pointer_shape.py).
pointer_over() {
  xdotool mousemove "$1" "$2"
  sleep 0.2
  xdotool mousemove_relative 1 0
  sleep 0.4
  /usr/bin/python3 "$(dirname "$0")/tools/pointer_shape.py"
}

dialog_gone() { for _ in $(seq 30); do dialog_state || return 0; sleep 0.1; done; return 1; }

ask_exit() {
  post_message 'Kivo ' 1025 65 0 || true
  wait_kivo_exit
}

# --- Enable rules, the hotkey field, and Ok written at exit ---
data=$(new_data_folder rules)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
printf 'Calc=calc.exe\r\n' >"$data/Tools.kvl"
: >"$data/Startup.kvl"
start_kivo "$data"
wait_launcher || finish
read -r sx sy sw _ < <(window_geometry "$LAUNCHER_WIN")
strip_pointer=$(pointer_over $((sx + sw / 2)) $((sy + 30)))
open_dialog || finish
expect_fits dialog-fits 'Kivo ' settings
dialog_screenshot english
# Not the heading, "?" (F1), the hotkey's verdict, "milliseconds" after its field
# and the captions of two rows of check boxes, each box with a key of its own.
no_keys="35 43 62 106 107 108"
expect_access_keys "$E2E_OUT/dialog.txt" "$no_keys" "every label, check box and button has its own access key"
# A fresh settings file: keep-corner on (centred off), tray off, no hotkey.
expect_boxes "the dialog opens with the rules applied" 46=1:0 47=1:0 36=0:0 37=0:0 38=0:0 51=1:1 52=0:0 41=1:0 42=0:0 40=0:0
[ "$(control_text 35)" = "General Settings" ] && [ "$(control_text 60)" = "&Ok" ] && pass "texts from the language table" ||
  fail "title '$(control_text 35)', button '$(control_text 60)'"
# Texts that take clicks show the hand: the launcher's strip does, the
# dialog's labels do not.
read -r lx ly < <(control_point 103)
label_pointer=$(pointer_over "$lx" "$ly")
desktop_pointer=$(pointer_over 1000 20)
[ "$label_pointer" = "$desktop_pointer" ] && [ "$strip_pointer" != "$label_pointer" ] &&
  pass "the hand over the strip, the arrow over the dialog's labels" ||
  fail "pointers: strip '$strip_pointer', label '$label_pointer', desktop '$desktop_pointer'"
click_control 47
expect_boxes "the tray box makes tool window mode available" 47=1:1 36=1:0 37=0:0 38=0:0
click_control 36
click_control 37
expect_boxes "tool window mode makes auto-hide available, auto-hide the speed" 36=1:1 37=1:1 38=1:0
click_control 38
xdotool key ctrl+a 7
click_control 47
expect_boxes "unchecking the tray unchecks and disables what depends on it" 47=1:0 36=0:0 37=0:0 38=0:0
[ "$(control_text 38)" = "0" ] && pass "the slide speed goes back to 0" || fail "slide speed '$(control_text 38)'"
click_control 47
expect_boxes "the tray again: tool window mode available but unchecked" 47=1:1 36=1:0 37=0:0
click_control 51
expect_boxes "without keep-corner the centred box is available" 51=1:0 52=1:0
click_control 52
click_control 41
expect_boxes "the hotkey box makes the field available" 41=1:1 42=1:0
click_control 42
xdotool key shift+k
sleep 0.3
expect_verdict "Not accepted" "Shift+K is refused"
xdotool key k
sleep 0.3
expect_verdict "Not accepted" "a plain letter is refused"
xdotool key F5
sleep 0.3
expect_verdict "" "F5 alone is accepted"
xdotool key ctrl+alt+k
sleep 0.3
expect_verdict "" "Ctrl+Alt+K is accepted"
# 0x64B: K with Ctrl (2) and Alt (4) in the control's modifier byte.
[ "$(checked 42)" = "1611" ] && pass "the field holds Ctrl+Alt+K" || fail "hotkey field value $(checked 42)"
for id in 91 49 54 71 44 55 58; do click_control "$id"; done
xdotool key "alt+$(access_key "$E2E_OUT/dialog.txt" 50)"  # checks the box as a click does
click_control 59
xdotool key ctrl+a 4 5 0
# Return closes an open drop-down list, not the dialog. The start-up category
# is not offered: Tools stays the last row.
click_control 45
xdotool key Down Down Down Return
sleep 0.5
if dialog_state && [ "$(checked 45)" = "2" ]; then pass "Return in the open list chooses Tools, the last row"; else
  fail "the start category list: row '$(checked 45)'"; fi
xdotool key Return
dialog_gone && pass "Return on the closed list is Ok" || fail "the dialog stayed open after Return"
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
data=$(new_data_folder shortcut)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
# A slide speed beyond what its field takes, written by hand, in force.
printf '[main]\r\nSystemTray=1\r\nToolBarStyle=1\r\nAutoEdgeHide=1\r\nEdgeSlide=500\r\n' >"$data/Kivo.ini"
start_kivo "$data"
wait_launcher || finish
open_dialog || finish
expect_boxes "no shortcut yet: load at startup unchecked, hidden unavailable" 39=1:0 40=0:0
[ "$(control_text 38)" = "99" ] && pass "a slide speed of 500 from the file shows as the field's 99" ||
  fail "slide speed '$(control_text 38)'"
click_control 39
click_control 40
click_control 60
dialog_gone || fail "Ok left the dialog open"
wine "$PROBE" link "$startup_win\\Kivo.lnk" "$(winpath "$E2E_OUT/link.txt")" </dev/null >/dev/null 2>&1 || true
tr -d '\r' <"$E2E_OUT/link.txt" >"$E2E_OUT/link-read.txt" 2>/dev/null || true
printf 'target %s\narguments /hide\ndirectory %s\\\n' "$(winpath "$KIVO_EXE")" "$(winpath "$data")" |
  tr '[:upper:]' '[:lower:]' >"$E2E_OUT/link-expected.txt"
tr '[:upper:]' '[:lower:]' <"$E2E_OUT/link-read.txt" >"$E2E_OUT/link-lower.txt"
expect_file_bytes "$E2E_OUT/link-lower.txt" "$E2E_OUT/link-expected.txt" "Kivo.lnk starts this kivo.exe hidden on this data folder"
open_dialog || finish
expect_boxes "the shortcut is read back as Kivo's own, hidden" 39=1:1 40=1:1
click_control 39
expect_boxes "unchecking it makes hidden unavailable" 39=1:0 40=0:1
click_control 60
dialog_gone || fail "Ok left the dialog open"
[ ! -e "$link" ] && pass "Ok deletes the shortcut again" || fail "Kivo.lnk is still there"
wine "$PROBE" make-link "$startup_win\\Kivo.lnk" 'C:\windows\notepad.exe' 'C:\windows' </dev/null >/dev/null 2>&1 || true
cp "$link" "$E2E_OUT/foreign.lnk"
open_dialog || finish
expect_boxes "another program's Kivo.lnk disables the box" 39=0:0 40=0:0
click_control 46
click_control 46
expect_boxes "and it stays disabled after the variable-drive box is clicked" 39=0:0
xdotool key alt+F4
dialog_gone && pass "the close box cancels" || fail "Alt+F4 left the dialog open"
expect_file_bytes "$link" "$E2E_OUT/foreign.lnk" "another program's shortcut is left alone"
ask_exit
rm -f "$link"

# --- Cancel after a refused hotkey: what Ok took over stays, the old hotkey works ---
data=$(new_data_folder cancel)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
printf '[main]\r\nHotkey=$3804B\r\n' >"$data/Kivo.ini"
start_kivo "$data"
wait_launcher || finish
open_dialog || finish
expect_boxes "the registered hotkey is shown checked" 41=1:1
[ "$(checked 42)" = "1611" ] && pass "the field shows Ctrl+Alt+K" || fail "hotkey field value $(checked 42)"
click_control 42
xdotool key ctrl+alt+1
sleep 0.3
[ "$(checked 42)" = "1585" ] && pass "keys pressed in the field go to the field" || fail "hotkey field value $(checked 42)"
key=$(access_key "$E2E_OUT/dialog.txt" 50) && alt_key=$((0x400 + $(printf %d "'${key^^}")))
xdotool key "alt+$key"
for _ in $(seq 30); do [ "$(checked 42)" = "$alt_key" ] && break; sleep 0.1; done
[ "$(checked 42):$(checked 50)" = "$alt_key:0" ] && pass "Alt with a box's access key is a hotkey in the field" ||
  fail "after Alt+$key the field holds $(checked 42), box 50 $(checked 50)"
# Released while the dialog is open: the hotkey itself reaches the field too.
xdotool key ctrl+alt+k
sleep 0.3
[ "$(checked 42)" = "1611" ] && pass "the hotkey is released while the dialog is open" ||
  fail "Ctrl+Alt+K did not reach the field: $(checked 42)"
expect_boxes "a hotkey the file held already brings no tray with it" 47=1:0 63=1:0
xdotool key shift+k
click_control 50
click_control 60
sleep 0.3
dialog_state && [ "$(control_text 43)" = "Not accepted" ] && pass "Ok with a refused hotkey keeps the dialog open" ||
  fail "after Ok with Shift+K: '$(control_text 43)'"
# Ok left the focus in the hotkey field, where F1 would be a key to choose.
xdotool key Tab F1
sleep 0.5
open_menu "$E2E_OUT/help-menu.txt" && pass "F1 opens the help menu" || fail "no help menu after F1"
xdotool key Escape
sleep 0.3
dialog_state && pass "Escape closes the menu only" || fail "Escape in the menu closed the dialog"
xdotool key Escape
dialog_gone && pass "Escape cancels" || fail "the dialog stayed open after Escape"
click_caption "$LAUNCHER_WIN"
xdotool key ctrl+alt+k
for _ in $(seq 30); do
  window_state 'Kivo ' "$E2E_OUT/launcher.txt" && grep -q ' iconic 1 ' "$E2E_OUT/launcher.txt" && break
  sleep 0.1
done
grep -q ' iconic 1 ' "$E2E_OUT/launcher.txt" && pass "the old hotkey works again after Cancel" ||
  fail "Ctrl+Alt+K did not minimise the launcher: $(head -1 "$E2E_OUT/launcher.txt")"
ask_exit
grep -q '^SingleClick=1' "$data/Kivo.ini" && grep -q '^Hotkey=\$3804B' "$data/Kivo.ini" &&
  pass "what Ok took over stays, with the old hotkey" || fail "$(grep -E '^(SingleClick|Hotkey)=' "$data/Kivo.ini" | tr '\r\n' '  ')"

# --- A first hotkey with the tray off brings the tray and Find with it ---
data=$(new_data_folder first-hotkey)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
start_kivo "$data"
wait_launcher || finish
open_dialog || finish
click_control 41
click_control 42
xdotool key ctrl+alt+k
for _ in $(seq 30); do [ "$(checked 47)" = 1 ] && break; done
expect_boxes "a first hotkey ticks the tray and Find at once" 47=1:1 63=1:1 36=1:0
click_control 60
dialog_gone || fail "Ok left the dialog open"
click_caption "$LAUNCHER_WIN"
xdotool key Escape
wait_gone 'Kivo ' 5 && kill -0 "$KIVO_PID" 2>/dev/null && pass "Escape then puts the launcher into the tray" ||
  fail "Escape ended Kivo or left it shown"
xdotool key ctrl+alt+k
wait_window '^Kivo $' 10 >/dev/null && xdotool type --delay 80 edi
expect_rows_soon '1\tEditor\tMain\n' "the hotkey brings the launcher back with Find open"
ask_exit
tr -d '\r' <"$data/Kivo.ini" | grep -c -E '^(SystemTray=1|FindOnHotkey=1|Hotkey=\$13804B)$' | grep -qx 3 &&
  pass "the tray, Find on the hotkey and the hotkey are written" || fail "Kivo.ini: $(tr '\r\n' '  ' <"$data/Kivo.ini")"

# --- A program on the Windows drive cannot have a variable drive letter ---
on_c="$WINEPREFIX/drive_c/kivo-e2e-settings"
rm -rf "$on_c"
mkdir -p "$on_c"
at_exit 'rm -rf "$on_c"'
cp "$KIVO_EXE" "$on_c/kivo.exe"
data=$(new_data_folder windows-drive)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
start_program "$on_c/kivo.exe" "$data"
wait_launcher || finish
open_dialog || finish
expect_boxes "on the Windows drive the variable-drive box is disabled" 46=0:0 39=1:0
[[ "$(control_text 46)" == "C: "* ]] && pass "it names the program's drive" || fail "46 reads '$(control_text 46)'"
xdotool key Escape
dialog_gone || fail "Escape left the dialog open"
ask_exit

# --- German ---
data=$(new_data_folder german)
printf 'Editor=notepad.exe\r\n' >"$data/Main.kvl"
printf '[main]\r\nLanguage=Deutsch\r\n' >"$data/Kivo.ini"
start_kivo "$data"
wait_launcher || finish
open_dialog || finish
dialog_screenshot german
[ "$(control_text 35)" = "Allgemeine Einstellungen" ] && [ "$(control_text 61)" = "&Abbrechen" ] &&
  pass "the German texts" || fail "title '$(control_text 35)', cancel '$(control_text 61)'"
expect_access_keys "$E2E_OUT/dialog.txt" "$no_keys" "every German label, check box and button has its own access key"
# A second start with /close ends the program even while the dialog is open.
(cd "$data" && wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
wait_kivo_exit && pass "/close ends Kivo while the dialog is open"

finish
