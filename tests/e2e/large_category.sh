#!/usr/bin/env bash
# A category of 10,000 items: the launcher shows it, pages through it, goes to
# its end and switches away from it holding fewer than 2,000 USER and 2,000 GDI
# objects at every step, and answers each step within a few seconds. The counts
# come from `probe objects`, checked first against a program that holds a known
# number of objects, so that a count that sees nothing cannot pass.
source "$(dirname "$0")/lib.sh"

ITEMS=10000
OBJECT_LIMIT=2000
ANSWER_LIMIT=10  # seconds a step may take until the window answers as expected
# A launcher that does not answer in time is waited for this long all the same,
# so that the steps after it are still measured.
FILL_LIMIT=90
CONTROL="$BUILD_DIR/tests/object_control.exe"
STEPS="$E2E_OUT/steps.txt"

# Any locale's decimal mark taken out.
micros() { echo "${EPOCHREALTIME//[!0-9]/}"; }
seconds_since() { awk -v a="$1" -v b="$(micros)" 'BEGIN { printf "%.1f", (b - a) / 1e6 }'; }

# Counts the objects of the process with a window of this title into
# USER_OBJECTS, GDI_OBJECTS and COUNT_WAY; the file keeps the details.
read_counts() {
  local title=$1 name=$2 file="$E2E_OUT/objects-$2.txt"
  USER_OBJECTS="" GDI_OBJECTS="" COUNT_WAY=""
  if ! object_counts "$title" "$file"; then
    fail "$name: the objects could not be counted"
    return 1
  fi
  read -r _ USER_OBJECTS _ GDI_OBJECTS _ COUNT_WAY < <(head -1 "$file" | tr -d '\r')
  [[ "$USER_OBJECTS" =~ ^[0-9]+$ && "$GDI_OBJECTS" =~ ^[0-9]+$ ]] || { fail "$name: counts read '$(head -1 "$file")'"; return 1; }
}

# Runs the control program with that many icons and bitmaps and counts its
# objects into CONTROL_USER and CONTROL_GDI.
control_counts() {
  local icons=$1 bitmaps=$2 name=$3 pid
  CONTROL_USER="" CONTROL_GDI=""
  wine "$CONTROL" "$icons" "$bitmaps" </dev/null >>"$E2E_OUT/wine.log" 2>&1 &
  pid=$!
  if wait_window '^object-control$' >/dev/null && read_counts object-control "control-$name"; then
    CONTROL_USER=$USER_OBJECTS CONTROL_GDI=$GDI_OBJECTS
    echo "control with $icons icons and $bitmaps bitmaps: $(head -1 "$E2E_OUT/objects-control-$name.txt")"
  else
    fail "control with $icons icons and $bitmaps bitmaps: not counted"
  fi
  post_message object-control 16 0 0 || true  # WM_CLOSE
  wait_until 5 ended "$pid" || true
  { kill "$pid"; wait "$pid"; } 2>/dev/null || true
}

ended() { ! kill -0 "$1" 2>/dev/null; }
expect_rise() {
  local from=$1 to=$2 low=$3 high=$4 what=$5
  if [ -z "$from" ] || [ -z "$to" ]; then fail "$what: no counts"; return; fi
  local rise=$((to - from))
  if [ "$rise" -ge "$low" ] && [ "$rise" -le "$high" ]; then pass "$what (by $rise)"; else
    fail "$what: rose by $rise, not $low to $high"; fi
}

# The launcher's list in SEL_ROWS, SEL_ROW (selected), SEL_INVIEW and SEL_LABEL.
read_selection() {
  # A window that does not answer leaves no file: an old one would mislead.
  rm -f "$E2E_OUT/selection.txt"
  list_selection 'Kivo ' "$E2E_OUT/selection.txt" || return 1
  read -r _ SEL_ROWS _ SEL_ROW _ SEL_INVIEW _ SEL_LABEL < <(tr -d '\r' <"$E2E_OUT/selection.txt")
}

