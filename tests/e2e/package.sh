#!/usr/bin/env bash
# The release zip as a user gets it. It holds one folder with what it should
# and nothing else; its kivo.exe is stripped, still one file with its
# resources, and its version agrees with the About window and the zip's name.
# Unzipped onto a USB stick in a Wine prefix of its own, made fresh, it starts
# on the sample data and starts no other program with it, launches a program
# on the stick, opens the licence from its About window, and after the stick
# came back under another letter launches it from there with the data intact,
# and opens its help. Started as administrator on a desktop whose shell runs
# without those rights, it starts programs with the desktop's rights (but
# "admin" items with its own), and a library planted beside it on the stick is
# never loaded.
# Argument 3: the zip (none when this build makes no package).
source "$(dirname "$0")/lib.sh"

ZIP=${3:-}
[ -n "$ZIP" ] || { echo "this build makes no release package (zip, strip or chmcmd missing)"; exit 77; }
[ -f "$ZIP" ] || { fail "the release package $ZIP was not built"; finish; }
SOURCE_DIR=$(cd "$(dirname "$0")/../.." && pwd)
OBJDUMP=x86_64-w64-mingw32-objdump
command -v "$OBJDUMP" >/dev/null || { echo "$OBJDUMP is missing"; exit 77; }

# --- The zip's contents ------------------------------------------------------

STICK="$E2E_OUT/stick"
TOP=Kivo
KIVO_DIR="$STICK/$TOP"
unzip -q "$ZIP" -d "$STICK"

# Everything named here and nothing else, in name order.
{
  (cd "$SOURCE_DIR/examples/data" && find . -type f | sed "s|^\./|$TOP/|")
  (cd "$SOURCE_DIR/res/Languages" && find . -type f -name '*.lng' | sed "s|^\./|$TOP/Languages/|")
  printf "$TOP/%s\n" kivo.exe Kivo-en.chm Kivo-de.chm KivoRedir.ini License.txt
} | LC_ALL=C sort >"$E2E_OUT/contents.expected"
unzip -Z1 "$ZIP" >"$E2E_OUT/contents.txt"
expect_file_bytes "$E2E_OUT/contents.txt" "$E2E_OUT/contents.expected" \
  "the zip holds kivo.exe, its help and languages, the sample data, the redirect sample and the licence, sorted"
cmp -s "$KIVO_DIR/License.txt" <(sed 's/$/\r/' "$SOURCE_DIR/LICENSE") && pass "the licence, with CR LF" ||
  fail "License.txt is not the repository's LICENSE"
for help in Kivo-en.chm Kivo-de.chm; do
  cmp -s "$KIVO_DIR/$help" "$BUILD_DIR/$help" || fail "$help is not the one built"
done

exe="$KIVO_DIR/kivo.exe"
sections=$("$OBJDUMP" -h "$exe")
symbols=$("$OBJDUMP" -t "$exe" | grep -c '^\[' || true)
packed_size=$(stat -c %s "$exe") built_size=$(stat -c %s "$KIVO_EXE")
# The build's own kivo.exe stripped here is as large as the one the zip holds
# (only the time stamp and checksum in the header may differ).
"${OBJDUMP%objdump}strip" --strip-all -o "$E2E_OUT/stripped.exe" "$KIVO_EXE"
if ! grep -q '\.debug' <<<"$sections" && [ "$symbols" = 0 ] && [ "$packed_size" -lt "$built_size" ] &&
  [ "$packed_size" = "$(stat -c %s "$E2E_OUT/stripped.exe")" ]; then
  pass "kivo.exe is stripped: $packed_size bytes, the build's $built_size"
else
  fail "kivo.exe is not stripped: $packed_size bytes (the build's $built_size), $symbols symbols"
fi
# Icon, manifest and version information, all of them: the same resource section.
rsrc_size() { "$OBJDUMP" -h "$1" | awk '$2 == ".rsrc" {print $3}'; }
packed_rsrc=$(rsrc_size "$exe")
[ -n "$packed_rsrc" ] && [ "$packed_rsrc" = "$(rsrc_size "$KIVO_EXE")" ] &&
  pass "and keeps its resources (0x$packed_rsrc bytes)" || fail "kivo.exe lost resources: '$packed_rsrc'"
imports=$("$OBJDUMP" -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr '[:upper:]' '[:lower:]' | sort)
if grep -Eq 'libstdc|libgcc|libwinpthread' <<<"$imports"; then
  fail "kivo.exe needs the MinGW runtime: $(tr '\n' ' ' <<<"$imports")"
else
  pass "it needs no DLL beside it"
