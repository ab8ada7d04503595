#!/usr/bin/env bash
# The About window: opened from "Info" in the context menu, a borderless panel
# over the launcher with the version, the day of the build, the licence (plain
# text here: this kivo.exe has no License.txt beside it) and a link to the help
# that turns red under the pointer; any key or click closes it, a click on the
# link opens the help. Help: F1 opens the English or, for "Deutsch", the German
# help file in one viewer at a time, ended at exit; nothing in read-only mode.
source "$(dirname "$0")/lib.sh"

data=$(new_data_folder data)
printf '%s\r\n' 'Editor=%windir%\system32\notepad.exe' >"$data/Alpha.kvl"
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nLanguage=English\r\n' >"$data/Kivo.ini"

about_state() { wine "$PROBE" owned-state 'Kivo ' "$(winpath "$E2E_OUT/about.txt")" </dev/null >/dev/null 2>&1; }

# Waits up to 5 s for the About window; its rectangle goes into AL AT AR AB.
wait_about() {
  for _ in $(seq 50); do
    if about_state; then
      read -r AL AT AR AB < <(sed -n '1s/^window \([-0-9]*\) \([-0-9]*\) \([-0-9]*\) \([-0-9]*\) .*/\1 \2 \3 \4/p' \
        "$E2E_OUT/about.txt")
      return 0
    fi
    sleep 0.1
  done
  return 1
}

expect_about_gone() {
  local what=$1
  for _ in $(seq 30); do
    about_state || { pass "$what"; return 0; }
    sleep 0.1
  done
  fail "$what: the About window is still open"
}

control_line() { sed -n "s/^control $1 Static //p" "$E2E_OUT/about.txt"; }
control_text() { control_line "$1" | sed 's/.* text //'; }
# 1 when the control is a link (it reports clicks: SS_NOTIFY), else 0.
is_link() { local s; s=$(control_line "$1" | sed -n 's/.* style \(0x[0-9a-f]*\) .*/\1/p'); echo $(( ${s:-0} >> 8 & 1 )); }

# Pixels of exactly this colour in a screen rectangle.
colour_count() {
  import -window root -crop "$3x$4+$1+$2" -depth 8 +repage txt:- | grep -c "$5" || true
}

launcher_style() {
  window_state 'Kivo ' "$E2E_OUT/launcher.txt" && sed -n '1s/.* style \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/launcher.txt"
}

# hh.exe processes showing the help file.
viewers() { ps -eo pid=,args= | grep -F "hh.exe" | grep -F "$1" | grep -v grep | awk '{print $1}' | tr '\n' ' '; }

wait_viewer() {
  local file=$1 found=""
  for _ in $(seq 100); do
    found=$(viewers "$file")
    [ -n "$found" ] && { echo "$found"; return 0; }
    sleep 0.1
  done
  return 1
}

start_kivo "$data"
wait_launcher || finish
win=$LAUNCHER_WIN

# "Info" is the tenth entry of the context menu.
click_caption "$win"
xdotool key Menu sleep 0.5 key Down Down Down Down Down Down Down Down Down Down Return
if wait_about; then
  pass "Info opens the About window"
else
  fail "no About window"
  finish
