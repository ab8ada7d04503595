#!/usr/bin/env bash
# The configuration editor, driven with real keys and clicks: an item typed in
# and accepted with Return is in the launcher and the file after Ok; an edit is
# cancelled, another applied; items move, sort and go with and without the
# question; a separator typed by hand and a folder become items; icon 3 of a
# library is picked in the icon selection. Screenshots of the editor, its menus
# and the icon dialog.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

data=$(make_data data 'Main.kvl:Alpha=%windir%\notepad.exe|beta=%windir%\system32\cmd.exe|Gamma=%windir%\regedit.exe' \
  'Kivo.ini:[Start]|CatSelect=Main|[main]|Language=English')
mkdir -p "$data/Projects" && touch "$data/Notes.txt" "$data/Read me.txt" "$data/Todo.txt"
file="$data/Main.kvl"
del=$'\x7f'  # a ";" inside a field is stored as U+007F

# One look at the editor: every control given as e<id>=<0/1> is enabled or
# not, every v<id>=<0/1> visible or not; SEEN holds what differs.
flags_are() {
  local spec id
  SEEN=""
  look 'Kivo ' || return 1
  for spec; do
    id=${spec%%=*} && id=${id:1}
    [ "$(looked "$id" "$([ "${spec:0:1}" = e ] && echo 9 || echo 11)")" = "${spec#*=}" ] || SEEN+=" $spec"
  done
  [ -z "$SEEN" ]
}
expect_flags() { local what=$1; shift; wait_until 10 flags_are "$@" && pass "$what" || fail "$what, not:$SEEN"; }

# The file's lines without their CR, once it is written.
expect_lines() {
  local what=$1; shift
  printf '%s\r\n' "$@" >"$E2E_OUT/expected.kvl"
  wait_until 10 cmp -s "$file" "$E2E_OUT/expected.kvl" || true
  expect_file_bytes "$file" "$E2E_OUT/expected.kvl" "$what"
}

open_kivo "$data" || finish
open_editor || finish
screenshot "$EDITOR_WIN" editor
# Not the arrows, the "?" and the icon and "..." buttons: glyphs and no texts.
expect_access_keys "$E2E_OUT/editor.txt" "9 10 16 20 22 27" "every label and button of the editor has its own access key"
expect_list '1\tAlpha\t0\n0\tbeta\t1\n0\tGamma\t2\n' "the editor lists the items, the first one current"
[ "$(editor_text_soon 19 Alpha)" = "Alpha" ] && [ "$(field 21)" = '%windir%\notepad.exe' ] &&
  pass "the fields show the current item" || fail "fields: '$(field 19)' '$(field 21)'"
expect_flags "Apply and the item's Ok are greyed at first" e34=0 e29=0

# A new item typed in field after field with Tab and accepted with Return; the
# access key of the text's label takes the focus back to the text, chosen.
xdotool key alt+n
type_text 'Draft'
expect_flags "while an item is edited the list and Ok are greyed, the item's Ok is not" e6=0 e32=0 e29=1
xdotool key Tab && type_text 'mailto:a@b.com;c@d.com'
xdotool key Tab && type_text '/x'
xdotool key Tab && type_text 'C:\a;b'
fields() { echo "$(field 19)|$(field 21)|$(field 23)"; }
[ "$(editor_text_soon 26 'C:\a;b')" = 'C:\a;b' ] && [ "$(fields)" = 'Draft|mailto:a@b.com;c@d.com|/x' ] &&
  pass "Tab goes from the text to the command, the parameters and the directory" || fail "fields: $(fields) $(field 26)"
xdotool key "alt+$(access_key "$E2E_OUT/editor.txt" 101)"
type_text 'Mail=Me'
[ "$(editor_text_soon 19 'Mail=Me')" = 'Mail=Me' ] && [ "$(field 26)" = 'C:\a;b' ] &&
  pass "the access key of the text's label chooses the text" || fail "after the label's key: $(fields)"
xdotool key Return
expect_list '0\tAlpha\t0\n1\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' \
  "Return accepts the new item after the current one, its \"=\" made \"?\""
