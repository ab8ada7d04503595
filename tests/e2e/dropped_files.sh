#!/usr/bin/env bash
# Files dropped on the launcher's item view become items of the shown category
# and are saved at once; when the category file cannot be written, Kivo says so
# and keeps the items in memory.
source "$(dirname "$0")/lib.sh"

# python3-xlib is a Debian package: only the system interpreter has it.
XDND_DROP=(/usr/bin/python3 "$(dirname "$0")/tools/xdnd_drop.py")

data=$(make_data data 'Kivo.ini:[main]|AllowDrop=1' 'Tools.kvl:First=%windir%\notepad.exe' 'Read me.txt:Dropped on the launcher.' \
  'Notes.txt:Dropped on a read-only category.' 'Plan;2025.txt:A ";" in the name.')
category="$data/Tools.kvl"
# The Notepad processes showing the file.
plan_notes() { ps -eo pid=,args= | grep -F notepad.exe | grep -F 'Plan;2025.txt' | grep -v grep | awk '{print $1}' || true; }
# Whatever happens, no launcher is left for the next test, nor a read-only file.
# (Under set -e a failing command here would turn a pass into a failure.)
clean_up() {
  if [ -n "$KIVO_PID" ] && kill -0 "$KIVO_PID" 2>/dev/null; then kill "$KIVO_PID" 2>/dev/null || true; fi
  for pid in $(plan_notes); do kill "$pid" 2>/dev/null || true; done
  chmod u+w "$category" 2>/dev/null || true
}
at_exit clean_up

# Drops a Linux file over the launcher's first row, the way a file manager does.
drop_on_launcher() {
  local file=$1 x y out
  if ! read -r x y < <(row_point 'Kivo ' 0); then
    fail "no row to drop $(basename "$file") on"
    return 1
  fi
  if out=$("${XDND_DROP[@]}" "$LAUNCHER_WIN" "$x" "$y" "$file" 2>&1); then
    pass "the launcher takes the drop of $(basename "$file")"
  else
    fail "dropping $(basename "$file"): $out"
    return 1
  fi
}

# Waits until the file holds the line (without its CR); fails after 10 s.
has_line() { tr -d '\r' <"$1" | grep -qxF -- "$2"; }
wait_for_line() { wait_until 10 has_line "$1" "$2" && pass "$3" || { fail "$3: no line \"$2\" in"; sed 's/^/    /' "$1"; }; }
notes_open() { [ -n "$(plan_notes)" ]; }

# A dropped document is added after the last item and saved in the file's format.
if open_kivo "$data"; then
  if drop_on_launcher "$data/Read me.txt"; then
    path=$(winpath "$data/Read me.txt")
    wait_for_line "$category" "Read me=$path" "the category file gets the item with the file's full path"
    expect_file_bytes "$category" <(printf '%s\r\n' 'First=%windir%\notepad.exe' "Read me=$path") \
      "the file keeps its form: UTF-8 without BOM, CR LF"
    expect_rows_soon '0\tFirst\t0\n1\tRead me\t1\n' "the dropped document is a new row, selected"
    screenshot "$LAUNCHER_WIN" dropped
  fi
  # A ";" in the path is kept in the command, stored as U+007F.
  if drop_on_launcher "$data/Plan;2025.txt"; then
    plan="$(winpath "$data")\\Plan;2025.txt"
    wait_for_line "$category" "Plan;2025=${plan//;/$'\x7f'}" "a \";\" in the dropped file's name is stored as U+007F"
    launch_row 2
    wait_until 10 notes_open && pass "launching it opens that file" || fail "no Notepad with Plan;2025.txt"
    if wait_window '^Error$' 1 >/dev/null; then answer_box Error n plan-error; fi
    for pid in $(plan_notes); do kill "$pid"; done
  fi
  exit_launcher "$LAUNCHER_WIN"
fi

# A read-only category file (Wine's read-only attribute): the box, the row stays,
# the file stays as it was.
cp "$category" "$E2E_OUT/Tools.before"
chmod 444 "$category"
if open_kivo "$data"; then
  if drop_on_launcher "$data/Notes.txt" && answer_box 'Error' Return read-only-box; then
    expect_text "$E2E_OUT/read-only-box.txt" 'Cannot write Configuration' "a read-only category file is reported"
    wait_gone 'Error' 5 || fail "the box stays open after Return"
    expect_rows_soon '0\tFirst\t0\n0\tRead me\t1\n0\tPlan;2025\t2\n1\tNotes\t3\n' "the dropped file stays in the launcher"
    screenshot "$LAUNCHER_WIN" kept-in-memory
  fi
  # answer_box ends the program when no box comes.
  kill -0 "$KIVO_PID" 2>/dev/null && exit_launcher "$LAUNCHER_WIN"
fi
expect_file_bytes "$category" "$E2E_OUT/Tools.before" "the read-only category file is unchanged"
left=$(cd "$data" && LC_ALL=C ls -A | tr '\n' '|')
[ "$left" = "Kivo.ini|Notes.txt|Plan;2025.txt|Read me.txt|Tools.kvl|" ] && pass "the failed save leaves no other file behind" \
  || fail "the data folder holds: $left"
chmod 644 "$category"

finish