fi
sleep 0.5
expect_fits owned-fits 'Kivo ' about
import -window root -crop $((AR - AL + 40))x$((AB - AT + 40))+$((AL - 20))+$((AT - 20)) +repage "$E2E_OUT/about.png"
read -r style < <(sed -n '1s/.* style \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/about.txt")
grep -q '^window .* client 300 135 ' "$E2E_OUT/about.txt" && pass "its inner size is 300 x 135" ||
  fail "inner size: $(head -1 "$E2E_OUT/about.txt")"
[ $((style & 0x00C00000)) = 0 ] && [ $((style & 0x00040000)) != 0 ] &&
  pass "it has no caption, only a thin sizing frame" || fail "its style is $style"
[ "$(control_text 2)" = "Kivo ver. 2.31 beta 20  (64 bit)" ] && pass "the version line" ||
  fail "version line: '$(control_text 2)'"
build=$(control_text 3)
day=$(sed -n 's/^Compiled: \([0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\),  .*/\1/p' <<<"$build")
if [ -n "$day" ] && { [ "$day" = "$(date -u +%F)" ] || [ "$day" = "$(date -u -d yesterday +%F)" ]; } &&
  grep -Eq ',  (MinGW-w64 GCC|GCC|Clang|MSVC) [0-9]+\.[0-9]+$' <<<"$build"; then
  pass "the build line names the day of the build and the compiler"
else
  fail "build line: '$build'"
fi
[[ "$(control_text 4)" == " ©"* ]] && pass "the copyright line" || fail "copyright line: '$(control_text 4)'"
[ "$(control_text 6)" = "MIT licence" ] && [ "$(is_link 6)" = 0 ] && [ "$(control_text 7)" = "Help (F1)" ] &&
  [ "$(is_link 7)" = 1 ] && pass "the licence, and a link to the help" ||
  fail "licence and help: '$(control_text 6)' (link $(is_link 6)), '$(control_text 7)' (link $(is_link 7))"
read -r lx ly lw lh < <(control_line 7 | awk '{print $1, $2, $3, $4}')
[ "$lw" -gt 40 ] && [ "$lw" -lt 400 ] && pass "the link is as wide as its text" || fail "help link width $lw"
[ $(($(launcher_style) & 0x08000000)) != 0 ] && pass "the launcher takes no input meanwhile" ||
  fail "the launcher stays enabled"

# The link's colour, with the pointer away and over it (client origin: frame).
frame=$(( (AR - AL - 300) / 2 ))
sx=$((AL + frame + lx)) sy=$((AT + frame + ly))
xdotool mousemove $((AL - 30)) $((AT + 10))
sleep 0.3
blue=$(colour_count "$sx" "$sy" "$lw" "$lh" '#0000FF')
red=$(colour_count "$sx" "$sy" "$lw" "$lh" '#FF0000')
[ "$blue" -gt 20 ] && [ "$red" = 0 ] && pass "the link is blue" || fail "link colours: blue $blue, red $red"
xdotool mousemove $((sx + lw / 2)) $((sy + lh / 2))
sleep 0.4
red=$(colour_count "$sx" "$sy" "$lw" "$lh" '#FF0000')
[ "$red" -gt 20 ] && pass "and red under the pointer" || fail "no red under the pointer ($red)"
import -window root -crop $((AR - AL + 40))x$((AB - AT + 40))+$((AL - 20))+$((AT - 20)) +repage "$E2E_OUT/about-hot.png"
xdotool mousemove $((AL - 30)) $((AT + 10))

xdotool key x
expect_about_gone "a key closes it"
sleep 0.3
style=$(launcher_style)
[ $((style & 0x08000000)) = 0 ] && pass "the launcher takes input again" || fail "the launcher stays disabled"
grep -q ' foreground 1 ' "$E2E_OUT/launcher.txt" && pass "and is the active window" || fail "the launcher is not active"

post_message 'Kivo ' 273 76 0
wait_about || fail "the About window did not open again"
xdotool mousemove $((AL + 30)) $((AB - 20)) click 1
expect_about_gone "a click in the window closes it"

# Help: English, one viewer at a time, ended at exit.
en_file="$(winpath "$BUILD_DIR")\\Kivo-en.chm"
de_file="$(winpath "$BUILD_DIR")\\Kivo-de.chm"
[ -s "$BUILD_DIR/Kivo-en.chm" ] && [ -s "$BUILD_DIR/Kivo-de.chm" ] && pass "both help files were built" ||
  fail "help files missing beside kivo.exe"
click_caption "$win"
xdotool key F1
if first=$(wait_viewer "$en_file"); then
  pass "F1 starts the viewer on the English help file"
  if help_win=$(wait_window '^Kivo Help$' 10); then
    on_desktop=""
    for _ in $(seq 30); do
      read -r hx hy hw hh < <(window_geometry "$help_win")
      [ "$hx" -ge 0 ] && [ "$hy" -ge 0 ] && [ $((hx + hw)) -le 1024 ] && [ $((hy + hh)) -le 700 ] && on_desktop=1 && break
      sleep 0.1
    done
    [ -n "$on_desktop" ] && pass "the help window stands whole on the desktop" ||
      fail "the help window stands at $hx, $hy, $hw x $hh on a desktop of 1024 x 700"
    sleep 1.5
    screenshot "$help_win" help-en
  else
    fail "the English help window did not show"
  fi
else
  fail "no help viewer for the English file"
fi
# The viewer's window covers the launcher: the command comes as F1 would send it.
post_message 'Kivo ' 273 77 0
sleep 2
second=$(wait_viewer "$en_file" || true)
[ -n "$second" ] && [ "$(wc -w <<<"$second")" = 1 ] && [ "$second" != "$first" ] &&
  pass "F1 again leaves one viewer, a new one" || fail "viewers after the second F1: first '$first', now '$second'"
[ -z "$(viewers "$de_file")" ] || fail "the German file was opened too"
# The About window's link to the help: the viewer before gives way to a new one.
post_message 'Kivo ' 273 76 0
wait_about || fail "the About window did not open a third time"
xdotool mousemove $((AL + frame + lx + lw / 2)) $((AT + frame + ly + lh / 2)) click 1
expect_about_gone "a click on the help link closes it"
for _ in $(seq 50); do third=$(viewers "$en_file"); [ -n "$third" ] && [ "$third" != "$second" ] && break; sleep 0.1; done
[ "$(wc -w <<<"$third")" = 1 ] && [ "$third" != "$second" ] && pass "and opens the help in a new viewer" ||
  fail "viewers after the help link: '$third', before it '$second'"
post_message 'Kivo ' 1025 65 0
wait_kivo_exit
sleep 1
[ -z "$(viewers "$en_file")" ] && pass "the viewer ends with the program" || fail "the viewer outlives Kivo"

# German for "Deutsch".
sed -i 's/^Language=English/Language=Deutsch/' "$data/Kivo.ini"
start_kivo "$data"
wait_launcher || finish
click_caption "$LAUNCHER_WIN"
xdotool key F1
if wait_viewer "$de_file" >/dev/null; then
  pass "with the language Deutsch F1 opens the German help"
  if help_win=$(wait_window '^Kivo-Hilfe$' 10); then
    sleep 1.5
    screenshot "$help_win" help-de
  else
    fail "the German help window did not show"
  fi
else
  fail "no help viewer for the German file"
fi
post_message 'Kivo ' 1025 65 0
wait_kivo_exit
sleep 1

# Read-only: F1 does nothing.
chmod a-w "$data/Kivo.ini"
start_kivo "$data"
wait_launcher || finish
click_caption "$LAUNCHER_WIN"
xdotool key F1
sleep 2
[ -z "$(viewers "$de_file")$(viewers "$en_file")" ] && pass "in read-only mode F1 opens no help" ||
  fail "help opened in read-only mode"
post_message 'Kivo ' 1025 65 0
wait_kivo_exit
chmod u+w "$data/Kivo.ini"

finish