fi
grep -q '^;' "$KIVO_DIR/KivoRedir.ini" && ! grep -qi '^[[:space:]]*DataPath' "$KIVO_DIR/KivoRedir.ini" &&
  pass "the sample redirect file names no folder" || fail "the sample redirect file redirects"
echo "The zip has $(stat -c %s "$ZIP") bytes; kivo.exe in it $packed_size, as built $built_size."

# --- A fresh Wine prefix of this test's own ----------------------------------

source "$(dirname "$0")/fresh_prefix.sh"
at_exit end_session

# Letters the stick gets, one after the other; both are removable drives.
FIRST=e SECOND=k
map_stick() {
  rm -f "$FRESH/dosdevices/"{$FIRST,$SECOND}:
  ln -s "$STICK" "$FRESH/dosdevices/$1:"
}
fresh_prefix_settings() {
  fresh_setting 'HKLM\Software\Wine\Drives' $FIRST: floppy
  fresh_setting 'HKLM\Software\Wine\Drives' $SECOND: floppy
}

started=$(date +%s%N)
make_fresh_prefix
map_stick $FIRST
echo "Making the fresh prefix took $(( ($(date +%s%N) - started) / 1000000 )) ms."
start_session || finish

# --- Version: the file, the About window and the zip's name agree -------------

wine "$PROBE" version "$(winpath "$exe")" "$(winpath "$E2E_OUT/version.txt")" </dev/null >/dev/null 2>&1 || true
version_field() { sed -n "s/^$1 //p" "$E2E_OUT/version.txt" 2>/dev/null; }
version=$(version_field ProductVersion)
read -r _ fixed _ product < <(head -1 "$E2E_OUT/version.txt" 2>/dev/null || echo "- - - -")
if [ -n "$version" ] && [ "$(version_field FileVersion)" = "$version" ] && [ "$(version_field ProductName)" = Kivo ] &&
  [ "$(version_field OriginalFilename)" = kivo.exe ]; then
  pass "kivo.exe in the zip carries its version information: $version"
else
  fail "version information: $(tr '\n' '|' <"$E2E_OUT/version.txt" 2>/dev/null)"
fi
# 2.31.0.20 is "2.31 beta 20"; 2.32.0.0 would be "2.32".
IFS=. read -r major minor _ build_number <<<"$fixed"
expected_text="$major.$minor"
[ "$build_number" != 0 ] && expected_text="$major.$minor beta $build_number"
[ "$fixed" = "$product" ] && [ "$version" = "$expected_text" ] &&
  pass "its version numbers ($fixed) say the same" || fail "version numbers $fixed / $product, text '$version'"
[ "$(basename "$ZIP")" = "kivo-${version// /-}.zip" ] && pass "the zip is named after it: $(basename "$ZIP")" ||
  fail "the zip's name $(basename "$ZIP") does not follow the version '$version'"

# --- The stick under its first letter ----------------------------------------

# A program on the stick, named by an item with the stick's letter, records how
# it was started; Explorer would start kivo.exe in its own folder.
mkdir -p "$STICK/Tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$STICK/Tools/probe.exe"
printf '%s\r\n' "Stick probe=${FIRST^^}:\\Tools\\probe.exe;/notes=${FIRST^^}:\\$TOP\\Notes;${FIRST^^}:\\Tools" \
  >>"$KIVO_DIR/Programs.kvl"
cp "$KIVO_DIR/Programs.kvl" "$E2E_OUT/programs-before"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

# The Windows programs of this prefix but Wine's own, the desktop keeper and Kivo.
other_programs() {
  local pid pids
  pids=$(pgrep -f '\.exe') || true  # before the grep below, which names .exe too
  for pid in $pids; do
    grep -qzxF "WINEPREFIX=$FRESH" "/proc/$pid/environ" 2>/dev/null && ps -o args= -p "$pid"
  done | grep -viE '[\\/](kivo|desktop_keeper|limited_start|services|winedevice|plugplay|explorer|rpcss|svchost|conhost)\.exe' || true
}

# Starts kivo.exe from the stick under that letter (with the arguments that
# follow) and waits for its launcher; the window id goes into win. The launcher
# shows only after the start-up category's items were started: the sample's
# start-up category starts none.
start_from_stick() {
  local letter=${1^^} others
  start_program "$letter:\\$TOP\\kivo.exe" "$KIVO_DIR" "${@:2}"
  wait_launcher || return 1
  win=$LAUNCHER_WIN
  others=$(other_programs)
  [ -z "$others" ] && pass "the sample data starts no program with Kivo" || fail "started with Kivo: $others"
  screenshot "$win" "launcher-$1"
}

# The hh.exe processes showing that help file.
viewers() { ps -eo pid=,args= | grep -F "hh.exe" | grep -F "$1" | grep -v grep | awk '{print $1}' || true; }

