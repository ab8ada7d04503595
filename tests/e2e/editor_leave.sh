#!/usr/bin/env bash
# Leaving the configuration editor never loses an edit silently: leaving a
# changed category asks (Cancel stays, OK drops the changes); switching to
# another category asks to save (Yes, No, Cancel); a second start brings the
# editor forward and "/close" goes through the same question. A colon is no
# part of a name; a category emptied and saved is deleted. Return in the list
# starts an item as a test. The editor in German, with its menus, for the eye.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

data=$(make_data data 'Main.kvl:Alpha=%windir%\notepad.exe' 'Other.kvl:Omega=%windir%\system32\cmd.exe' \
  'Kivo.ini:[Start]|CatSelect=Main|[main]|Language=English')
cp "$data/Main.kvl" "$E2E_OUT/main-before"

# A new item after the current one, accepted: the category is then changed.
add_item() {
  xdotool key alt+n
  type_text "$1"
  xdotool key Tab
  type_text 'notepad.exe'
  xdotool key Return
}

start_kivo "$data"
wait_launcher && open_editor || finish

# Leaving a changed category.
add_item Temp
xdotool key Escape
answered Confirm Escape quit-question
expect_text "$E2E_OUT/quit-question.txt" 'Quit without saving changes?' "leaving a changed category asks"
wait_editor && expect_name Main "Cancel keeps the editor open"
expect_rows_soon '0\tAlpha\t0\n1\tTemp\t1\n' "with the change still there"
click_caption "$EDITOR_WIN"
xdotool key Escape
answer_box Confirm Return quit-again
if back_to_launcher; then
  expect_rows_soon '1\tAlpha\t0\n' "OK drops the change: the launcher shows the file's items"
  expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "and the file is unchanged"
fi

# Switching with unsaved changes: No, then Yes, then Cancel.
open_editor || finish
add_item Temp
choose_category 2
answered Confirm n switch-no
expect_text "$E2E_OUT/switch-no.txt" 'Save changes for this category?' "switching from a changed category asks"
wait_editor && expect_name Other "No switches to the other category"
expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "without saving the one left"
add_item Kept
choose_category 1
answered Confirm y switch-yes
wait_editor && expect_name Main "Yes switches too"
printf '%s\r\n' 'Omega=%windir%\system32\cmd.exe' 'Kept=notepad.exe' >"$E2E_OUT/other-saved"
expect_file_bytes "$data/Other.kvl" "$E2E_OUT/other-saved" "after saving the one left"
add_item Pending
choose_category 2
answered Confirm Escape switch-cancel
wait_editor && expect_name Main "Cancel stays in the category"
expect_rows_soon '0\tAlpha\t0\n1\tPending\t1\n' "with its change"