expect_flags "Apply is enabled after a change" e34=1
if close_editor alt+o; then
  expect_rows '1\tAlpha\t0\n0\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' "the launcher shows the new item after Ok"
  expect_lines "Ok wrote the category file" 'Alpha=%windir%\notepad.exe' "Mail?Me=mailto:a@b.com${del}c@d.com;/x;C:\\a${del}b" \
    'beta=%windir%\system32\cmd.exe' 'Gamma=%windir%\regedit.exe'
fi

# An edit cancelled, another applied.
open_editor || finish
xdotool key F2 End shift+Home
type_text 'Changed'
click_field 30
[ "$(editor_text_soon 19 Alpha)" = "Alpha" ] && pass "the item's Cancel brings the fields back" ||
  fail "after Cancel the text field reads '$(field 19)'"
xdotool key F2 End
type_text ' One'
xdotool key Return alt+a
expect_lines "Apply writes the accepted edit" 'Alpha One=%windir%\notepad.exe' "Mail?Me=mailto:a@b.com${del}c@d.com;/x;C:\\a${del}b" \
  'beta=%windir%\system32\cmd.exe' 'Gamma=%windir%\regedit.exe'
wait_until 10 flags_are e34=0 && wait_editor && pass "the editor stays open with Apply greyed" ||
  fail "after Apply: Apply enabled or the editor gone"

# Moving: the current item, with the beep at the top.
xdotool key alt+Down ctrl+Down
expect_list '0\tMail?Me\t0\n0\tbeta\t1\n1\tAlpha One\t2\n0\tGamma\t3\n' "Alt+Down and Ctrl+Down move the item down"
xdotool key ctrl+Up alt+Up alt+Up alt+Up
expect_list '1\tAlpha One\t0\n0\tMail?Me\t1\n0\tbeta\t2\n0\tGamma\t3\n' "moving up stops at the top"

# A separator typed by hand and a folder without command.
xdotool key alt+n
type_text '---- tools'
xdotool key Return alt+n
click_field 26
type_text "$(winpath "$data/Projects")"
xdotool key Return
expect_list '0\tAlpha One\t0\n0\t---- tools\t1\n1\tProjects\t2\n0\tMail?Me\t3\n0\tbeta\t4\n0\tGamma\t5\n' \
  "a typed separator and a folder item are accepted"
[ "$(editor_text_soon 21 Explorer.exe)" = "Explorer.exe" ] && [ "$(field 23)" = "/e," ] &&
  pass "the folder becomes an Explorer item" || fail "folder item: '$(field 21)' '$(field 23)'"
grep -q '^control 24 Button .* visible 1' "$E2E_OUT/editor.txt" && pass "the Explorer boxes show for Explorer.exe" ||
  fail "the Explorer boxes are hidden for Explorer.exe"
# On a new item the boxes come and go with the command as it is typed; the
# rows stay as they are.
xdotool key alt+n
type_text 'Files'
xdotool key Tab
expect_flags "a new item has no Explorer boxes" v24=0 v25=0
type_text 'EXPLORER.exe'
expect_flags "typing EXPLORER.exe shows them" v24=1 v25=1
expect_fits fits 'Kivo ' editor
xdotool key End shift+Home
type_text 'notepad.exe'
expect_flags "another command typed hides them" v24=0 v25=0
click_field 30

# The context menu sorts.
xdotool key Menu
wait_until 10 open_menu "$E2E_OUT/menu.txt" && pass "the context-menu key opens the list's menu" || fail "no context menu"
screenshot "$EDITOR_WIN" context-menu
xdotool key Down Down Return
expect_list '1\t---- tools\t0\n0\tAlpha One\t1\n0\tbeta\t2\n0\tGamma\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "Sort item list orders the items by text, letter case aside"