# Launches the item of that name; false when there is none.
launch_item_named() {
  local row
  list_rows 'Kivo ' "$E2E_OUT/rows.txt" || true
  row=$(awk -F'\t' -v name="$1" '$2 == name {print NR - 1; exit}' "$E2E_OUT/rows.txt" 2>/dev/null || true)
  [ -n "$row" ] && launch_row "$row"
}

# Launches the probe's item and checks the command line and folder it got.
expect_probe_launch() {
  local letter=${1^^} what=$2 before got
  before=$(grep -c '' "$log" 2>/dev/null) || before=0
  launch_item_named "Stick probe" || { fail "$what: no item 'Stick probe' in the launcher"; return 0; }
  if wait_lines "$log" $((before + 3)); then
    got=$(tr -d '\r' <"$log" | sed -n "$((before + 1)),$((before + 2))p")
  else
    got="(nothing)"
  fi
  if [ "$got" = "\"$letter:\\Tools\\probe.exe\" /notes=$letter:\\$TOP\\Notes"$'\n'"$letter:\\Tools" ]; then
    pass "$what"
  else
    fail "$what: started as '${got//$'\n'/' in '}'"
  fi
}

if start_from_stick $FIRST; then
  expect_category Programs "unzipped and started, Kivo shows the sample's first category"
  list_rows 'Kivo ' "$E2E_OUT/rows-first.txt" || true
  [ "$(cut -f2 "$E2E_OUT/rows-first.txt" | head -1)" = Notepad ] && pass "with its items" ||
    fail "the sample's items are missing: $(cut -f2 "$E2E_OUT/rows-first.txt" 2>/dev/null | tr '\n' '|')"
  expect_probe_launch $FIRST "an item on the stick starts with the stick's letter ${FIRST^^}:"

  post_message 'Kivo ' 273 76 0
  wait_until 10 look 'Kivo ' owned-state || true
  [ "$(looked_text 2)" = "Kivo ver. $version  (64 bit)" ] && pass "the About window shows the same version" ||
    fail "About's version line: '$(looked_text 2)'"
  # Its licence line opens the License.txt beside kivo.exe (and closes it).
  read -r _ l t r _ <"$E2E_OUT/look.txt"
  xdotool mousemove $((l + (r - l - 300) / 2 + 75)) $((t + (r - l - 300) / 2 + 97)) click 1
  licence="notepad.exe ${FIRST^^}:\\$TOP\\License.txt"
  licence_open() { other_programs | grep -qiF "$licence"; }
  wait_until 10 licence_open && pass "About's \"MIT licence\" opens License.txt" ||
    fail "the licence was not opened: $(other_programs)"
  about_gone() { ! look 'Kivo ' owned-state; }
  wait_until 10 about_gone || true
  # Notepad covers the launcher now.
  post_message 'Kivo ' 1025 65 0
  wait_kivo_exit
fi
[ ! -e "$KIVO_DIR/Data" ] && pass "the sample redirect file moved nothing" || fail "a data folder Data was made"
grep -q $'^VarDrive=1\r$' "$KIVO_DIR/Kivo.ini" && pass "Kivo knows it runs from a removable drive" ||
  fail "VarDrive=1 was not written"
cp "$KIVO_DIR/Kivo.ini" "$E2E_OUT/settings-first"

# --- The same stick under another letter -------------------------------------

end_session
map_stick $SECOND
start_session || finish
if start_from_stick $SECOND; then
  expect_category Programs "under ${SECOND^^}: the same category comes up"
  expect_probe_launch $SECOND "the item follows the stick to ${SECOND^^}:"

  # The help beside kivo.exe on the stick.
  help_file="${SECOND^^}:\\$TOP\\Kivo-en.chm"
  click_caption "$win"
  xdotool key F1
  viewer_shown() { [ -n "$(viewers "$help_file")" ]; }
  viewer_gone() { [ -z "$(viewers "$help_file")" ]; }
  if wait_until 10 viewer_shown && help_win=$(wait_window '^Kivo Help$' 10); then
    pass "F1 opens the help from the stick"
    wait_until 10 painted "$help_win" help || fail "the help window shows no contents"
  else
    fail "no help viewer on $help_file"
  fi
  post_message 'Kivo ' 1025 65 0
  wait_kivo_exit
  wait_until 10 viewer_gone && pass "the viewer ends with Kivo" || fail "the help viewer outlives Kivo"
