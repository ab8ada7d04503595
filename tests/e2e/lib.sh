# Helpers for end-to-end tests: each test is a bash script that starts the real
# kivo.exe under Wine in the virtual desktop, drives it with real input through
# xdotool, and checks what it wrote and what it shows.
# Usage: source lib.sh; the script gets KIVO_EXE and E2E_OUT from its arguments.
set -Eeuo pipefail
# A command that stops the script says where, instead of ending it in silence.
trap 'echo "FAIL: the script stopped at line $LINENO: $BASH_COMMAND"' ERR

KIVO_EXE=$1
E2E_OUT=$2/$(basename "$0" .sh)
rm -rf "$E2E_OUT"
mkdir -p "$E2E_OUT"
FAILURES=0
KIVO_PID=""

# The scripts share one desktop: a program a stopped script leaves running would
# answer to the next script's window searches and take its input. Whatever this
# script started is ended when it ends; then the steps it asked for with at_exit run.
STARTED_PIDS=()
EXIT_STEPS=()
at_exit() { EXIT_STEPS+=("$1"); }
end_script() {
  local pid step
  for pid in "${STARTED_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
  for step in "${EXIT_STEPS[@]}"; do eval "$step" || true; done
}
trap end_script EXIT

# CTest gives the script one of the run's lanes: a display and a Wine prefix of
# its own (see ./kivo.sh, start_lanes), so that two scripts run side by side.
if [ -n "${CTEST_RESOURCE_GROUP_0_LANE:-}" ]; then
  lane=${CTEST_RESOURCE_GROUP_0_LANE#id:}
  lane=${lane%%,*}
  eval "DISPLAY=\${KIVO_LANE${lane}_DISPLAY:-\${DISPLAY:-}} WINEPREFIX=\${KIVO_LANE${lane}_PREFIX:-\${WINEPREFIX:-}}"
  export DISPLAY WINEPREFIX
fi

if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  echo "needs DISPLAY and WINEPREFIX (run through ./kivo.sh test)"
  exit 77
fi

BUILD_DIR=$(dirname "$KIVO_EXE")
PROBE="$BUILD_DIR/tests/probe.exe"

fail() { echo "FAIL: $*"; FAILURES=$((FAILURES + 1)); }
pass() { echo "ok: $*"; }

# A fresh data folder for one scenario; prints its Linux path.
new_data_folder() {
  local dir="$E2E_OUT/$1"
  mkdir -p "$dir"
  echo "$dir"
}

# Starts a program (a Linux or Windows path of a copy of kivo.exe) in the given
# current directory, with the arguments that follow.
start_program() {
  local exe=$1 dir=$2; shift 2
  (cd "$dir" && exec wine "$exe" "$@" </dev/null >>"$E2E_OUT/wine.log" 2>&1) &
  KIVO_PID=$!
  STARTED_PIDS+=("$KIVO_PID")
}

# Starts the built kivo.exe with the given data folder as its current directory.
start_kivo() {
  local dir=$1; shift
  start_program "$KIVO_EXE" "$dir" "$@"
}

# Waits until a window whose title matches the regular expression is visible;
# prints its X window id.
wait_window() {
  local pattern=$1 timeout=${2:-20} id
  for _ in $(seq $((timeout * 10))); do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -1 || true)
    if [ -n "$id" ]; then echo "$id"; return 0; fi
    sleep 0.1
  done
  return 1
}

