#!/usr/bin/env bash
# A kill in the middle of a save never damages the file: save_writer.exe saves
# Kivo.ini, a category file and the file of what Find learned through Kivo's own
# save functions, three writers at once, and save_killer.exe ends them with
# TerminateProcess at random moments of their saves, hundreds of times a file. After every kill each file holds exactly
# its old or its new content, never an empty, cut or mixed one. The next start of
# kivo.exe removes the new files that the kills left behind and reads both files.
# Last, kivo.exe itself is killed while it writes Kivo.ini at its exit, and every
# start after such a kill must have removed what the kill left, also when the
# id in a left file's name belongs to a running process by then.
source "$(dirname "$0")/lib.sh"

KILLS_PER_FILE=${KIVO_SAVE_KILLS:-260}
KIVO_KILLS=${KIVO_EXIT_KILLS:-30}
WRITER="$BUILD_DIR/tests/save_writer.exe"
KILLER="$BUILD_DIR/tests/save_killer.exe"
began=$SECONDS

refs="$E2E_OUT/references"
mkdir -p "$refs"
data=$(new_data_folder saves)
category=Big$(printf 'g%.0s' {1..242})  # 245 characters: no room for ".<process id>.new"

# The report's counts as "name value" pairs: `count <report> <line start> <name>`.
count() { tr -d '\r' <"$1" | awk -v start="$2" -v name="$3" \
  'index($0, start) == 1 { for (i = 1; i < NF; i++) if ($i == name) { print $(i + 1); exit } }'; }

show_report() { tr -d '\r' <"$1" | sed 's/^/    /'; }

# The two contents of each file as Kivo's save functions write them; the data
# folder then holds B of each.
for kind in settings category learned; do
  wine "$WRITER" "$kind" "$(winpath "$data")" reference "$(winpath "$refs/$kind.A")" "$(winpath "$refs/$kind.B")" \
    </dev/null >>"$E2E_OUT/wine.log" 2>&1 || fail "the $kind file could not be saved without a kill"
done

result=0
wine "$KILLER" writers "$(winpath "$WRITER")" "$(winpath "$data")" "$KILLS_PER_FILE" "$(winpath "$E2E_OUT/writers.txt")" \
  "$(winpath "$refs/settings.A")" "$(winpath "$refs/settings.B")" \
  "$(winpath "$refs/category.A")" "$(winpath "$refs/category.B")" \
  "$(winpath "$refs/learned.A")" "$(winpath "$refs/learned.B")" </dev/null >>"$E2E_OUT/wine.log" 2>&1 || result=$?
show_report "$E2E_OUT/writers.txt"
kills=$(count "$E2E_OUT/writers.txt" total kills)
if [ "$result" -eq 0 ] && [ "${kills:-0}" -ge $((3 * KILLS_PER_FILE)) ]; then
  pass "$kills kills while saving: every file held its old or its new content"
else
  fail "kills while saving: exit code $result after ${kills:-no} kills"
fi

left=$(find "$data" -name '*.new' | wc -l)
echo "    new files left by the kills: $left"
start_kivo "$data"
if wait_launcher; then
  list_selection 'Kivo ' "$E2E_OUT/selection.txt" || true
  rows=$(tr -d '\r' <"$E2E_OUT/selection.txt" | awk '{print $2}')
  if cmp -s "$data/$category.kvl" "$refs/category.A"; then expected=400; else expected=500; fi
  [ "$rows" = "$expected" ] && pass "the category file reads whole: $rows items" \
    || fail "the category shows ${rows:-no} items, not $expected"
  stale=$(find "$data" -name '*.new' | wc -l)
  [ "$stale" -eq 0 ] && pass "the start removed the $left new files that the kills left" \
    || fail "$stale of $left new files are still there after the start: $(cd "$data" && ls -- *.new | head -5 | tr '\n' ' ')"
  exit_launcher "$LAUNCHER_WIN"
fi
if cmp -s "$data/$category.kvl" "$refs/category.A" || cmp -s "$data/$category.kvl" "$refs/category.B"; then
  pass "the category file is A or B after the program ran"
else
  fail "the category file changed"
fi
# The exit adds the general settings; the bulk of the file must come back as it was read.
bulk() { tr -d '\r' <"$1" | sed -n '/^\[Bulk\]$/,/^\[/p' | grep -v '^\[' | grep -v '^$'; }
content=$(tr -d '\r' <"$data/Kivo.ini" | sed -n 's/^Content=//p')
if [ "$content" = A ] || [ "$content" = B ]; then
  if cmp -s <(bulk "$data/Kivo.ini") <(bulk "$refs/settings.$content"); then
    pass "the settings file read whole and was written back with all of its $(bulk "$data/Kivo.ini" | wc -l) keys"
  else
    fail "the settings file's keys differ from those of $content"
  fi
else
  fail "the settings file written at exit holds no content mark"
fi

# kivo.exe killed while it writes Kivo.ini at its exit.
kivo_data=$(new_data_folder kivo)
cp "$refs/settings.A" "$E2E_OUT/kivo-before.ini"
printf 'One=%%windir%%\\notepad.exe\r\n' >"$kivo_data/Big.kvl"
result=0
wine "$KILLER" kivo "$(winpath "$KIVO_EXE")" "$(winpath "$kivo_data")" "$KIVO_KILLS" "$(winpath "$E2E_OUT/kivo.txt")" \
  "$(winpath "$E2E_OUT/kivo-before.ini")" </dev/null >>"$E2E_OUT/wine.log" 2>&1 || result=$?
show_report "$E2E_OUT/kivo.txt"
[ "$result" -eq 0 ] && pass "$KIVO_KILLS kills of kivo.exe at its exit: Kivo.ini old or new, each next start cleaned up" \
  || fail "kills of kivo.exe at its exit: exit code $result"

echo "    the test took $((SECONDS - began)) s"
finish