fi
expect_file_bytes "$KIVO_DIR/Programs.kvl" "$E2E_OUT/programs-before" "the category file keeps its letter ${FIRST^^}: on the stick"
expect_file_bytes "$KIVO_DIR/Kivo.ini" "$E2E_OUT/settings-first" "the settings are as the first run left them"
grep -q $'^CatSelect=Programs\r$' "$KIVO_DIR/Kivo.ini" && grep -q "; Kivo's settings" "$KIVO_DIR/Kivo.ini" &&
  pass "with the sample's settings and comment" || fail "the sample's settings were lost"

# --- Kivo as administrator on a desktop without those rights -----------------

# Wine loads its own libraries before one beside a program, unless told to
# prefer a "native" one, as Windows always does: so it is told, for the library
# planted here, which Wine's common controls load when they first draw.
planted=msimg32.dll
end_session
start_session limited || finish
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;${planted%.dll}=n,b"
cp "$BUILD_DIR/tests/planted_library.dll" "$KIVO_DIR/$planted"
cp "$BUILD_DIR/tests/library_loader.exe" "$KIVO_DIR/loader.exe"
loaded_from=$(cd "$KIVO_DIR" && wine "${SECOND^^}:\\$TOP\\loader.exe" $planted </dev/null 2>/dev/null | tr -d '\r' || true)
if [ "$loaded_from" = "${SECOND^^}:\\$TOP\\$planted" ] && [ -e "$KIVO_DIR/$planted.loaded" ]; then
  pass "control: a program that takes no care loads the $planted planted beside it"
else
  fail "control: the planted $planted was not loaded by a plain program ('$loaded_from')"
fi
rm -f "$KIVO_DIR/loader.exe" "$KIVO_DIR/$planted.loaded"

# Items of the probe that report their rights, first in the sample's category.
{
  printf '%s\r\n' "Rights probe=${FIRST^^}:\\Tools\\probe.exe;--rights /notes=${FIRST^^}:\\$TOP\\Notes;${FIRST^^}:\\Tools" \
    "Admin probe=${FIRST^^}:\\Tools\\probe.exe;--rights;${FIRST^^}:\\Tools;admin"
  cat "$KIVO_DIR/Programs.kvl"
} >"$E2E_OUT/programs-rights"
mv "$E2E_OUT/programs-rights" "$KIVO_DIR/Programs.kvl"
# Launches an item of the probe with --rights; prints the four lines it logged.
launched_with_rights() {
  local before
  before=$(grep -c '' "$log" 2>/dev/null) || before=0
  launch_item_named "$1" || { echo "(no item)"; return 0; }
  if wait_lines "$log" $((before + 4)); then
    tr -d '\r' <"$log" | sed -n "$((before + 1)),$((before + 4))p"
  else
    echo "(not started)"
  fi
}

if start_from_stick $SECOND; then
  letter=${SECOND^^}
  got=$(launched_with_rights "Rights probe")
  expected="\"$letter:\\Tools\\probe.exe\" --rights /notes=$letter:\\$TOP\\Notes"$'\n'"$letter:\\Tools"$'\n'"1"
  [ "$got" = "$expected"$'\n'"not elevated" ] &&
    pass "Kivo as administrator starts a program with the desktop user's rights, as the item says" ||
    fail "a program started from Kivo as administrator: '${got//$'\n'/|}'"
  got=$(launched_with_rights "Admin probe")
  [ "$(tail -1 <<<"$got")" = "elevated" ] && pass "an \"admin\" item still starts as administrator" ||
    fail "an \"admin\" item: '${got//$'\n'/|}'"
  # After the window was drawn, programs started and their windows came and went.
  wine "$PROBE" modules 'Kivo ' "$(winpath "$E2E_OUT/modules.txt")" </dev/null >/dev/null 2>&1 || true
  tr -d '\r' <"$E2E_OUT/modules.txt" | grep -iE "(^|[\\\\])${planted//./\\.}\$" >"$E2E_OUT/planted.txt" || true
  if [ ! -e "$KIVO_DIR/$planted.loaded" ] && grep -qi '^C:\\windows\\system32\\' "$E2E_OUT/planted.txt" &&
    ! grep -qiv '^C:\\windows\\system32\\' "$E2E_OUT/planted.txt"; then
    pass "kivo.exe has $planted from the system folder, never the one planted beside it"
  else
    fail "the planted $planted: loaded as '$(tr '\n' ' ' <"$E2E_OUT/planted.txt")', mark: $(ls "$KIVO_DIR"/*.loaded 2>/dev/null || echo none)"
  fi
  exit_launcher "$win"
fi
rm -f "$KIVO_DIR/$planted"
cp "$E2E_OUT/programs-before" "$KIVO_DIR/Programs.kvl"

end_session
# A prefix is some hundred megabytes: kept only to look into a failure.
[ "$FAILURES" = 0 ] && rm -rf "$FRESH"
finish