# Tries the check until it holds, `limit` seconds at most, POLL_PAUSE seconds
# apart; STEP_SECONDS is the time since `since` (microseconds) when it held or
# was given up.
POLL_PAUSE=0.1
answered_within() {
  local limit=$1 since=$2
  shift 2
  while :; do
    if "$@"; then STEP_SECONDS=$(seconds_since "$since"); return 0; fi
    STEP_SECONDS=$(seconds_since "$since")
    awk -v s="$STEP_SECONDS" -v l="$limit" 'BEGIN { exit !(s >= l) }' && return 1
    sleep "$POLL_PAUSE"
  done
}

# The label the row has: rows are the items without the separators.
row_label() { sed -n "$(($1 + 1))p" "$E2E_OUT/labels.txt"; }

shows_many() { read_selection && [ "$SEL_ROWS" = "$ITEMS" ] && [ "$(launcher_category || true)" = Many ]; }
moved_below() { read_selection && [ "$SEL_ROW" -gt "$1" ] && [ "$SEL_INVIEW" = 1 ]; }
at_last_row() { read_selection && [ "$SEL_ROW" = $((ITEMS - 1)) ] && [ "$SEL_INVIEW" = 1 ]; }
shows_tools() { read_selection && [ "$SEL_ROWS" = 3 ] && [ "$(launcher_category || true)" = Tools ]; }

# Checks that the step was answered in time.
expect_answer() {
  local what=$1 result=$2
  if [ "$result" -eq 0 ] && awk -v s="$STEP_SECONDS" -v l="$ANSWER_LIMIT" 'BEGIN { exit !(s <= l) }'; then
    pass "$what, answered after $STEP_SECONDS s"
  elif [ "$result" -eq 0 ]; then
    fail "$what only after $STEP_SECONDS s, more than $ANSWER_LIMIT s"
  else
    local seen="the window does not answer"
    [ -s "$E2E_OUT/selection.txt" ] && seen=$(tr -d '\r' <"$E2E_OUT/selection.txt")
    fail "$what: not after $STEP_SECONDS s ($seen)"
  fi
}

# Counts Kivo's objects after a step and holds them against the limit.
measure() {
  local step=$1
  if read_counts 'Kivo ' "$step"; then
    printf '%-10s user %6s gdi %6s answered %s s (%s)\n' "$step" "$USER_OBJECTS" "$GDI_OBJECTS" "${STEP_SECONDS:--}" \
      "$(sed -n 2p "$E2E_OUT/objects-$step.txt" | tr -d '\r')" >>"$STEPS"
    if [ "$USER_OBJECTS" -lt "$OBJECT_LIMIT" ] && [ "$GDI_OBJECTS" -lt "$OBJECT_LIMIT" ]; then
      pass "$step: $USER_OBJECTS USER and $GDI_OBJECTS GDI objects, counted by $COUNT_WAY"
    else
      fail "$step: $USER_OBJECTS USER and $GDI_OBJECTS GDI objects, not both below $OBJECT_LIMIT"
    fi
  fi
}

# The counting first: icons must count as USER objects and bitmaps as GDI
# objects, one for one.
control_counts 0 0 none
none_user=$CONTROL_USER none_gdi=$CONTROL_GDI
control_counts 300 0 icons
expect_rise "$none_user" "$CONTROL_USER" 300 310 "300 icons count as USER objects"
control_counts 0 300 bitmaps
expect_rise "$none_gdi" "$CONTROL_GDI" 300 310 "300 bitmaps count as GDI objects"
expect_rise "$none_user" "$CONTROL_USER" -5 5 "bitmaps are no USER objects"