# Deleting: an item after its question, a separator at once, with Ctrl at once.
xdotool key alt+d
answer_box Confirm Return delete-question
expect_text "$E2E_OUT/delete-question.txt" 'Delete "---- tools"?' "Delete asks, naming the item"
expect_list '1\tAlpha One\t0\n0\tbeta\t1\n0\tGamma\t2\n0\tMail?Me\t3\n0\tProjects\t4\n' "OK deletes the item"
xdotool key alt+e
expect_list '0\tAlpha One\t0\n1\t----------\t1\n0\tbeta\t2\n0\tGamma\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "Alt+E puts a separator after the current item"
# A question would stop the second deletion: once both are done, none came.
xdotool key alt+d
look 'Kivo ' || true
read -r px py < <(looked_point 13)
xdotool mousemove "$px" "$py" keydown ctrl click 1 keyup ctrl
expect_list '0\tAlpha One\t0\n1\tGamma\t1\n0\tMail?Me\t2\n0\tProjects\t3\n' "both are gone, the next item current"
no_box() { ! xdotool search --onlyvisible --name '^Confirm$' >/dev/null 2>&1; }
no_box && pass "a separator is deleted without a question" || fail "deleting a separator asked"
no_box && pass "Delete with Ctrl asks nothing" || fail "Ctrl+Delete asked"

# Icon 3 of a library, from the icon selection.
click_field 20
if icon_win=$(wait_window '^Icon Selection$'); then
  pass "the icon button opens the icon selection"
  xdotool key Tab Return
  if wait_window '^Icon File$' >/dev/null && wait_until 10 is_foreground 'Icon File'; then
    type_text 'C:\windows\system32\shell32.dll'
    xdotool key Return
    # The icons of the library are in the list once the requester has gone.
    icon_row() { read -r x y < <(row_point 'Icon Selection' 3); }
    wait_gone 'Icon File' 10 && wait_until 10 icon_row || true
    screenshot "$icon_win" icon-selection
    expect_fits fits 'Icon Selection' icon-selection
    xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
  else
    fail "Browse opened no requester titled Icon File"
  fi
  wait_gone 'Icon Selection' 5 && pass "a double click takes the icon" || fail "the icon selection stays open"
else
  fail "no icon selection"
fi
xdotool key Return
wait_until 10 flags_are e6=1 || true

# Files dropped on the list become items after the current one; a file dropped
# on the command field fills the fields of the item being made.
drop() {
  local out
  out=$(/usr/bin/python3 "$(dirname "$0")/tools/xdnd_drop.py" "$EDITOR_WIN" "$@" 2>&1) || fail "drop: $out"
}
read -r x y < <(row_point 'Kivo ' 3)
drop "$x" "$y" "$data/Notes.txt" "$data/Read me.txt"
expect_list '0\tAlpha One\t0\n0\tGamma\t1\n0\tNotes\t2\n1\tRead me\t3\n0\tMail?Me\t4\n0\tProjects\t5\n' \
  "files dropped on the list follow the current item"
xdotool key alt+n
wait_until 10 flags_are e6=0 || true
read -r x y < <(looked_point 21)
drop "$x" "$y" "$data/Todo.txt"
editor_text_soon 19 Todo >/dev/null
xdotool key Return
expect_list '0\tAlpha One\t0\n0\tGamma\t1\n0\tNotes\t2\n0\tRead me\t3\n1\tTodo\t4\n0\tMail?Me\t5\n0\tProjects\t6\n' \
  "a file dropped on the command field makes the new item"
if close_editor alt+o; then
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
be 'One=o.exe' '; note' '' '[section]' 'Two=t.exe' | tee "$data/Wide.kvl" >"$E2E_OUT/wide-before"
be '[Start]' 'CatSelect=Wide' '[main]' 'Language=English' >"$data/Kivo.ini"
if open_kivo "$data" && open_editor; then
  close_editor alt+o && expect_file_bytes "$data/Wide.kvl" "$E2E_OUT/wide-before" "Ok, nothing changed: no write"
  open_editor && xdotool key alt+n && type_text 'Three' && xdotool key Tab && type_text '%windir%\notepad.exe'
  close_editor Return alt+o && exit_launcher "$LAUNCHER_WIN"
  expect_file_bytes "$data/Wide.kvl" <(be 'One=o.exe' 'Three=%windir%\notepad.exe' 'Two=t.exe') "all items, UTF-16BE"
  [ "$(head -c 1 "$data/Kivo.ini" | od -An -tx1)" = " 00" ] && iconv -f UTF-16BE -t UTF-8 "$data/Kivo.ini" |
    grep -q 'MRU=Wide' && pass "the settings file stays UTF-16BE" || fail "settings: $(od -An -c "$data/Kivo.ini" | head -2)"
fi
finish
