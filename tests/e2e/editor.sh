#!/usr/bin/env bash
# The configuration editor, driven with real keys and clicks: an item typed in
# and accepted with Return is in the launcher and the file after Ok; an edit is
# cancelled, another applied; items move, sort and go with and without the
# question; a separator typed by hand and a folder become items; icon 3 of a
# library is picked in the icon selection. Screenshots of the editor, its menus
# and the icon dialog.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

data=$(new_data_folder data)
mkdir -p "$data/Projects"
touch "$data/Notes.txt" "$data/Read me.txt" "$data/Todo.txt"
printf '%s\r\n' 'Alpha=%windir%\notepad.exe' 'beta=%windir%\system32\cmd.exe' 'Gamma=%windir%\regedit.exe' \
  >"$data/Main.kvl"
printf '[Start]\r\nCatSelect=Main\r\n[main]\r\nLanguage=English\r\n' >"$data/Kivo.ini"
file="$data/Main.kvl"
del=$'\x7f'  # a ";" inside a field is stored as U+007F

# A control's enabled (column 9) or visible (11) state, 1 or 0; waits up to
# 3 s for the state wanted as the third argument.
control_flag() {
  local state=""
  for _ in $(seq 30); do
    window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
    state=$(awk -v id="$2" -v c="$1" '$1 == "control" && $2 == id {print $c}' "$E2E_OUT/editor.txt")
    [ -z "${3:-}" ] || [ "$state" = "$3" ] && break
    sleep 0.1
  done
  echo "$state"
}
enabled() { control_flag 9 "$@"; }
shown() { control_flag 11 "$@"; }

# The file's lines without their CR.
expect_lines() {
  local what=$1; shift
  printf '%s\r\n' "$@" >"$E2E_OUT/expected.kvl"
  expect_file_bytes "$file" "$E2E_OUT/expected.kvl" "$what"
}

start_kivo "$data"
wait_launcher || finish
open_editor || finish
screenshot "$EDITOR_WIN" editor
# Not the arrows, the "?" and the icon and "..." buttons: glyphs and no texts.
expect_access_keys "$E2E_OUT/editor.txt" "9 10 16 20 22 27" "every label and button of the editor has its own access key"
expect_rows_soon '1\tAlpha\t0\n0\tbeta\t1\n0\tGamma\t2\n' "the editor lists the items, the first one current"
[ "$(editor_text_soon 19 Alpha)" = "Alpha" ] && [ "$(editor_text 21)" = '%windir%\notepad.exe' ] &&
  pass "the fields show the current item" || fail "fields: '$(editor_text 19)' '$(editor_text 21)'"
[ "$(enabled 34 0)" = 0 ] && [ "$(enabled 29 0)" = 0 ] && pass "Apply and the item's Ok are greyed at first" ||
  fail "Apply or the item's Ok is enabled with nothing to do"

# A new item typed in field after field with Tab and accepted with Return; the
# access key of the text's label takes the focus back to the text, chosen.
xdotool key alt+n
sleep 0.3
type_text 'Draft'
[ "$(enabled 6 0)" = 0 ] && [ "$(enabled 32 0)" = 0 ] && [ "$(enabled 29 1)" = 1 ] &&
  pass "while an item is edited the list and Ok are greyed, the item's Ok is not" || fail "enable states while editing"
xdotool key Tab
type_text 'mailto:a@b.com;c@d.com'
xdotool key Tab
type_text '/x'
xdotool key Tab
type_text 'C:\a;b'
fields() { local s=$E2E_OUT/editor.txt; echo "$(state_text "$s" 19)|$(state_text "$s" 21)|$(state_text "$s" 23)"; }
[ "$(editor_text_soon 26 'C:\a;b')" = 'C:\a;b' ] && [ "$(fields)" = 'Draft|mailto:a@b.com;c@d.com|/x' ] &&
  pass "Tab goes from the text to the command, the parameters and the directory" || fail "fields: $(fields) $(editor_text 26)"
xdotool key "alt+$(access_key "$E2E_OUT/editor.txt" 101)"
type_text 'Mail=Me'
[ "$(editor_text_soon 19 'Mail=Me')" = 'Mail=Me' ] && [ "$(state_text "$E2E_OUT/editor.txt" 26)" = 'C:\a;b' ] &&
  pass "the access key of the text's label chooses the text" || fail "after the label's key: $(fields)"
xdotool key Return
expect_rows_soon '0\tAlpha\t0\n1\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' \
  "Return accepts the new item after the current one, its \"=\" made \"?\""