# Writes Many.kvl of `items` items into the folder $1, and their captions into
# labels.txt there. Items cycle through 30 of Wine's programs, documents in the
# data folder, folders, some with parameters, a working folder, a show mode or
# an icon of their own; a separator after every 2,500.
make_many() {
  local items=$2
  mkdir -p "$1/docs"
  (
    cd "$1"
    awk -v items="$items" 'BEGIN {
      n = split("system32\\notepad.exe system32\\cmd.exe system32\\winefile.exe system32\\winecfg.exe " \
                "system32\\taskmgr.exe system32\\control.exe system32\\clock.exe system32\\winemine.exe " \
                "system32\\winhlp32.exe system32\\write.exe system32\\progman.exe system32\\oleview.exe " \
                "system32\\dxdiag.exe system32\\msinfo32.exe system32\\iexplore.exe system32\\uninstaller.exe " \
                "system32\\winver.exe system32\\view.exe system32\\mshta.exe system32\\wscript.exe " \
                "system32\\regsvr32.exe system32\\msiexec.exe system32\\reg.exe system32\\xcopy.exe " \
                "system32\\ping.exe system32\\ipconfig.exe regedit.exe explorer.exe hh.exe notepad.exe", program, " ")
      folders = split("%windir%|%windir%\\system32|docs|%USERPROFILE%|C:\\users|%windir%\\Fonts", folder, "|")
      printf "\xef\xbb\xbf" >"Many.kvl"
      p = 0
      for (i = 0; i < items; i++) {
        d = i % 200
        if (i % 10 < 6) {
          exe = program[p % n + 1]; p++
          name = exe; sub(/.*\\/, "", name); sub(/\.exe$/, "", name)
          caption = sprintf("%s %05d", name, i)
          line = caption "=%windir%\\" exe
          if (i % 40 == 3) line = line ";;%USERPROFILE%;max"
          if (i % 40 == 5) line = line ";;;;%windir%\\system32\\shell32.dll," (i % 30)
        } else if (i % 10 == 6) {
          caption = sprintf("Note %05d", i); line = sprintf("%s=docs\\note-%03d.txt", caption, d)
        } else if (i % 10 == 7) {
          caption = sprintf("Page %05d", i); line = sprintf("%s=docs\\page-%03d.htm", caption, d)
        } else if (i % 10 == 8) {
          caption = sprintf("Folder %05d", i); line = caption "=" folder[i % folders + 1]
        } else {
          caption = sprintf("Edit %05d", i)
          line = sprintf("%s=%%windir%%\\system32\\notepad.exe;docs\\note-%03d.txt;docs;min", caption, d)
        }
        printf "%s\r\n", line >"Many.kvl"
        print caption >"labels.txt"
        if (i % 2500 == 2499 && i < items - 1) printf "-=\r\n" >"Many.kvl"
      }
      for (d = 0; d < 200; d++) {
        printf "Note %d\r\n", d >sprintf("docs/note-%03d.txt", d)
        printf "<html><body><p>Page %d</p></body></html>\r\n", d >sprintf("docs/page-%03d.htm", d)
      }
    }'
  )
}

data=$(new_data_folder data)
make_many "$data" "$ITEMS"
mv "$data/labels.txt" "$E2E_OUT/labels.txt"
printf '\xef\xbb\xbf%s\r\n' 'Notepad=%windir%\system32\notepad.exe' 'Command prompt=%windir%\system32\cmd.exe;/k echo Kivo' \
  'Back=kivo;Many' >"$data/Tools.kvl"
printf '\xef\xbb\xbf[Start]\r\nCatSelect=Many\r\n\r\n[Many]\r\nLargeIcons=1\r\n' >"$data/Kivo.ini"

started=$(micros)
start_kivo "$data"
wait_launcher || finish
STEP_SECONDS=$(seconds_since "$started")
measure appeared

answered_within "$ANSWER_LIMIT" "$started" shows_many && result=0 || result=$?
expect_answer "the launcher shows all $ITEMS items of Many" "$result"
if [ "$result" -ne 0 ]; then
  # Late is a failure already; the rest is still worth measuring. Asking
  # less often leaves the machine to the launcher.
  POLL_PAUSE=1
  if ! answered_within "$FILL_LIMIT" "$started" shows_many; then
    fail "the launcher does not answer with its $ITEMS items after $FILL_LIMIT s"
    kill "$KIVO_PID" 2>/dev/null || true
    cat "$STEPS"
    finish
  fi
  echo "the launcher answered after $STEP_SECONDS s"
  POLL_PAUSE=0.1
