#!/usr/bin/env bash
# kivo.exe reads the settings file and the start category of its data folder and
# writes the settings back at exit: comments, foreign keys, letter case of group
# names and the file's encoding all survive; a missing file is created with every
# key in its fixed order (a data folder without categories goes straight to the
# configuration editor, which is closed to end the program).
source "$(dirname "$0")/lib.sh"

crlf() { sed 's/$/\r/'; }

# The general settings written at exit with their defaults, in their fixed order.
WRITTEN_DEFAULTS='SingleClick=0
ALTmenu=1
SingleColumn=1
AutoClose=0
SystemTray=0
AllowDrop=0
TitleBar=1
Transparent=0
Stayontop=0
ToolbarStyle=0
AutoEdgeHide=0
EdgeSlide=0
AutoAlign=1
LeftAligned=0
Common=0'

# An existing settings file in UTF-16LE with a byte-order mark.
data=$(new_data_folder existing)
{ printf '\xFF\xFE'; crlf <<'INI' | iconv -f UTF-8 -t UTF-16LE; } >"$data/Kivo.ini"
; my settings, written by hand
[START]
CatSelect = Werkzeuge
[main]
Width = 400
AutoDelay=2
Hotkey=$2804B
MyOwnKey=stays
[Werkzeuge]
Width=300
INI
printf 'Gr\xFC\xDFe=notepad.exe\r\nRechner=calc.exe\r\n' >"$data/Werkzeuge.kvl"
cp "$data/Werkzeuge.kvl" "$E2E_OUT/category-before"

start_kivo "$data"
if wait_launcher; then
  win=$LAUNCHER_WIN
  pass "the program shows its window"
  screenshot "$win" existing
  # The start category comes from "CatSelect = Werkzeuge" in group [START].
  expect_category Werkzeuge "the start category of the settings file is shown"
  expect_rows '1\tGr\xC3\xBC\xC3\x9Fe\t0\n0\tRechner\t1\n' "with the items of its category file"
  window_state 'Kivo ' "$E2E_OUT/existing-state.txt"
  grep -q ' client 300 250 ' "$E2E_OUT/existing-state.txt" && pass "the category's width is used" \
    || fail "window: $(head -1 "$E2E_OUT/existing-state.txt")"
  exit_launcher "$win"
fi

{ printf '\xFF\xFE'; crlf <<INI | iconv -f UTF-8 -t UTF-16LE; } >"$E2E_OUT/expected-existing"
; my settings, written by hand

[START]
CatSelect=Werkzeuge

[main]
Width=300
AutoDelay=2000
Hotkey=\$2804B
MyOwnKey=stays
MRU=Werkzeuge
$WRITTEN_DEFAULTS
Centered=0
VarDrive=0
Height=250
BGcolor=#FFFFFF
Font=Arial,9,0,0

[Werkzeuge]
Width=300
LargeIcons=1
WinX=300
WinY=200
Height=250
BGcolor=#FFFFFF
Font=Arial,9,0,0
INI
expect_file_bytes "$data/Kivo.ini" "$E2E_OUT/expected-existing" "existing UTF-16 settings file written back in place"
expect_file_bytes "$data/Werkzeuge.kvl" "$E2E_OUT/category-before" "the category file is not touched"

# No settings file yet.
data=$(new_data_folder fresh)
start_kivo "$data"
# Without any category the program goes straight to the configuration editor.
if win=$(wait_window '^Configuration - New Category$'); then
  pass "a data folder without categories opens the editor"
  [ -f "$data/Kivo.ini" ] && [ ! -s "$data/Kivo.ini" ] && pass "an empty settings file is made at start" || fail "no Kivo.ini while running"
  click_caption "$win"
  xdotool key Escape
  wait_kivo_exit
else
  fail "no editor window on a fresh data folder"
  kill "$KIVO_PID" 2>/dev/null || true
fi
crlf >"$E2E_OUT/expected-fresh" <<INI

[Start]
CatSelect=

[main]
MRU=
$WRITTEN_DEFAULTS
AutoDelay=0
Centered=0
VarDrive=0
Hotkey=\$0
INI
expect_file_bytes "$data/Kivo.ini" "$E2E_OUT/expected-fresh" "a new settings file lists every key in order"
leftovers=$(find "$E2E_OUT/existing" "$E2E_OUT/fresh" -name '*.new' | wc -l)
[ "$leftovers" -eq 0 ] && pass "no temporary files left" || fail "temporary files left behind"

finish