[ "$(enabled 34 1)" = 1 ] && pass "Apply is enabled after a change" || fail "Apply stays greyed after a change"
xdotool key alt+o
if wait_launcher; then
  expect_rows '1\tAlpha\t0\n0\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' "the launcher shows the new item after Ok"
  expect_lines "Ok wrote the category file" 'Alpha=%windir%\notepad.exe' "Mail?Me=mailto:a@b.com${del}c@d.com;/x;C:\\a${del}b" \
    'beta=%windir%\system32\cmd.exe' 'Gamma=%windir%\regedit.exe'
fi

# An edit cancelled, another applied.
open_editor || finish
xdotool key F2 End shift+Home
type_text 'Changed'
click_control 30
sleep 0.3
[ "$(editor_text_soon 19 Alpha)" = "Alpha" ] && pass "the item's Cancel brings the fields back" ||
  fail "after Cancel the text field reads '$(editor_text 19)'"
xdotool key F2 End
type_text ' One'
xdotool key Return alt+a
sleep 0.5
expect_lines "Apply writes the accepted edit" 'Alpha One=%windir%\notepad.exe' "Mail?Me=mailto:a@b.com${del}c@d.com;/x;C:\\a${del}b" \
  'beta=%windir%\system32\cmd.exe' 'Gamma=%windir%\regedit.exe'
[ "$(enabled 34 0)" = 0 ] && wait_editor && pass "the editor stays open with Apply greyed" ||
  fail "after Apply: Apply enabled or the editor gone"

# Moving: the current item, with the beep at the top.
xdotool key alt+Down ctrl+Down
expect_rows_soon '0\tMail?Me\t0\n0\tbeta\t1\n1\tAlpha One\t2\n0\tGamma\t3\n' "Alt+Down and Ctrl+Down move the item down"
xdotool key ctrl+Up alt+Up alt+Up alt+Up
expect_rows_soon '1\tAlpha One\t0\n0\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' "moving up stops at the top"

# A separator typed by hand and a folder without command.
xdotool key alt+n
type_text '---- tools'
xdotool key Return alt+n
sleep 0.3
click_control 26
type_text "$(winpath "$data/Projects")"
xdotool key Return
expect_rows_soon '0\tAlpha One\t0\n0\t---- tools\t1\n1\tProjects\t2\n0\tMail?Me\t3\n0\tbeta\t4\n0\tGamma\t5\n' \
  "a typed separator and a folder item are accepted"
[ "$(editor_text_soon 21 Explorer.exe)" = "Explorer.exe" ] && [ "$(editor_text 23)" = "/e," ] &&
  pass "the folder becomes an Explorer item" || fail "folder item: '$(editor_text 21)' '$(editor_text 23)'"
grep -q '^control 24 Button .* visible 1' "$E2E_OUT/editor.txt" && pass "the Explorer boxes show for Explorer.exe" ||
  fail "the Explorer boxes are hidden for Explorer.exe"
# On a new item the boxes come and go with the command as it is typed; the
# rows stay as they are.
xdotool key alt+n
type_text 'Files'
xdotool key Tab
[ "$(shown 24 0)$(shown 25 0)" = 00 ] && pass "a new item has no Explorer boxes" || fail "Explorer boxes on a new item"
type_text 'EXPLORER.exe'
[ "$(shown 24 1)$(shown 25 1)" = 11 ] && pass "typing EXPLORER.exe shows them" || fail "no Explorer boxes for EXPLORER.exe"
expect_fits fits 'Kivo ' editor
xdotool key End shift+Home
type_text 'notepad.exe'
[ "$(shown 24 0)$(shown 25 0)" = 00 ] && pass "another command typed hides them" ||
  fail "the Explorer boxes stay for notepad.exe"
click_control 30

# The context menu sorts.
xdotool key Menu
sleep 0.5
screenshot "$EDITOR_WIN" context-menu
open_menu "$E2E_OUT/menu.txt" && pass "the context-menu key opens the list's menu" || fail "no context menu"
xdotool key Down Down Return
expect_rows_soon '1\t---- tools\t0\n0\tAlpha One\t1\n0\tbeta\t2\n0\tGamma\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "Sort item list orders the items by text, letter case aside"

# Deleting: an item after its question, a separator at once, with Ctrl at once.
xdotool key alt+d
answer_box Confirm Return delete-question
expect_text "$E2E_OUT/delete-question.txt" 'Delete "---- tools"?' "Delete asks, naming the item"
expect_rows_soon '1\tAlpha One\t0\n0\tbeta\t1\n0\tGamma\t2\n0\tMail?Me\t3\n0\tProjects\t4\n' "OK deletes the item"
xdotool key alt+e
expect_rows_soon '0\tAlpha One\t0\n1\t----------\t1\n0\tbeta\t2\n0\tGamma\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "Alt+E puts a separator after the current item"
xdotool key alt+d
sleep 0.5
wait_window '^Confirm$' 1 >/dev/null && fail "deleting a separator asked" || pass "a separator is deleted without a question"
window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
read -r px py < <(control_point 13)
xdotool mousemove "$px" "$py" keydown ctrl click 1 keyup ctrl
sleep 0.5
wait_window '^Confirm$' 1 >/dev/null && fail "Ctrl+Delete asked" || pass "Delete with Ctrl asks nothing"
expect_rows_soon '0\tAlpha One\t0\n1\tGamma\t1\n0\tMail?Me\t2\n0\tProjects\t3\n' "both are gone, the next item current"

