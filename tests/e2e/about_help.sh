#!/usr/bin/env bash
# The About window: opened from "Info" in the context menu, a borderless panel
# over the launcher with the version, the day of the build, the licence (plain
# text here: this kivo.exe has no License.txt beside it) and a link to the help
# that turns red under the pointer; any key or click closes it, a click on the
# link opens the help. Help: F1 opens the English or, for "Deutsch", the German
# help file in one viewer at a time, ended at exit; nothing in read-only mode.
source "$(dirname "$0")/lib.sh"

data=$(make_data data 'Alpha.kvl:Editor=%windir%\system32\notepad.exe' 'Kivo.ini:[Start]|CatSelect=Alpha|[main]|Language=English')

# Waits up to 5 s for the About window and looks at it; its rectangle goes into AL AT AR AB.
wait_about() { wait_until 5 look 'Kivo ' owned-state && read -r _ AL AT AR AB _ <"$E2E_OUT/look.txt"; }
about_gone() { ! look 'Kivo ' owned-state; }
expect_about_gone() { wait_until 10 about_gone && pass "$1" || fail "$1: the About window is still open"; }
# 1 when the control is a link (it reports clicks: SS_NOTIFY), else 0.
is_link() { echo $(( $(looked "$1" 13) >> 8 & 1 )); }

# Pixels of exactly this colour in a screen rectangle.
colour_count() {
  import -window root -crop "$3x$4+$1+$2" -depth 8 +repage txt:- | grep -c "$5" || true
}
# The help link (sx sy lw lh) shows blue and no red, or red.
link_is() {
  blue=$(colour_count "$sx" "$sy" "$lw" "$lh" '#0000FF') red=$(colour_count "$sx" "$sy" "$lw" "$lh" '#FF0000')
  if [ "$1" = blue ]; then [ "$blue" -gt 20 ] && [ "$red" = 0 ]; else [ "$red" -gt 20 ]; fi
}

launcher_style() {
  window_state 'Kivo ' "$E2E_OUT/launcher.txt" && sed -n '1s/.* style \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/launcher.txt"
}
# The launcher takes input again and is the active window.
launcher_back() { style=$(launcher_style) && [ $((style & 0x08000000)) = 0 ] && grep -q ' foreground 1 ' "$E2E_OUT/launcher.txt"; }

# hh.exe processes showing the help file.
viewers() { ps -eo pid=,args= | grep -F "hh.exe" | grep -F "$1" | grep -v grep | awk '{print $1}' | tr '\n' ' '; }
# Exactly one viewer shows the help file, and not the one given as $2.
one_viewer() { local found; found=$(viewers "$1"); [ "$(wc -w <<<"$found")" = 1 ] && [ "$found" != "${2:-}" ]; }
no_viewer() { [ -z "$(viewers "$1")" ]; }
# Waits up to 10 s for one viewer of the help file (not $2); prints it.
wait_viewer() { wait_until 10 one_viewer "$@" && viewers "$1"; }

open_kivo "$data" || finish
win=$LAUNCHER_WIN

# "Info" is the tenth entry of the context menu.
menu_by_keys Menu || fail "Menu opened no context menu"
xdotool key Down Down Down Down Down Down Down Down Down Down Return
if wait_about; then
  pass "Info opens the About window"
else
  fail "no About window"
  finish
fi
expect_fits owned-fits 'Kivo ' about
import -window root -crop $((AR - AL + 40))x$((AB - AT + 40))+$((AL - 20))+$((AT - 20)) +repage "$E2E_OUT/about.png"
read -r style < <(sed -n '1s/.* style \(0x[0-9a-f]*\).*/\1/p' "$E2E_OUT/look.txt")
grep -q '^window .* client 300 135 ' "$E2E_OUT/look.txt" && pass "its inner size is 300 x 135" ||
  fail "inner size: $(head -1 "$E2E_OUT/look.txt")"
[ $((style & 0x00C00000)) = 0 ] && [ $((style & 0x00040000)) != 0 ] &&
  pass "it has no caption, only a thin sizing frame" || fail "its style is $style"
[ "$(looked_text 2)" = "Kivo ver. 2.31 beta 20  (64 bit)" ] && pass "the version line" ||
  fail "version line: '$(looked_text 2)'"
build=$(looked_text 3)
day=$(sed -n 's/^Compiled: \([0-9]\{4\}-[0-9][0-9]-[0-9][0-9]\),  .*/\1/p' <<<"$build")
if [ -n "$day" ] && { [ "$day" = "$(date -u +%F)" ] || [ "$day" = "$(date -u -d yesterday +%F)" ]; } &&
  grep -Eq ',  (MinGW-w64 GCC|GCC|Clang|MSVC) [0-9]+\.[0-9]+$' <<<"$build"; then
  pass "the build line names the day of the build and the compiler"
else
  fail "build line: '$build'"
fi
[[ "$(looked_text 4)" == " ©"* ]] && pass "the copyright line" || fail "copyright line: '$(looked_text 4)'"
[ "$(looked_text 6)" = "MIT licence" ] && [ "$(is_link 6)" = 0 ] && [ "$(looked_text 7)" = "Help (F1)" ] &&
  [ "$(is_link 7)" = 1 ] && pass "the licence, and a link to the help" ||
  fail "licence and help: '$(looked_text 6)' (link $(is_link 6)), '$(looked_text 7)' (link $(is_link 7))"