# A second start brings the editor forward; the launcher stays hidden.
editor_foreground() { window_state 'Kivo ' "$E2E_OUT/editor.txt" && grep -q "^window .* foreground $1 " "$E2E_OUT/editor.txt"; }
xdotool mousemove 900 650 click 1
wait_until 10 editor_foreground 0 || fail "a click on the desktop left the editor in the foreground"
(cd "$data" && exec wine "$KIVO_EXE" </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
wait_until 10 editor_foreground 1 && pass "a second start brings the editor forward" ||
  fail "the editor is not in the foreground after a second start"
visible=$(xdotool search --onlyvisible --name '^Kivo $' | wc -l)
[ "$visible" -eq 1 ] && pass "and the launcher stays hidden" || fail "$visible Kivo windows are visible"

# "/close": the editor asks first; Cancel keeps the program, OK ends it. Also
# after an Ok that could not be taken (a new item without a command).
# The text typed after the Ok shows that the Ok was taken before the /close,
# which on a loaded machine could otherwise overtake the edit it is meant to find
# (the refused Alt+O leaves the window in menu mode: Escape ends that).
click_caption "$EDITOR_WIN"
xdotool key alt+n
type_text 'Caption'
xdotool key alt+o Escape
type_text ' only'
[ "$(editor_text_soon 19 'Caption only')" = 'Caption only' ] ||
  fail "the new item's text reads '$(editor_text 19)'"
(cd "$data" && exec wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
answered Confirm Escape close-cancel
expect_text "$E2E_OUT/close-cancel.txt" 'Quit without saving changes?' "/close asks about the unsaved change"
# The editor answers a look only once it waits for input again.
wait_editor && kill -0 "$KIVO_PID" 2>/dev/null && pass "Cancel keeps the program and the editor" ||
  fail "the program ended after Cancel"
(cd "$data" && exec wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
answer_box Confirm Return close-ok
wait_kivo_exit && pass "OK ends the program"
expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "without writing the dropped change"

# A colon cannot be part of a name; a category whose items are all deleted is
# deleted with them when the editor saves and leaves it.
if open_kivo "$data"; then
  xdotool key Tab
  expect_category Other "Tab shows the other category"
  open_editor || finish
  click_control 7
  # The letter after the colon shows when the colon was taken; it goes again.
  xdotool key End
  type_text ':x'
  [ "$(editor_text_soon 7 Otherx)" = Otherx ] && pass "a colon typed into the name is refused" ||
    fail "the name field reads '$(editor_text 7)'"
  xdotool key BackSpace
  [ "$(editor_text_soon 7 Other)" = Other ] || fail "the name field reads '$(editor_text 7)'"
  xdotool key F2 Escape
  for _ in 1 2; do
    xdotool key alt+d
    answered Confirm Return delete-all
  done
  expect_rows_soon '' "every item deleted"
  xdotool key alt+o
  if back_to_launcher; then
    [ ! -e "$data/Other.kvl" ] && pass "Ok on an empty category deletes its file" || fail "Other.kvl is still there"
    expect_category Main "the launcher shows the category that is left"
    exit_launcher "$LAUNCHER_WIN"
  fi
fi

# Return in the list starts the item as a test; a failure only beeps; an item
# that opens a category takes the editor there.
trial=$(make_data trial 'Main.kvl:Probe=probe.exe;--from editor|Broken=missing.exe|Go=kivo;Other' \
  'Other.kvl:Omega=probe.exe' 'Kivo.ini:[Start]|CatSelect=Main|[main]|Language=English')
cp "$BUILD_DIR/tests/launch_probe.exe" "$trial/probe.exe"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
# The row the list has selected is $1.
selected_row() { list_selection 'Kivo ' "$E2E_OUT/selection.txt" && grep -q "^rows [0-9]* selected $1 " "$E2E_OUT/selection.txt"; }
start_kivo "$trial"
if wait_launcher && open_editor; then
  xdotool key Return
  wait_lines "$E2E_OUT/probe.log" 1 && grep -q -- '--from editor' "$E2E_OUT/probe.log" &&
    pass "Return in the list starts the item" || fail "the probe was not started from the editor"
  # A message box would take the Down after the Return: the list keeps its row.
  xdotool key Down Return Down
  wait_until 10 selected_row 2 && box_gone Error && pass "a test launch that fails shows no message" ||
    fail "a failed test launch showed a message"
  xdotool key Return
  wait_editor && expect_name Other "an item that opens a category takes the editor there"
  xdotool key Escape
  back_to_launcher && expect_category Other "and the launcher shows it afterwards"
  exit_launcher "$LAUNCHER_WIN"
fi

# In German, for the eye: the editor and its menus.
printf '[Start]\r\nCatSelect=Main\r\n[main]\r\nLanguage=Deutsch\r\n' >"$data/Kivo.ini"
start_kivo "$data"
if wait_launcher && open_editor; then
  [ "$(editor_text_soon 11 "&Neuer Eintrag")" = "&Neuer Eintrag" ] && pass "the editor speaks German" || fail "button 11 reads '$(editor_text 11)'"
  wait_until 10 painted "$EDITOR_WIN" editor-de || true
  menu_by_keys Menu && screenshot "$EDITOR_WIN" context-menu-de
  xdotool key Escape
  wait_until 10 menu_closed && menu_by_keys ctrl+space && screenshot "$EDITOR_WIN" category-menu-de
  xdotool key Escape
  wait_until 10 menu_closed || true
  xdotool key alt+o
  back_to_launcher && exit_launcher "$LAUNCHER_WIN"
fi
finish