# Icon 3 of a library, from the icon selection.
click_control 20
if icon_win=$(wait_window '^Icon Selection$'); then
  pass "the icon button opens the icon selection"
  xdotool key Tab Return
  if wait_window '^Icon File$' >/dev/null; then
    sleep 0.5
    type_text 'C:\windows\system32\shell32.dll'
    xdotool key Return
    sleep 1
    screenshot "$icon_win" icon-selection
    expect_fits fits 'Icon Selection' icon-selection
    read -r x y < <(row_point 'Icon Selection' 3) || true
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
  else
    fail "Browse opened no requester titled Icon File"
  fi
  wait_gone 'Icon Selection' 5 && pass "a double click takes the icon" || fail "the icon selection stays open"
else
  fail "no icon selection"
fi
xdotool key Return
sleep 0.3

# Files dropped on the list become items after the current one; a file dropped
# on the command field fills the fields of the item being made.
drop() {
  local out
  out=$(/usr/bin/python3 "$(dirname "$0")/tools/xdnd_drop.py" "$EDITOR_WIN" "$@" 2>&1) || fail "drop: $out"
  sleep 0.5
}
read -r x y < <(row_point 'Kivo ' 3)
drop "$x" "$y" "$data/Notes.txt" "$data/Read me.txt"
expect_rows_soon '0\tAlpha One\t0\n0\tGamma\t1\n0\tNotes\t2\n1\tRead me\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "files dropped on the list follow the current item"
xdotool key alt+n
sleep 0.3
window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
read -r x y < <(control_point 21)
drop "$x" "$y" "$data/Todo.txt"
xdotool key Return
expect_rows_soon '0\tAlpha One\t0\n0\tGamma\t1\n0\tNotes\t2\n0\tRead me\t3\n1\tTodo\t4\n0\tMail?Me\t5\n0\tProjects\t6\n' \
  "a file dropped on the command field makes the new item"
xdotool key alt+o
if wait_launcher; then
  sed -n 2p "$file" | grep -q '^Gamma=%windir%\\regedit.exe;;;;C:\\windows\\system32\\shell32.dll,3'$'\r''$' &&
    pass "the item's definition ends in the library and \",3\"" || fail "icon line: $(sed -n 2p "$file")"
  notes=$(winpath "$data/Notes.txt")
  sed -n 3p "$file" | grep -qxF "Notes=$notes"$'\r' && pass "the dropped files are in the file" ||
    fail "line 3: $(sed -n 3p "$file")"
  exit_launcher "$LAUNCHER_WIN"
fi

# Unmarked UTF-16BE with notes: Ok with nothing changed writes nothing; after a
# change the category and the settings file stay unmarked UTF-16BE.
be() { printf '%s\r\n' "$@" | iconv -f UTF-8 -t UTF-16BE; }
close_editor() {  # then the launcher, which has the editor's title
  xdotool key "$@"
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Kivo $' | grep -qx "$EDITOR_WIN" || break; sleep 0.1; done
  wait_launcher
}
be 'One=o.exe' '; note' '' '[section]' 'Two=t.exe' | tee "$data/Wide.kvl" >"$E2E_OUT/wide-before"
be '[Start]' 'CatSelect=Wide' '[main]' 'Language=English' >"$data/Kivo.ini"
start_kivo "$data"
if wait_launcher && open_editor; then
  close_editor alt+o && expect_file_bytes "$data/Wide.kvl" "$E2E_OUT/wide-before" "Ok, nothing changed: no write"
  open_editor && xdotool key alt+n && type_text 'Three' && xdotool key Tab && type_text '%windir%\notepad.exe'
  close_editor Return alt+o && exit_launcher "$LAUNCHER_WIN"
  expect_file_bytes "$data/Wide.kvl" <(be 'One=o.exe' 'Three=%windir%\notepad.exe' 'Two=t.exe') "all items, UTF-16BE"
  [ "$(head -c 1 "$data/Kivo.ini" | od -An -tx1)" = " 00" ] && iconv -f UTF-16BE -t UTF-8 "$data/Kivo.ini" |
    grep -q 'MRU=Wide' && pass "the settings file stays UTF-16BE" || fail "settings: $(od -An -c "$data/Kivo.ini" | head -2)"
fi
finish