# The Windows form of a Linux path, as winepath gives it but without starting
# Wine: on the prefix's drive whose folder holds it (C: and the test drives),
# else on Z:, the root.
winpath() {
  local path drive root best="" best_root=""
  path=$(realpath -m -- "$1")
  for drive in "$WINEPREFIX"/dosdevices/?:; do
    [ "${drive##*/}" = z: ] && continue
    root=$(realpath -m -- "$drive") || continue
    if [ "$path" = "$root" ] || [ "${path#"$root"/}" != "$path" ]; then
      [ ${#root} -gt ${#best_root} ] && best=${drive##*/} && best_root=$root
    fi
  done
  if [ -n "$best" ]; then
    path=${path#"$best_root"}
    path="${best^^}${path:-/}"
  else
    path="Z:$path"
  fi
  printf '%s\n' "${path//\//\\}"
}

# The Linux form of a Windows path (the other way round).
unixpath() {
  local path=${1//\\//} root
  local drive=${path:0:1}
  root=$(realpath -m -- "$WINEPREFIX/dosdevices/${drive,,}:")
  root=${root%/}
  path=${path:2}
  printf '%s\n' "$root${path:-/}"
}

# The title and the texts of the controls of the window with exactly this title,
# one a line, into the file given.
window_texts() {
  local title=$1 out=$2
  wine "$PROBE" texts "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# The rows of the window's list view, one a line:
# <selected 0/1> TAB <label> TAB <item data>.
list_rows() {
  local title=$1 out=$2
  wine "$PROBE" rows "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# One line about the window's list view, quick however long the list is (see
# probe selection): rows <count> selected <row> inview <0/1> label <label>.
list_selection() {
  local title=$1 out=$2
  wine "$PROBE" selection "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# The USER and GDI objects of the process with a window of exactly this title,
# answering or not: "user <n> gdi <m> by <way>", then what they are.
object_counts() {
  local title=$1 out=$2
  wine "$PROBE" objects "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# Prints "X Y", the screen point of a row's label, for xdotool clicks.
row_point() {
  local title=$1 row=$2 out
  out=$(mktemp "$E2E_OUT/row_point.XXXXXX")
  local result=0
  wine "$PROBE" rowpoint "$title" "$row" "$(winpath "$out")" </dev/null >/dev/null 2>&1 || result=$?
  [ "$result" -eq 0 ] && tr -d '\r' <"$out"
  rm -f "$out"
  return "$result"
}

# Posts a message, its numbers in decimal, to the window with exactly this title.
# The window is looked up by asking for its title, which a program busy on a
# loaded machine may not answer in time: a window not found is tried again for
# a few seconds before the post counts as failed.
post_message() {
  local title=$1 message=$2 wparam=$3 lparam=$4 status
  for _ in $(seq 10); do
    wine "$PROBE" post "$title" "$message" "$wparam" "$lparam" </dev/null >/dev/null 2>&1
    status=$?
    [ "$status" -eq 1 ] || return "$status"
    sleep 0.5
  done
  return "$status"
}

# The window's rectangle, flags, user data and styles, then a line per control.
window_state() {
  local title=$1 out=$2
  wine "$PROBE" state "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# Makes the window with exactly this title paint itself anew, controls included.
repaint_window() {
  wine "$PROBE" repaint "$1" </dev/null >/dev/null 2>&1
}

# The open popup menus' rectangles; fails when no menu is open. Under Wine the
# entries of another process's menu cannot be read, so expect only menu lines.
open_menu() {
  local out=$1
  wine "$PROBE" menu "$(winpath "$out")" </dev/null >/dev/null 2>&1
}

# Presses the keys over the launcher (X window id $1): a popup menu must open,
# kept as a screenshot, and Escape must close it again.
expect_menu_from_keys() {
  local win=$1 keys=$2 what=$3 shot=$4
  if menu_by_keys "$keys"; then pass "$what opens the category menu"; else fail "no menu after $what"; fi
  screenshot "$win" "$shot"
  xdotool key Escape
  wait_until 10 menu_closed && pass "Escape closes the menu" || fail "Escape left the menu open"
}

menu_closed() { ! open_menu "$E2E_OUT/menu-closed.txt"; }

# Presses the keys until a popup menu is open: the launcher lets a key that
# comes right after its category menu closed pass (it would be the key that
# closed it), so one press may not be enough. False when none opens.
menu_by_keys() {
  local _
  for _ in 1 2 3 4 5; do
    xdotool key "$@"
    wait_until 2 open_menu "$E2E_OUT/menu.txt" && return 0
  done
  return 1
}

# Waits until no visible window has exactly this title; fails after the timeout.
wait_gone() {
  local title=$1 seconds=$2
  wine "$PROBE" wait-gone "$title" "$seconds" </dev/null >/dev/null 2>&1
}

# The names Windows lists for a pattern such as 'Z:\dir\*.kvl', in its order.
listed_files() {
  wine "$PROBE" files "$1" "$(winpath "$2")" </dev/null >/dev/null 2>&1
}

# Holds a file open without sharing it, as another program may, for that many
# seconds, in the background; returns once the file is held. HOLD_PID is the
# holder, for `wait`.
hold_file() {
  local file=$1 seconds=$2 marker
  marker="$E2E_OUT/held.$RANDOM"
  wine "$PROBE" hold "$(winpath "$file")" "$seconds" "$(winpath "$marker")" </dev/null >/dev/null 2>&1 &
  HOLD_PID=$!
  for _ in $(seq 100); do
    [ -f "$marker" ] && { rm -f "$marker"; return 0; }
    sleep 0.1
  done
  fail "could not hold $file"
  return 1
}

# The text of control $2 in the window state file $1 (window_state), and its
# access key in lower case: the character after a "&" ("&&" shows an "&").
state_text() { sed -n "s/^control $2 [^ ]* .* value [-0-9]* text //p" "$1" | tr -d '\r'; }
access_key() { local LC_ALL=C.UTF-8 t; t=$(state_text "$1" "$2"); t=${t//&&/}; t=${t#*&}; t=${t:0:1}; echo "${t,,}"; }

# Every label, check box and button in the state file $1 but the controls
# numbered in $2 has exactly one access key, and no two share one.
expect_access_keys() {
  local LC_ALL=C.UTF-8 id text marks key keys=" " bad=""
  while read -r id text; do
    [[ " $2 " == *" $id "* ]] && continue
    marks=${text//&&/} && marks=${marks//[^&]/} && key=$(access_key "$1" "$id")
    [ "$marks" = "&" ] && [ -n "$key" ] && [[ $keys != *" $key "* ]] || bad+=" $id '$text'"
    keys+="$key "
  done < <(tr -d '\r' <"$1" | sed -n 's/^control \([0-9]*\) \(Static\|Button\) .* value [-0-9]* text \(..*\)$/\1 \3/p')
  [ -z "$bad" ] && pass "$3" || fail "$3:$bad"
}

# Checks that the window's texts (read before with window_texts) hold a line.
expect_text() {
  local file=$1 text=$2 what=$3
  if tr -d '\r' <"$file" | grep -qF -- "$text"; then
    pass "$what"
  else
    fail "$what: no \"$text\" in"
    sed 's/^/    /' "$file" 2>/dev/null || true
  fi
}

# Answers the box titled `title` with a key (Return, Escape, n, y) after saving
# its texts in $E2E_OUT/<name>.txt and a screenshot; fails when it does not come.
answer_box() {
  local title=$1 key=$2 name=$3 id
  if ! id=$(wait_window "^${title}\$"); then
    fail "no window titled '$title'"
    [ -n "$KIVO_PID" ] && kill "$KIVO_PID" 2>/dev/null
    return 1
  fi
  # A busy machine may let the probe's look-up of the box time out once.
  wait_until 10 window_texts "$title" "$E2E_OUT/$name.txt" || true
  screenshot "$id" "$name"
  click_caption "$id"
  xdotool key "$key"
}

# Position and size of a window as X, Y, W, H.
window_geometry() {
  xwininfo -id "$1" | awk '/Absolute upper-left X/{x=$4}/Absolute upper-left Y/{y=$4}/Width:/{w=$2}/Height:/{h=$2}
    END{print x, y, w, h}'
}

screenshot() {
  local id=$1 name=$2 x y w h
  read -r x y w h < <(window_geometry "$id")
  import -window root -crop "${w}x${h}+${x}+${y}" +repage "$E2E_OUT/$name.png"
}

# Clicks the window's caption, which makes it the active window, and waits
# until it is: keys pressed before would go to the window active before.
click_caption() {
  local x y w h title
  read -r x y w h < <(window_geometry "$1")
  xdotool mousemove $((x + w / 2)) $((y + 8)) click 1
  title=$(xdotool getwindowname "$1" 2>/dev/null) || return 0
  wait_until 5 is_foreground "$title" || true
}

# The window with exactly this title (or the dialog titled like its owner) is
# the active window.
is_foreground() {
  local how
  for how in state dialog-state; do
    wine "$PROBE" "$how" "$1" "$(winpath "$E2E_OUT/foreground.txt")" </dev/null >/dev/null 2>&1 &&
      grep -q ' foreground 1 ' "$E2E_OUT/foreground.txt" && return 0
  done
  return 1
}

# Waits for the started kivo.exe to end; fails the test when it does not.
wait_kivo_exit() {
  local timeout=${1:-20}
  for _ in $(seq $((timeout * 10))); do
    if ! kill -0 "$KIVO_PID" 2>/dev/null; then
      wait "$KIVO_PID" || true
      return 0
    fi
    sleep 0.1
  done
  fail "kivo.exe did not exit"
  kill "$KIVO_PID" 2>/dev/null || true
  return 1
}

expect_file_bytes() {
  local file=$1 expected=$2 what=$3
  if cmp -s "$file" "$expected"; then
    pass "$what"
  else
    fail "$what"
    echo "--- expected vs. actual bytes:"
    diff <(od -An -c "$expected") <(od -An -c "$file" 2>&1) | head -30 || true
  fi
}

finish() {
  if [ "$FAILURES" -eq 0 ]; then echo "all checks passed"; exit 0; fi
  echo "$FAILURES check(s) failed"
  exit 1
}

# The Windows path of the user's profile folder. A Wine command started as the
# previous test's programs end can fail once (seen on CI), so it is asked again.
wine_profile() {
  local profile
  for _ in 1 2 3; do
    profile=$(wine cmd /c 'echo %USERPROFILE%' </dev/null 2>>"$E2E_OUT/wine.log" | tr -d '\r') && [ -n "$profile" ] &&
      { echo "$profile"; return 0; }
    sleep 1
  done
  return 1
}

# The category name on the launcher window's strip (line 2 of its texts).
launcher_category() {
  local out="$E2E_OUT/strip.txt"
  window_texts 'Kivo ' "$out" && sed -n 2p "$out" | tr -d '\r'
}

# Checks that the strip shows the category; the window may still be switching.
expect_category() {
  local name=$1 what=$2
  if wait_until 10 category_shown "$name"; then pass "$what"; return 0; fi
  fail "$what: the strip shows '$(launcher_category || true)', not '$name'"
}
category_shown() { [ "$(launcher_category || true)" = "$1" ]; }

# Checks the launcher's rows (see list_rows) against printf-style lines.
expect_rows() {
  local expected=$1 what=$2 name
  name=$(mktemp -u rows.XXXXXX)
  # A file, not a pipe: a failure shows the expected bytes too.
  printf "$expected" >"$E2E_OUT/$name.expected"
  list_rows 'Kivo ' "$E2E_OUT/$name.txt" || true
  expect_file_bytes "$E2E_OUT/$name.txt" "$E2E_OUT/$name.expected" "$what"
}

# The same for rows that are still changing: compares for up to 10 s.
expect_rows_soon() {
  printf "$1" >"$E2E_OUT/rows-soon.expected"
  wait_until 10 rows_as_expected || true
  expect_rows "$@"
}
rows_as_expected() {
  list_rows 'Kivo ' "$E2E_OUT/rows-soon.txt" && cmp -s "$E2E_OUT/rows-soon.txt" "$E2E_OUT/rows-soon.expected"
}

# Waits for the launcher window and puts its X window id into LAUNCHER_WIN; fails
# the test and ends the started program when it does not come. Not for $(...):
# a failure counted in a subshell would be lost.
wait_launcher() {
  LAUNCHER_WIN=""
  # Shown, it takes input once it is the active window (which a program it
  # started at its start may be instead).
  if LAUNCHER_WIN=$(wait_window '^Kivo $'); then
    wait_until 3 is_foreground 'Kivo ' || true
    return 0
  fi
  fail "no launcher window"
  [ -n "$KIVO_PID" ] && kill "$KIVO_PID" 2>/dev/null
  return 1
}

# Checks with `probe fits` (or dialog-fits, owned-fits as $1) that the window
# titled $2 lies within the work area, every control inside it and every text
# fits its control (with "cut" as $4: only the texts); waits up to 5 s for the window.
# The answer: $E2E_OUT/fits-<name>.txt.
expect_fits() {
  local how=$1 title=$2 name=$3 kinds=${4:-cut|outside} out="$E2E_OUT/fits-$3.txt" found=""
  for _ in $(seq 25); do
    wine "$PROBE" "$how" "$title" "$(winpath "$out")" </dev/null >/dev/null 2>&1 && { found=1; break; }
    sleep 0.2
  done
  if [ -z "$found" ]; then
    fail "$name: probe $how found or measured no window '$title'"
  elif ! awk 'NR == 1 && !($2 >= $7 && $3 >= $8 && $4 <= $9 && $5 <= $10) {exit 1}' "$out"; then
    fail "$name: the window stands beyond the work area: $(head -1 "$out")"
  elif grep -qE "^($kinds) " "$out"; then
    fail "$name: controls or texts do not fit:"
    grep -E "^($kinds) " "$out" | sed 's/^/    /'
  else
    pass "$name: every control and its text fit the window"
  fi
}

# Ends the launcher the way a user does (Return would launch an item).
exit_launcher() {
  click_caption "$1"
  xdotool key Escape
  wait_kivo_exit
}

# Double-clicks the row of the launcher's item view.
launch_row() {
  local x y
  read -r x y < <(row_point 'Kivo ' "$1") || { fail "no row $1 in the launcher"; return 1; }
  xdotool mousemove "$x" "$y" click --repeat 2 --delay 80 1
}

# Waits until the file has at least that many lines; fails after 5 s.
wait_lines() {
  local file=$1 count=$2 lines
  for _ in $(seq 50); do
    lines=$(grep -c '' "$file" 2>/dev/null) || lines=0
    [ "$lines" -ge "$count" ] && return 0
    sleep 0.1
  done
  return 1
}

# Waits up to 10 s for the configuration editor (the visible "Kivo " window
# with a category name field) and puts its X window id into EDITOR_WIN and
# its state into $E2E_OUT/editor.txt; fails when it does not come.
wait_editor() {
  EDITOR_WIN=""
  for _ in $(seq 100); do
    if window_state 'Kivo ' "$E2E_OUT/editor.txt" && grep -q '^control 7 Edit' "$E2E_OUT/editor.txt"; then
      EDITOR_WIN=$(xdotool search --onlyvisible --name '^Kivo $' 2>/dev/null | head -1 || true)
      [ -n "$EDITOR_WIN" ] && return 0
    fi
    sleep 0.1
  done
  fail "no configuration editor"
  return 1
}

# The text of an editor control, from a fresh look at the window.
editor_text() {
  window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
  state_text "$E2E_OUT/editor.txt" "$1"
}

# The screen point of an editor control's middle (from the last editor_text).
control_point() {
  local l t r b cw ch x y w h border
  read -r l t r b cw ch < <(awk 'NR == 1 {print $2, $3, $4, $5, $7, $8}' "$E2E_OUT/editor.txt")
  read -r x y w h < <(awk -v id="$1" '$1 == "control" && $2 == id {print $4, $5, $6, $7}' "$E2E_OUT/editor.txt")
  border=$(((r - l - cw) / 2))
  echo $((l + border + x + w / 2)) $((b - border - ch + y + h / 2))
}
click_control() {
  local px py
  window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
  read -r px py < <(control_point "$1")
  xdotool mousemove "$px" "$py" click 1
}
# The text of an editor control once it reads `expected` (up to 10 s); prints
# what it reads at the end.
editor_text_soon() {
  local id=$1 expected=$2 text="" end=$((SECONDS + 10))
  while :; do
    text=$(editor_text "$id")
    [ "$text" = "$expected" ] || [ "$SECONDS" -ge "$end" ] && break
    sleep 0.1
  done
  printf '%s' "$text"
}

# A data folder without categories opens the editor on "New Category" at once;
# leaving it (Escape from the field to the list, Escape again) ends the program.
expect_new_category_editor() {
  local what=$1
  if wait_editor && [ "$(editor_text 7)" = "New Category" ]; then
    pass "$what"
    click_caption "$EDITOR_WIN"
    xdotool key Escape Escape
    wait_kivo_exit
  else
    fail "$what: no editor on New Category"
    kill "$KIVO_PID" 2>/dev/null || true
  fi
}

# --- Waiting for a state, one look at a window, the opening and the end ---------

# Runs the command again and again (every 0.1 s) until it succeeds; fails (1)
# after that many seconds, a limit only a real fault reaches. For "nothing
# happens", follow the input with one whose visible effect proves it was handled.
wait_until() {
  local seconds=$1 end; shift
  end=$((SECONDS + seconds))
  while :; do
    "$@" && return 0
    [ "$SECONDS" -ge "$end" ] && return 1
    sleep 0.1
  done
}

# One look at a window: the state of every control (see probe state: id, class,
# rectangle, enabled, visible, style, value, text) into $E2E_OUT/look.txt, read
# by looked and looked_text until the next look. The way is state (the window
# with the title), dialog-state (a dialog titled like its owner) or owned-state.
look() {
  local title=$1 how=${2:-state}
  wine "$PROBE" "$how" "$title" "$(winpath "$E2E_OUT/look.txt")" </dev/null >/dev/null 2>&1
}
# Field n of control id's line in the last look (8 x, 10 enabled is 9, 17 value:
# "control <id> <class> <x> <y> <w> <h> enabled <e> visible <v> style <s> exstyle <x> value <n> text ...").
looked() { awk -v id="$1" -v n="$2" '$1 == "control" && $2 == id {print $n}' "$E2E_OUT/look.txt"; }
looked_text() { sed -n "s/^control $1 [^ ]* .* value [-0-9]* text //p" "$E2E_OUT/look.txt" | tr -d '\r'; }
# The screen point of a control in the last look: check boxes and labels near
# their left end, anything else in its middle.
looked_point() {
  local id=$1 l t r b cw ch x y w h border px
  read -r l t r b cw ch < <(awk 'NR == 1 {print $2, $3, $4, $5, $7, $8}' "$E2E_OUT/look.txt")
  read -r x y w h < <(awk -v id="$id" '$1 == "control" && $2 == id {print $4, $5, $6, $7}' "$E2E_OUT/look.txt")
  border=$(((r - l - cw) / 2))
  px=$((x + w / 2))
  case "$(looked "$id" 3)" in
    Button) [ "$w" -gt 60 ] && px=$((x + 7)) ;;
    Static) px=$((x + 20)) ;;
  esac
  echo $((l + border + px)) $((b - border - ch + y + h / 2))
}
click_looked() {
  local px py
  read -r px py < <(looked_point "$1")
  xdotool mousemove "$px" "$py" click 1
}

# A data folder $E2E_OUT/<name> from a short description, one argument a file:
# "<file>:<line>|<line>|..." (each line ended with CR LF; an empty file for
# "<file>:"); prints its path.
make_data() {
  local dir spec file lines
  dir=$(new_data_folder "$1"); shift
  for spec in "$@"; do
    file=${spec%%:*}
    lines=${spec#*:}
    if [ -z "$lines" ]; then : >"$dir/$file"; else tr '|' '\n' <<<"$lines" | sed 's/$/\r/' >"$dir/$file"; fi
  done
  echo "$dir"
}

# Starts Kivo on the data folder (arguments after it go to Kivo), waits for the
# launcher and makes it the active window; LAUNCHER_WIN is its X window id.
open_kivo() {
  start_kivo "$@"
  wait_launcher || return 1
  click_caption "$LAUNCHER_WIN"
}

# Ends the Kivo of the data folder as a second start with /close asks it to,
# whatever it shows, and waits for it to end.
close_kivo() {
  (cd "$1" && wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
  wait_kivo_exit
}

# --- A screenshot of a window once it has drawn itself ------------------------

# Takes the screenshot $E2E_OUT/<name>.png of the window (X window id $1); true
# once it shows more than 100 colours: its contents drawn, not only its frame.
painted() { screenshot "$1" "$2" && [ "$(convert "$E2E_OUT/$2.png" -format %k info:)" -gt 100 ]; }
