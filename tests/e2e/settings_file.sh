#!/usr/bin/env bash
# kivo.exe reads the settings file and the start category of its data folder and
# writes the settings back at exit: every line it does not change stays as it
# came (comments, foreign keys and lines, spacing, blank lines, line ends, letter
# case of group names) and so does the file's encoding; a missing file is created with every
# key in its fixed order (a data folder without categories goes straight to the
# configuration editor, which is closed to end the program). A settings file
# that cannot be read at start is never written over, a linked one is written
# through its link, sizes that could hide the window are brought into range, and
# new files left by a killed save go at the next start.
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
CatSelect = Werkzeuge
[main]
Width = 300
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

# Lines of others, LF ends: once through kivo.exe they all stay as they were,
# Kivo's keys added; after that a category switch changes MRU and nothing else.
data=$(new_data_folder foreign)
printf '%s\n' '# Twisted.ini' '[Start]' 'CatSelect=' '  happy  =  4' '' '[section1]  ; section comment' \
  'Content-Type: text/html' 'multi = begin' 'end' '' '[Empty]' '    [section1]' 'again = yes' >"$data/Kivo.ini"
printf 'One=%%windir%%\\notepad.exe\r\n' >"$data/A.kvl"
cp "$data/A.kvl" "$data/B.kvl"
cp "$data/Kivo.ini" "$E2E_OUT/foreign-0"
for run in 1 2; do
  start_kivo "$data"
  wait_launcher || break
  click_caption "$LAUNCHER_WIN"
  xdotool key Tab
  exit_launcher "$LAUNCHER_WIN"
  cp "$data/Kivo.ini" "$E2E_OUT/foreign-$run"
done
changed=$(diff "$E2E_OUT/foreign-0" "$E2E_OUT/foreign-1" | grep -c '^<' || true)
[ "$changed" = 0 ] && ! grep -q $'\r' "$E2E_OUT/foreign-1" && pass "every line of others is kept, with its LF" ||
  fail "lines changed or lost: $(diff "$E2E_OUT/foreign-0" "$E2E_OUT/foreign-1" | head -20 | tr '\n' ' ')"
if diff <(sed 's/^MRU=.*//' "$E2E_OUT/foreign-1") <(sed 's/^MRU=.*//' "$E2E_OUT/foreign-2") >/dev/null &&
  grep -qx 'MRU=B' "$E2E_OUT/foreign-1" && grep -qx 'MRU=A' "$E2E_OUT/foreign-2"; then
  pass "a category switch changes MRU and nothing else"
else
  fail "the second run changed: $(diff "$E2E_OUT/foreign-1" "$E2E_OUT/foreign-2" | tr '\n' ' ')"
fi

# No settings file yet.
data=$(new_data_folder fresh)
start_kivo "$data"
# Without any category the program goes straight to the configuration editor.
if wait_editor && [ "$(editor_text 7)" = "New Category" ]; then
  pass "a data folder without categories opens the editor"
  [ -f "$data/Kivo.ini" ] && [ ! -s "$data/Kivo.ini" ] && pass "an empty settings file is made at start" || fail "no Kivo.ini while running"
  click_caption "$EDITOR_WIN"
  xdotool key Escape Escape
  wait_kivo_exit
else
  fail "no editor on New Category in a fresh data folder"
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
# Held open by another program while Kivo starts: Kivo runs with defaults, and
# once the file is free again it still must not write those defaults over it.
data=$(make_data locked 'Kivo.ini:; mine|[Start]|CatSelect=B|[main]|Language=English' 'A.kvl:One=%windir%\notepad.exe' \
  'B.kvl:One=%windir%\notepad.exe')
cp "$data/Kivo.ini" "$E2E_OUT/locked-before"
if hold_file "$data/Kivo.ini" 60; then
  STARTED_PIDS+=("$HOLD_PID")  # ended with the script, if not before
  start_kivo "$data"
  if wait_launcher; then
    expect_category A "an unreadable settings file: the first category, not CatSelect"
    kill "$HOLD_PID" && wait "$HOLD_PID" || true
    wait_until 10 wine "$PROBE" hold "$(winpath "$data/Kivo.ini")" 0 "$(winpath "$E2E_OUT/free")" </dev/null >/dev/null 2>&1 || true
    click_caption "$LAUNCHER_WIN"
    xdotool key Tab
    expect_category B "Tab switches the category"
    exit_launcher "$LAUNCHER_WIN"
  fi
fi
expect_file_bytes "$data/Kivo.ini" "$E2E_OUT/locked-before" "a settings file that could not be read is left as it was"

# A linked settings file, and new files that a killed save left behind.
data=$(new_data_folder linked)
mkdir -p "$E2E_OUT/elsewhere"
printf '[main]\r\nWidth=300\r\n' >"$E2E_OUT/elsewhere/real.ini"
ln -s "$E2E_OUT/elsewhere/real.ini" "$data/Kivo.ini"
printf 'One=%%windir%%\\notepad.exe\r\n' >"$data/A.kvl"
for stale in Kivo.ini.4000004.new A.kvl.4000008.new notes.txt.4000012.new; do echo x >"$data/$stale"; done
start_kivo "$data"
if wait_launcher; then
  exit_launcher "$LAUNCHER_WIN"
fi
[ -L "$data/Kivo.ini" ] && pass "the settings file is still a link" || fail "the link was replaced by a file"
grep -q '^MRU=A' "$E2E_OUT/elsewhere/real.ini" && pass "the link's target was written" \
  || fail "the link's target: $(tr -d '\r' <"$E2E_OUT/elsewhere/real.ini" | tr '\n' ' ')"
left=$(cd "$data" && ls -- *.new | tr '\n' ' ')
[ "$left" = "notes.txt.4000012.new " ] && pass "only Kivo's own left-over new files are removed" \
  || fail "new files left: $left"

# Sizes that would put the window out of sight (the centring overflowed).
data=$(new_data_folder badsize)
printf '[main]\r\nHeight=-2147483648\r\n' >"$data/Kivo.ini"
printf 'One=%%windir%%\\notepad.exe\r\n' >"$data/A.kvl"
for run in 1 2; do
  start_kivo "$data"
  wait_launcher || break
  window_state 'Kivo ' "$E2E_OUT/badsize-$run.txt"
  screenshot "$LAUNCHER_WIN" "badsize-$run"
  read -r _ left top right bottom _ cw ch _ visible _ < <(head -1 "$E2E_OUT/badsize-$run.txt" | tr -d '\r')
  if [ "$visible" = 1 ] && [ "$top" -ge 0 ] && [ "$bottom" -le 700 ] && [ "$left" -ge 0 ] && [ "$right" -le 1024 ] \
    && [ "$ch" -gt 0 ]; then
    pass "run $run: a negative height leaves the window on the desktop (${cw}x${ch} at $left,$top)"
  else
    fail "run $run: $(head -1 "$E2E_OUT/badsize-$run.txt")"
  fi
  exit_launcher "$LAUNCHER_WIN"
done
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'Height=250' && pass "the default height is saved" \
  || fail "saved: $(tr -d '\r' <"$data/Kivo.ini" | grep -E 'Height|WinY' | tr '\n' ' ')"

leftovers=$(find "$E2E_OUT/existing" "$E2E_OUT/fresh" -name '*.new' | wc -l)
[ "$leftovers" -eq 0 ] && pass "no temporary files left" || fail "temporary files left behind"

finish