fi
[ "$SEL_ROW" = 0 ] && [ "$SEL_LABEL" = "$(row_label 0)" ] && pass "the first item is selected" ||
  fail "selected at start: row $SEL_ROW '$SEL_LABEL'"
measure start

click_caption "$LAUNCHER_WIN"
for page in 1 2 3; do
  before=$SEL_ROW
  since=$(micros)
  xdotool key Next
  answered_within "$ANSWER_LIMIT" "$since" moved_below "$before" && result=0 || result=$?
  expect_answer "Page Down $page selects a row further down, in sight" "$result"
done
[ "$SEL_LABEL" = "$(row_label "$SEL_ROW")" ] && pass "row $SEL_ROW is the item '$SEL_LABEL'" ||
  fail "row $SEL_ROW shows '$SEL_LABEL', not '$(row_label "$SEL_ROW")'"
measure pagedown

since=$(micros)
xdotool key End
answered_within "$ANSWER_LIMIT" "$since" at_last_row && result=0 || result=$?
expect_answer "End selects the last row and brings it in sight" "$result"
[ "$SEL_LABEL" = "$(row_label $((ITEMS - 1)))" ] && pass "the last row is the last item" ||
  fail "the last row shows '$SEL_LABEL'"
screenshot "$LAUNCHER_WIN" end
measure end

since=$(micros)
xdotool key Tab
answered_within "$ANSWER_LIMIT" "$since" shows_tools && result=0 || result=$?
expect_answer "Tab shows the small category" "$result"
measure tools

exit_launcher "$LAUNCHER_WIN" && pass "the launcher exits"
settings=$(tr -d '\r' <"$data/Kivo.ini")
grep -qx 'MRU=Tools' <<<"$settings" && pass "the settings were written at exit" ||
  fail "no MRU=Tools in the settings: $(tr '\n' ' ' <<<"$settings")"

echo "objects and answer times at each step:" && cat "$STEPS"

# 100,000 items, as a check that nothing hangs: the launcher shows them all and
# goes to the last, the editor opens on them, and both close.
ITEMS=100000 HANG_LIMIT=60
huge=$(new_data_folder huge)
make_many "$huge" "$ITEMS"
mv "$huge/labels.txt" "$E2E_OUT/labels.txt"
printf '\xef\xbb\xbf[Start]\r\nCatSelect=Many\r\n' >"$huge/Kivo.ini"
started=$(micros)
start_kivo "$huge"
wait_launcher || finish
answered_within "$HANG_LIMIT" "$started" shows_many && pass "the launcher shows all $ITEMS items" ||
  fail "the launcher does not show $ITEMS items ($(cat "$E2E_OUT/selection.txt" 2>/dev/null))"
click_caption "$LAUNCHER_WIN"
xdotool key Next
answered_within "$HANG_LIMIT" "$(micros)" moved_below 0 && pass "Page Down goes down the $ITEMS items" ||
  fail "Page Down: row $SEL_ROW"
xdotool key End
answered_within "$HANG_LIMIT" "$(micros)" at_last_row && [ "$SEL_LABEL" = "$(row_label $((ITEMS - 1)))" ] &&
  pass "End goes to the last of them" || fail "End: row $SEL_ROW '$SEL_LABEL'"
xdotool key F2
editor_rows() { wait_editor && read_selection && [ "$SEL_ROWS" = $((ITEMS + ITEMS / 2500 - 1)) ]; }
answered_within "$HANG_LIMIT" "$(micros)" editor_rows && pass "the editor lists every line of them" ||
  fail "the editor lists ${SEL_ROWS:-no} rows"
xdotool key Escape
# The editor has the launcher's title: it must be gone before the launcher is looked for.
launcher_back() { look 'Kivo ' && [ "$(looked 7 3)" = SysListView32 ] && [ "$(xdotool search --onlyvisible --name '^Kivo $' | wc -l)" = 1 ]; }
wait_until "$HANG_LIMIT" launcher_back && wait_launcher && exit_launcher "$LAUNCHER_WIN" && pass "the launcher exits after the editor closed"
finish