read -r lx ly lw lh < <(awk '$1 == "control" && $2 == 7 {print $4, $5, $6, $7}' "$E2E_OUT/look.txt")
[ "$lw" -gt 40 ] && [ "$lw" -lt 400 ] && pass "the link is as wide as its text" || fail "help link width $lw"
[ $(($(launcher_style) & 0x08000000)) != 0 ] && pass "the launcher takes no input meanwhile" ||
  fail "the launcher stays enabled"

# The link's colour, with the pointer away and over it (client origin: frame).
frame=$(( (AR - AL - 300) / 2 ))
sx=$((AL + frame + lx)) sy=$((AT + frame + ly))
xdotool mousemove $((AL - 30)) $((AT + 10))
wait_until 5 link_is blue && pass "the link is blue" || fail "link colours: blue $blue, red $red"
xdotool mousemove $((sx + lw / 2)) $((sy + lh / 2))
wait_until 5 link_is red && pass "and red under the pointer" || fail "no red under the pointer ($red)"
import -window root -crop $((AR - AL + 40))x$((AB - AT + 40))+$((AL - 20))+$((AT - 20)) +repage "$E2E_OUT/about-hot.png"
xdotool mousemove $((AL - 30)) $((AT + 10))

xdotool key x
expect_about_gone "a key closes it"
wait_until 10 launcher_back || true
[ -n "$style" ] && [ $((style & 0x08000000)) = 0 ] && pass "the launcher takes input again" || fail "the launcher stays disabled"
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
# The help window within the 1024 x 700 desktop.
on_desktop() { read -r hx hy hw hh < <(window_geometry "$1") && [ "$hx" -ge 0 ] && [ "$hy" -ge 0 ] && [ $((hx + hw)) -le 1024 ] && [ $((hy + hh)) -le 700 ]; }
click_caption "$win"
xdotool key F1
if first=$(wait_viewer "$en_file"); then
  pass "F1 starts the viewer on the English help file"
  if help_win=$(wait_window '^Kivo Help$' 10); then
    wait_until 3 on_desktop "$help_win" && pass "the help window stands whole on the desktop" ||
      fail "the help window stands at $hx, $hy, $hw x $hh on a desktop of 1024 x 700"
    wait_until 10 painted "$help_win" help-en || fail "the English help window shows no contents"
  else
    fail "the English help window did not show"
  fi
else
  fail "no help viewer for the English file"
fi
# The viewer's window covers the launcher: the command comes as F1 would send it.
post_message 'Kivo ' 273 77 0
second=$(wait_viewer "$en_file" "$first") && pass "F1 again leaves one viewer, a new one" ||
  fail "viewers after the second F1: first '$first', now '$(viewers "$en_file")'"
# Its window, once shown, would come up over the About window opened before.
# Drawn and active, it has come up: About opens over it.
if help_win=$(wait_window '^Kivo Help$' 10); then
  wait_until 10 is_foreground 'Kivo Help' && wait_until 10 painted "$help_win" help-en-again ||
    fail "the new help window did not come up"
else
  fail "the new help window did not show"
fi
[ -z "$(viewers "$de_file")" ] || fail "the German file was opened too"
# The About window's link to the help: the viewer before gives way to a new one.
post_message 'Kivo ' 273 76 0
wait_about || fail "the About window did not open a third time"
xdotool mousemove $((AL + frame + lx + lw / 2)) $((AT + frame + ly + lh / 2)) click 1
expect_about_gone "a click on the help link closes it"
wait_viewer "$en_file" "$second" >/dev/null && pass "and opens the help in a new viewer" ||
  fail "viewers after the help link: '$(viewers "$en_file")', before it '$second'"
close_kivo "$data"
wait_until 10 no_viewer "$en_file" && pass "the viewer ends with the program" || fail "the viewer outlives Kivo"

# German for "Deutsch".
sed -i 's/^Language=English/Language=Deutsch/' "$data/Kivo.ini"
open_kivo "$data" || finish
xdotool key F1
if wait_viewer "$de_file" >/dev/null; then
  pass "with the language Deutsch F1 opens the German help"
  if help_win=$(wait_window '^Kivo-Hilfe$' 10); then
    wait_until 10 painted "$help_win" help-de || fail "the German help window shows no contents"
  else
    fail "the German help window did not show"
  fi
else
  fail "no help viewer for the German file"
fi
close_kivo "$data"
wait_until 10 no_viewer "$de_file" || fail "the German viewer outlives Kivo"

# Read-only: F1 does nothing; the category menu after it shows that the key was taken.
chmod a-w "$data/Kivo.ini"
open_kivo "$data" || finish
xdotool key F1
menu_by_keys space || fail "Space opened no category menu in read-only mode"
[ -z "$(viewers "$de_file")$(viewers "$en_file")" ] && pass "in read-only mode F1 opens no help" ||
  fail "help opened in read-only mode"
xdotool key Escape
close_kivo "$data"
chmod u+w "$data/Kivo.ini"

finish
