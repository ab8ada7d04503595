#!/usr/bin/env bash
# Find (Ctrl+F): the strip becomes a field, the items of every category that
# match what is typed are listed best first, Enter starts the chosen one as its
# own category would, Escape goes back; a category file changed since is read
# again, and nothing is written.
source "$(dirname "$0")/lib.sh"

# What Find learns would reorder the rows: it is tried last.
data=$(make_data data 'Alpha.kvl:Probe tool=my tools\probe.exe;--item tool|Pro=|-=|Alpha other=my tools\probe.exe;--item other|To Beta=kivo;Beta' \
  'Beta.kvl:Improve=my tools\probe.exe|My programs=my tools\probe.exe|Other=my tools\probe.exe|Project notes=my tools\probe.exe;--item "project";my tools|=my tools\probe.exe' \
  'Startup.kvl:Probe at start=my tools\probe.exe;--item startup' 'temp.kvl:Probe in temp=my tools\probe.exe' \
  'Kivo.ini:[Start]|CatSelect=Alpha|[main]|SingleColumn=1|FindLearns=0|[Alpha]|LargeIcons=0')
mkdir -p "$data/my tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/my tools/probe.exe"
(cd "$data" && md5sum ./*.kvl) >"$E2E_OUT/before.md5"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

# The launcher is active, has the keyboard of X too (keys typed before would be
# lost: a window brought back gets it a moment later) and shows the field; shows none.
find_open() {
  look 'Kivo ' && [ "$(looked 6 11)" = 1 ] && head -1 "$E2E_OUT/look.txt" | grep -q ' foreground 1 ' &&
    [ "$(xdotool getwindowfocus 2>/dev/null)" = "$LAUNCHER_WIN" ]
}
find_closed() { look 'Kivo ' && [ "$(looked 6 11)" = 0 ]; }
launcher_is() { look 'Kivo ' && head -1 "$E2E_OUT/look.txt" | grep -q "$1"; }
selection_is() { list_selection 'Kivo ' "$E2E_OUT/sel.txt" && grep -q "^$1" "$E2E_OUT/sel.txt"; }
# Types into the field the way a user does; with a second argument Find is open already.
find_text() {
  [ $# -gt 1 ] || xdotool key ctrl+f
  wait_until 10 find_open || fail "Find does not open"
  xdotool type --delay 80 "$1"
}
# Escape leaves Find, a second one the launcher.
leave_find_and_exit() { xdotool key Escape; wait_until 10 find_closed || true; xdotool key Escape; wait_kivo_exit; }

# Points at a row of the list and, once any other row's tip has gone, a little
# further (again until the tip shows); waits for its tool tip to read as
# expected ("\n" between lines).
tip_text() { wine "$PROBE" tip "$(winpath "$E2E_OUT/tip.txt")" </dev/null >/dev/null 2>&1 && tr -d '\r' <"$E2E_OUT/tip.txt"; }
tip_is() { [ "$(tip_text)" = "$1" ]; }
no_other_tip() { local text; text=$(tip_text) || return 0; [ "$text" = "$1" ]; }
point_for_tip() { xdotool mousemove "$1" "$2"; wait_until 2 no_other_tip "$3"; xdotool mousemove_relative 2 0; wait_until 2 tip_is "$3"; }
expect_row_tip() {
  local x y
  read -r x y < <(row_point 'Kivo ' "$1") || { fail "no row $1 for its tip"; return; }
  wait_until 10 point_for_tip "$x" "$y" "$2" && pass "$3" || fail "$3: the tip reads '$(tr -d '\r' <"$E2E_OUT/tip.txt" 2>/dev/null)'"
}

open_kivo "$data" /nostartup || finish
win=$LAUNCHER_WIN
expect_category Alpha "the start category is shown"

find_text pro
expect_rows_soon '1\tProbe tool\tAlpha\n0\tProject notes\tBeta\n0\tMy programs\tBeta\n0\tImprove\tBeta\n0\tAlpha other\tAlpha\n0\tOther\tBeta\n' \
  "three letters list the items of both categories: caption starts, word starts, caption holds, file name holds"
screenshot "$win" find-single-column
field_holds() { window_texts 'Kivo ' "$E2E_OUT/texts.txt" && tr -d '\r' <"$E2E_OUT/texts.txt" | grep -qx "$1"; }
expect_row_tip 1 'Project notes\nBeta' "a row's tool tip names its caption and its category"
expect_row_tip 0 'Probe tool\nAlpha' "and the next row pointed at, its own"
wait_until 10 field_holds pro && pass "the field holds what was typed" \
  || fail "no field with the text: $(tr -d '\r' <"$E2E_OUT/texts.txt")"

xdotool key Down
wait_until 10 selection_is 'rows 6 selected 1 ' || fail "Down chose no second row: $(cat "$E2E_OUT/sel.txt")"
xdotool key Return
wait_lines "$log" 2 || fail "Enter started nothing"
mapfile -t records < <(tr -d '\r' <"$log" 2>/dev/null)
case "${records[0]:-}" in
  *'probe.exe" --item "project"' | *'probe.exe --item "project"') pass "Down and Enter start the second item with its parameters" ;;
  *) fail "command line after Enter: ${records[0]:-none}" ;;
esac
[ "${records[1]:-}" = "$(winpath "$data")\\my tools" ] && pass "in the folder its category gives it" \
  || fail "folder: ${records[1]:-none}"

xdotool key Escape
expect_category Alpha "Escape goes back to the category shown before"
expect_rows_soon '1\tProbe tool\t0\n0\tPro\t1\n0\t----------\t2\n0\tAlpha other\t3\n0\tTo Beta\t4\n' \
  "with its own rows"

# A file changed since the last search is read again; Backspace in the empty
# field goes back as well. (Its time is set ahead: a file system may keep whole seconds.)
printf '%s\r\n' 'Pronto=my tools\probe.exe;--item pronto' >>"$data/Beta.kvl"
touch -d "@$(($(date +%s) + 2))" "$data/Beta.kvl"
(cd "$data" && md5sum ./*.kvl) >"$E2E_OUT/before.md5"
find_text pro
expect_rows_soon '1\tProbe tool\tAlpha\n0\tProject notes\tBeta\n0\tPronto\tBeta\n0\tMy programs\tBeta\n0\tImprove\tBeta\n0\tAlpha other\tAlpha\n0\tOther\tBeta\n' \
  "the changed category file is seen at the next search"
xdotool key BackSpace BackSpace BackSpace
expect_rows_soon '' "an empty field lists nothing"
xdotool key BackSpace
expect_category Alpha "Backspace in the empty field goes back"

# A found item that names a category shows that category.
find_text "to b"
expect_rows_soon '1\tTo Beta\tAlpha\n0\tProbe tool\tAlpha\n0\tPronto\tBeta\n0\tProject notes\tBeta\n' \
  "a category item is found first, then the rows that hold both words"
xdotool key Return
expect_category Beta "starting it shows its category"

# The context menu names Find first, and its entry opens it.
click_caption "$win"
menu_by_keys Menu || fail "no context menu"
xdotool key Down Return
find_text "to b" ""
expect_rows_soon '1\tTo Beta\tAlpha\n0\tProbe tool\tAlpha\n0\tPronto\tBeta\n0\tProject notes\tBeta\n' \
  "Find in the context menu opens Find"
xdotool key Escape
expect_category Beta "Escape goes back from Find opened by the menu"

click_caption "$win"
xdotool key Escape
wait_kivo_exit && pass "Escape exits"
(cd "$data" && md5sum -c --quiet "$E2E_OUT/before.md5") && pass "no category file was written" \
  || fail "a category file changed"
if grep -q 'startup' "$log"; then fail "an item of the start-up category was started"; fi
if tr -d '\r' <"$data/Kivo.ini" | grep -q '^FindOnHotkey='; then fail "a setting never changed was written"; fi

# With FindOnHotkey the hotkey (Ctrl+Alt+K) that brings the window up opens Find.
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nHotkey=$3804B\r\nFindOnHotkey=1\r\nFindLearns=0\r\n[Alpha]\r\nLargeIcons=1\r\n' >"$data/Kivo.ini"
open_kivo "$data" /nostartup || finish
# The hotkey minimises the active launcher, then brings it back.
hotkey_twice() {
  xdotool key ctrl+alt+k
  wait_until 10 launcher_is ' iconic 1 ' || fail "the hotkey did not minimise the launcher"
  xdotool key ctrl+alt+k
  wait_until 10 find_open || fail "the hotkey brought back no active launcher with the field"
}
hotkey_twice
xdotool type --delay 80 "y pro"
expect_rows_soon '1\tMy programs\tBeta\n' "the hotkey brings the window up with the field open"

# Brought back while open, Find sees a category that came since; with large
# icons the results still read one a row, top to bottom.
printf '%s\r\n' 'Probe gone=my tools\probe.exe;--item gone' >"$data/Cat47.kvl"
hotkey_twice
xdotool type --delay 80 "pro"
all='\tProbe tool\tAlpha\n0\tProject notes\tBeta\n0\tPronto\tBeta\n0\tProbe gone\tCat47\n0\tMy programs\tBeta\n0\tImprove\tBeta\n0\tAlpha other\tAlpha\n0\tOther\tBeta\n'
expect_rows_soon "1$all" "a category file that came while Find was open is searched when it is brought back"
points=$(for row in 0 1 2 3 4 5 6 7; do row_point 'Kivo ' "$row" || true; done | tr '\n' ' ')
awk -v p="$points" 'BEGIN { n = split(p, v, " "); for (i = 3; i < n; i += 2) if (v[i] != v[1] || v[i + 1] <= v[i - 1]) exit 1;
  exit n != 16 }' && pass "one result a row, top to bottom" || fail "rows at $points"
xdotool key Down Down Return
wait_lines "$log" 6 && mapfile -t records < <(tr -d '\r' <"$log")
[[ "${records[3]:-}" == *'--item pronto' ]] && pass "Down Down Enter starts the third result" || fail "started: ${records[3]:-none}"
xdotool key End
wait_until 10 selection_is 'rows 8 selected 7 inview 1' && pass "End goes to the last result" || fail "$(cat "$E2E_OUT/sel.txt")"

# Category files deleted or changed while Find is open are seen at the next letter.
rm "$data/Cat47.kvl"
sed -i 's/^Project notes=/Probe notes=/' "$data/Beta.kvl"
xdotool type "be "
expect_rows_soon '1\tProbe tool\tAlpha\n0\tProbe notes\tBeta\n0\tAlpha other\tAlpha\n0\tImprove\tBeta\n0\tMy programs\tBeta\n0\tOther\tBeta\n0\tPronto\tBeta\n' \
  "a deleted category and a renamed caption are seen at the next letter"
# A row whose category is deleted after it was listed starts nothing.
printf '%s\r\n' 'Probe gone=my tools\probe.exe;--item gone' >"$data/Cat47.kvl"
xdotool key BackSpace BackSpace BackSpace
fresh=${all/Project notes/Probe notes}
expect_rows_soon "1$fresh" "a category file written anew is back at the next letter"
xdotool key ctrl+Home Down Down Down
wait_until 10 selection_is 'rows 8 selected 3 ' || fail "not on the fourth row: $(cat "$E2E_OUT/sel.txt")"
rm "$data/Cat47.kvl"
xdotool key Return
gone='0\tProbe gone\tCat47\n'
expect_rows_soon "1${fresh/"$gone"/}" "Enter on it searches again"
# A program started is either still running or has written its record.
ps -eo args= | awk '/probe\.exe/ && /--item gone/ {n++} END {exit n > 0}' && [ "$(grep -c '' "$log")" -eq 6 ] && pass "and starts nothing" || fail "started: $(tail -2 "$log")"
click_caption "$LAUNCHER_WIN"
xdotool key Escape
expect_category Alpha "Escape leaves Find"
xdotool key Escape
wait_kivo_exit
tr -d '\r' <"$data/Kivo.ini" | grep -qx 'FindOnHotkey=1' && pass "the setting is kept" \
  || fail "FindOnHotkey lost: $(tr -d '\r' <"$data/Kivo.ini")"

# The programs of the computer: shortcuts in a group of the Start menu and on
# the public desktop, to a program that no item starts.
mkdir -p "$data/other" "$E2E_OUT/menu" "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kivo e2e/Tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/other/zeta.exe"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/other/desk.exe"
cp "$(dirname "$0")/../data/red.ico" "$data/other/red.ico"
group='C:\ProgramData\Microsoft\Windows\Start Menu\Programs\Kivo e2e'
wine "$PROBE" make-link "$group\Tools\Zeta viewer.lnk" "$(winpath "$data/other/zeta.exe")" 'C:\windows' '--item zeta' \
  "$(winpath "$data/other/red.ico")" </dev/null >/dev/null 2>&1 || fail "no Start menu shortcut"
wine "$PROBE" make-link 'C:\users\Public\Desktop\Zeta desk.lnk' "$(winpath "$data/other/desk.exe")" 'C:\users' \
  '--item desk' </dev/null >/dev/null 2>&1 || fail "no desktop shortcut"
# Programs as installers name them, for what people type.
for name in 'Visual Studio Code' 'LibreOffice Writer' 'LibreOffice Calc' 'Mozilla Firefox'; do
  cp "$BUILD_DIR/tests/launch_probe.exe" "$data/other/${name// /}.exe"
  wine "$PROBE" make-link "$group\\$name.lnk" "$(winpath "$data/other/${name// /}.exe")" 'C:\windows' '' \
    </dev/null >/dev/null 2>&1 || fail "no shortcut $name"
done
printf '[Start]\r\nCatSelect=Alpha\r\n[main]\r\nSingleColumn=1\r\n[Alpha]\r\nLargeIcons=0\r\n' >"$data/Kivo.ini"
open_kivo "$data" /nostartup || finish
find_text zeta
expect_rows_soon '1\tZeta viewer\tStart menu › Kivo e2e › Tools\n0\tZeta desk\tDesktop\n' \
  "Find lists the shortcuts of the Start menu and the desktop with where they live"
xdotool key Down Return
wait_lines "$log" 8 && mapfile -t records < <(tr -d '\r' <"$log")
[[ "${records[6]:-}" == *'desk.exe"'*'--item desk' || "${records[6]:-}" == *'desk.exe --item desk' ]] && [ "${records[7]:-}" = 'C:\users' ] \
  && pass "a shortcut starts with its parameters in its folder" || fail "started: ${records[6]:-none} in ${records[7]:-none}"
grep -qF "	zeta	link	C:\users\Public\Desktop\Zeta desk.lnk" "$data/FindLearned.txt" && pass "Find learned the choice" \
  || fail "FindLearned.txt: $(cat "$data/FindLearned.txt" 2>/dev/null)"

# Filed into the category shown before Find, from the row's context menu.
find_text zeta
expect_rows_soon '1\tZeta desk\tDesktop\n0\tZeta viewer\tStart menu › Kivo e2e › Tools\n' "the row chosen before comes first"
menus_open() { open_menu "$E2E_OUT/menu.txt" && [ "$(grep -c '^menu ' "$E2E_OUT/menu.txt")" -ge "$1" ]; }
read -r x y < <(row_point 'Kivo ' 1) && xdotool mousemove "$x" "$y" click 3
wait_until 10 menus_open 1 && xdotool key Down Right && wait_until 10 menus_open 2 && xdotool key Return || fail "no Add to category menu"
expect_rows_soon '1\tZeta desk\tDesktop\n0\tZeta viewer\tAlpha\n' "Add to category files it: Find lists it as the item"
tr -d '\r' <"$data/Alpha.kvl" | tail -1 | grep -qxF "Zeta viewer=$(winpath "$data/other/zeta.exe");--item zeta;C:\\windows\\;;other\\red.ico" \
  && pass "the category file holds the shortcut's target, parameters, folder and icon" || fail "Alpha.kvl ends: $(tail -1 "$data/Alpha.kvl")"
xdotool key Escape
# The row's icon lies left of its label, whose centre the point is.
red_icon() {
  read -r x y < <(row_point 'Kivo ' 5) && import -window root -crop "${x}x12+0+$((y - 6))" "$E2E_OUT/zeta-icon.png" &&
    red=$(convert "$E2E_OUT/zeta-icon.png" -depth 8 txt:- | grep -c '#FF0000') && [ "$red" -ge 40 ]
}
wait_until 10 red_icon && pass "its icon shows" || fail "the new item's icon has ${red:-no} red pixels"
xdotool key Escape
wait_kivo_exit
open_kivo "$data" /nostartup || finish
find_text zet
expect_rows_soon '1\tZeta desk\tDesktop\n0\tZeta viewer\tAlpha\n' "after a restart the learned row still comes first"
# Initials, words in any order, a slip: the program meant comes first.
first_is() { list_rows 'Kivo ' "$E2E_OUT/first.txt" && now=$(head -1 "$E2E_OUT/first.txt" | cut -f2) && [ "$now" = "$1" ]; }
for typed in 'vsc|Visual Studio Code' 'lo writer|LibreOffice Writer' 'fierfox|Mozilla Firefox'; do
  find_text "${typed%|*}" && now=""
  wait_until 10 first_is "${typed#*|}" && pass "'${typed%|*}' finds $now first" || fail "'${typed%|*}' finds '$now' first"
done
click_caption "$LAUNCHER_WIN"
leave_find_and_exit

# A Start menu that other programs filled: 4,000 shortcuts in 400 groups, with
# damaged ones and a file of 20 MB under a shortcut's name beside them. Find
# lists the categories' rows at once, and the programs join as they are read,
# ahead of the row the user chose (the last, an item whose file name holds the
# text), which stays chosen.
python3 - "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kivo e2e" \
  "$WINEPREFIX/drive_c/users/Public/Desktop/Zeta desk.lnk" <<'EOF'
import os, random, struct, sys
group, real = sys.argv[1], open(sys.argv[2], 'rb').read()
for g in range(400):
    os.makedirs(f'{group}/Load/G{g}')
    for i in range(10):
        open(f'{group}/Load/G{g}/Proto {g} {i}.lnk', 'wb').write(real)
noise = random.Random(7)
damaged = [real[:n] for n in (1, 20, 76, 77, 150)] + [noise.randbytes(n) for n in (64, 4000)]
damaged += [real[:20] + struct.pack('<I', 0xFFFFFFFF) + real[24:], real[:76] + b'\xff\xff' + real[78:]]
for n, bytes_ in enumerate(damaged):
    open(f'{group}/Damaged {n}.lnk', 'wb').write(bytes_)
open(f'{group}/Prolix.lnk', 'wb').write(real + bytes(20_000_000))
EOF
open_kivo "$data" /nostartup || finish
find_text pro
xdotool key ctrl+End
# Asked in one call: a list that changes while it is read row by row shows no
# chosen row at all.
last_chosen() { list_selection 'Kivo ' "$E2E_OUT/chosen.txt" && chosen=$(sed -n 's/.* label //p' "$E2E_OUT/chosen.txt" | tr -d '\r') && [ "$chosen" = Other ]; }
wait_until 10 last_chosen || true
# Counted first, which is quick however long the list is; then read. Asked once a
# second: each question starts Wine, which would take the machine from the launcher.
joined() { selection_is 'rows [4-9][0-9][0-9][0-9] ' && list_rows 'Kivo ' "$E2E_OUT/joined.txt" && grep -q '	Proto 399 9	' "$E2E_OUT/joined.txt"; }
got=""; for _ in $(seq 60); do joined && got=1 && break || sleep 1; done
[ -n "$got" ] && pass "the programs of a full Start menu join Find's rows" || fail "no 'Proto 399 9' among the rows"
list_selection 'Kivo ' "$E2E_OUT/joined-selection.txt" || true
screenshot "$LAUNCHER_WIN" find-start-menu-joined
now=$(sed -n 's/.* label //p' "$E2E_OUT/joined-selection.txt" | tr -d '\r')
[ -n "$chosen" ] && [ "$now" = "$chosen" ] && pass "the chosen row ('$chosen') stays chosen as they join" \
  || fail "chosen: '$chosen', then '$now'"
grep -q '	Prolix	' "$E2E_OUT/joined.txt" && fail "a file of 20 MB is listed as a shortcut" \
  || pass "a file far larger than any shortcut is left out"
click_caption "$LAUNCHER_WIN"
leave_find_and_exit
rm -rf "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Kivo e2e" \
  "$WINEPREFIX/drive_c/users/Public/Desktop/Zeta desk.lnk"

# A typed text that finds nothing: the list says so, Enter starts nothing.
open_kivo "$data" /nostartup || finish
started=$(grep -c '' "$log")
find_text qxz
window_state 'Kivo ' "$E2E_OUT/editor.txt" && read -r x y < <(control_point 7)
top=$((y - $(awk '$1 == "control" && $2 == 7 {print $7}' "$E2E_OUT/editor.txt") / 2))
# The colours of the top of Find's list.
list_colours() { colours=$(import -window root -crop "200x40+$((x - 100))+$top" png:- | convert - -format %k info:) && [ "$colours" "$1" 1 ]; }
wait_until 10 list_colours -gt && pass "a text that finds nothing says so in the list" || fail "no message in the list: $colours colours"
xdotool key Return BackSpace BackSpace BackSpace
wait_until 10 list_colours -eq && pass "Enter keeps Find open, and the emptied field shows an empty list" \
  || fail "Enter keeps Find open, and the emptied field shows an empty list: $colours colours"
find_text pronto
expect_rows_soon '1\tPronto\tBeta\n' "a text that matches shows its rows again"
[ "$(grep -c '' "$log")" -eq "$started" ] && pass "Enter on no row started nothing" || fail "started: $(tail -2 "$log")"
xdotool key Escape
exit_launcher "$LAUNCHER_WIN"

# A Start menu row shows its shortcut's own icon (a variable in it expanded), else its target's first icon.
cp "$BUILD_DIR/tests/three_icons.exe" "$(dirname "$0")/../data/green.ico" "$data/other/"
export KIVO_E2E_ICONS && KIVO_E2E_ICONS=$(winpath "$data/other") && menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
for link in 'red|' 'green|%KIVO_E2E_ICONS%\green.ico'; do wine "$PROBE" make-link "$menu\Iconic ${link%%|*}.lnk" \
  "$KIVO_E2E_ICONS\three_icons.exe" 'C:\' '' "${link#*|}" </dev/null >/dev/null 2>&1 || fail "no shortcut $link"; done
open_kivo "$data" /nostartup && find_text iconic
both_icons() {  # both rows' icon areas, red and green pixels counted
  read -r x top < <(row_point 'Kivo ' 0) && read -r x y < <(row_point 'Kivo ' 1) && colours=$(import -window root -crop \
    "${x}x$((y - top + 12))+0+$((top - 6))" png:- | convert - -depth 8 txt:- | awk '/#FF0000/{r++} /#00FF00/{g++}
    END{print (r >= 40) + (g >= 40)}') && [ "$colours" -eq 2 ]
}
wait_until 10 both_icons && pass "Start menu rows show their shortcuts' icons" || fail "icon colours of both rows: ${colours:-none}"
click_caption "$LAUNCHER_WIN" && leave_find_and_exit
rm -f "$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Iconic "*.lnk
finish
