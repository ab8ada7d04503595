#!/usr/bin/env bash
# Items carried between categories through the temp category, and categories
# made, named, renamed and refused in the configuration editor: a Move takes
# the chosen items out and an Insert puts them into another category, the
# temp file losing them only once they are saved there; a copy made twice is
# there twice; a write-protected temp file takes nothing away. A new category
# must be named, and not after the program's own groups; a renamed category's
# file, window settings and place as start category take the new name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

# The context menu's "Multiple Items" entry number n (1 Copy, 2 Move, 3 Delete,
# 4 Insert, 5 Clear), chosen once its submenu is open.
two_menus() { open_menu "$E2E_OUT/menu.txt" && [ "$(grep -c '^menu ' "$E2E_OUT/menu.txt")" -ge 2 ]; }
multiple_items() {
  menu_by_keys Menu || fail "Menu opened no context menu"
  xdotool key Down Right
  wait_until 10 two_menus || fail "no Multiple Items submenu"
  for ((i = 1; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
}
# The settings file's lines from the header [$1] up to the next group.
ini_group() { tr -d '\r' <"$2" | awk -v g="[$1]" '/^\[/ {inside = ($0 == g)} inside'; }

# Items carried through the temp category.
carry=$(make_data carry 'Main.kvl:A=a.exe|B=b.exe|C=c.exe' 'Other.kvl:X=x.exe' \
  'Kivo.ini:[Start]|CatSelect=Main|[main]|Language=English')
start_kivo "$carry"
if wait_launcher && open_editor; then
  xdotool key shift+Down
  multiple_items 2
  expect_rows_soon '1\tC\t0\n' "Move to temp category takes the chosen items out"
  printf '%s\r\n' 'A=a.exe' 'B=b.exe' >"$E2E_OUT/temp-moved"
  expect_file_bytes "$carry/temp.kvl" "$E2E_OUT/temp-moved" "and puts them into temp.kvl"
  xdotool key alt+o
  back_to_launcher
  click_caption "$LAUNCHER_WIN"
  xdotool key Tab
  expect_category Other "the launcher goes on to the other category"
  open_editor
  multiple_items 4
  expect_rows_soon '0\tX\t0\n1\tA\t1\n0\tB\t2\n' "Insert from temp category puts them after the current item"
  [ -e "$carry/temp.kvl" ] && pass "the temp file stays until they are saved" || fail "temp.kvl went before the save"
  xdotool key Home
  multiple_items 2
  expect_rows_soon '1\tA\t0\n0\tB\t1\n' "an item moved out again before the save leaves the list"
  xdotool key alt+o
  back_to_launcher
  printf '%s\r\n' 'C=c.exe' >"$E2E_OUT/main-left"
  printf '%s\r\n' 'A=a.exe' 'B=b.exe' >"$E2E_OUT/other-got"
  printf '%s\r\n' 'X=x.exe' >"$E2E_OUT/temp-left"
  expect_file_bytes "$carry/Main.kvl" "$E2E_OUT/main-left" "the first category keeps what was not moved"
  expect_file_bytes "$carry/Other.kvl" "$E2E_OUT/other-got" "the second one holds the moved items"
  expect_file_bytes "$carry/temp.kvl" "$E2E_OUT/temp-left" "the temp file keeps only the item moved there after the insert"
  open_editor
  multiple_items 1
  multiple_items 1
  printf '%s\r\n' 'X=x.exe' 'A=a.exe' 'A=a.exe' >"$E2E_OUT/temp-twice"
  wait_until 10 cmp -s "$carry/temp.kvl" "$E2E_OUT/temp-twice" || true
  expect_file_bytes "$carry/temp.kvl" "$E2E_OUT/temp-twice" "a copy made twice is there twice"
  # The row chosen with End after the Move shows that the Move was taken.
  chmod a-w "$carry/temp.kvl"
  multiple_items 2
  xdotool key End
  expect_rows_soon '0\tA\t0\n1\tB\t1\n' "a Move onto a write-protected temp file removes nothing"
  chmod u+w "$carry/temp.kvl"
  expect_file_bytes "$carry/temp.kvl" "$E2E_OUT/temp-twice" "and the temp file is as it was"
  multiple_items 5
  temp_gone() { [ ! -e "$carry/temp.kvl" ]; }
  wait_until 10 temp_gone && pass "Clear temp category deletes the temp file" || fail "temp.kvl is still there"
  multiple_items 3
  answer_box Confirm Return delete-selected
  expect_text "$E2E_OUT/delete-selected.txt" 'Delete selected items?' "Delete asks about the chosen items"
  expect_rows_soon '1\tA\t0\n' "and removes them"
  xdotool key Escape
  answer_box Confirm Return drop-changes
  back_to_launcher && exit_launcher "$LAUNCHER_WIN"
  expect_file_bytes "$carry/Other.kvl" "$E2E_OUT/other-got" "dropped changes leave the file as it was"
fi

# A new category must be named, not "main" or "start", a device or the temp
# category, nor after a path; its file takes the name in lower case and its
# window settings go with it. Each refusal is answered and gone before the name
# is typed again.
naming=$(make_data naming 'Main.kvl:A=a.exe' 'Kivo.ini:[Start]|CatSelect=Main|[main]|Language=English')
start_kivo "$naming"
if wait_launcher && open_editor; then
  choose_category 2
  wait_editor && expect_name "New Category" "New Category opens an empty category"
  type_text 'Notes'
  xdotool key Tab
  type_text 'notepad.exe'
  xdotool key Return alt+o
  answered Error Return name-required
  expect_text "$E2E_OUT/name-required.txt" 'Category name required' "a new category must be named"
  type_name 'MAIN'
  xdotool key alt+o
  answered Error Return name-reserved
  expect_text "$E2E_OUT/name-reserved.txt" 'Category name is reserved; pls. change!' "main is reserved in any case"
  for name in nul COM1.txt temp; do
    type_name "$name"
    xdotool key alt+o
    answered Error Return "reserved-$name"
    expect_text "$E2E_OUT/reserved-$name.txt" 'Category name is reserved; pls. change!' "$name is reserved too"
  done
  # A name that expands to a path outside the data folder; the letter typed
  # after the Ok goes to the field once the Ok was taken (the click ends the
  # menu mode that Wine enters as Alt is let go).
  type_name '%USERPROFILE%'
  xdotool key alt+o
  click_control 7
  xdotool key End x
  profile=$(wine_profile) || true
  name_ends_x() { [[ "$(editor_text 7)" == *x ]]; }
  wait_editor && wait_until 10 name_ends_x && [ "$(editor_text 7)" != '%USERPROFILE%x' ] &&
    [ ! -e "$(unixpath "$profile.kvl")" ] && pass "a name that expands to a path is refused" ||
    fail "the name field reads '$(editor_text 7)'"
  type_name 'Tools2'
  xdotool key alt+o
  if back_to_launcher; then
    expect_category Tools2 "the launcher shows the named category"
    printf '%s\r\n' 'Notes=notepad.exe' >"$E2E_OUT/tools2"
    expect_file_bytes "$naming/tools2.kvl" "$E2E_OUT/tools2" "its file is named in lower case"
    exit_launcher "$LAUNCHER_WIN"
    grep -q '^\[Tools2\]' "$naming/Kivo.ini" && ! grep -q '^\[New Category\]' "$naming/Kivo.ini" &&
      pass "its window settings are kept under the new name" || fail "Kivo.ini groups: $(grep '^\[' "$naming/Kivo.ini" | tr -d '\r' | tr '\n' ' ')"
  fi
fi

# Renaming: the file, the window settings and the place as start category go
# with the name, over an empty file of that name; a change of letter case only
# is a rename too; the name of another category with items is refused.
rename=$(make_data rename 'Main.kvl:A=a.exe' 'Other.kvl:X=x.exe|Y=y.exe' 'tools.kvl:T=t.exe' 'games.kvl:' \
  'Kivo.ini:[Start]|CatSelect=Other|[main]|Language=English|[Other]|Width=420')
cp "$rename/Other.kvl" "$E2E_OUT/renamed-items"
start_kivo "$rename"
if wait_launcher && expect_category Other "the start category is shown" && open_editor; then
  type_name 'Tools'
  xdotool key alt+o
  answered Error Return name-taken
  expect_text "$E2E_OUT/name-taken.txt" 'Category exists already' "the name of a category with items is refused"
  type_name 'Games'
  xdotool key alt+o
  if back_to_launcher; then
    expect_category Games "the launcher shows the renamed category"
    exit_launcher "$LAUNCHER_WIN"
    [ ! -e "$rename/Other.kvl" ] && pass "the old file is gone" || fail "Other.kvl is still there"
    expect_file_bytes "$rename/games.kvl" "$E2E_OUT/renamed-items" "the items are in games.kvl"
    [ "$(ini_group Games "$rename/Kivo.ini" | grep '^Width=')" = Width=420 ] && [ -z "$(ini_group Other "$rename/Kivo.ini")" ] &&
      pass "the window settings took the new name" || fail "Kivo.ini: $(tr -d '\r' <"$rename/Kivo.ini" | tr '\n' ' ')"
  fi
fi
start_kivo "$rename"
if wait_launcher && expect_category Games "the renamed category is still the one shown at start" && open_editor; then
  type_name 'GAMES'
  xdotool key alt+o
  if back_to_launcher; then
    expect_category GAMES "a change of letter case only is a rename"
    exit_launcher "$LAUNCHER_WIN"
    expect_file_bytes "$rename/games.kvl" "$E2E_OUT/renamed-items" "and the items stay in games.kvl"
    [ -n "$(ini_group GAMES "$rename/Kivo.ini")" ] && pass "the window settings are under the new spelling" ||
      fail "Kivo.ini groups: $(grep '^\[' "$rename/Kivo.ini" | tr -d '\r' | tr '\n' ' ')"
  fi
fi

finish
