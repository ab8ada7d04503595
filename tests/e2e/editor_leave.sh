#!/usr/bin/env bash
# Leaving the configuration editor never loses an edit silently: leaving a
# changed category asks (Cancel stays, OK drops the changes); switching to
# another category asks to save (Yes, No, Cancel); a second start brings the
# editor forward and "/close" goes through the same question. A colon is no
# part of a name; a category emptied and saved is deleted. Return in the list
# starts an item as a test. The editor in German, with its menus, for the eye.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

data=$(new_data_folder data)
printf '%s\r\n' 'Alpha=%windir%\notepad.exe' >"$data/Main.kvl"
printf '%s\r\n' 'Omega=%windir%\system32\cmd.exe' >"$data/Other.kvl"
printf '[Start]\r\nCatSelect=Main\r\n[main]\r\nLanguage=English\r\n' >"$data/Kivo.ini"
cp "$data/Main.kvl" "$E2E_OUT/main-before"
cp "$data/Other.kvl" "$E2E_OUT/other-before"

# A new item after the current one, accepted: the category is then changed.
add_item() {
  xdotool key alt+n
  sleep 0.3
  type_text "$1"
  xdotool key Tab
  type_text '%windir%\notepad.exe'
  xdotool key Return
  sleep 0.4
}

start_kivo "$data"
wait_launcher || finish
open_editor || finish

# Leaving a changed category.
add_item Temp
xdotool key Escape
answer_box Confirm Escape quit-question
expect_text "$E2E_OUT/quit-question.txt" 'Quit without saving changes?' "leaving a changed category asks"
sleep 0.5
wait_editor && expect_name Main "Cancel keeps the editor open"
expect_rows_soon '0\tAlpha\t0\n1\tTemp\t1\n' "with the change still there"
click_caption "$EDITOR_WIN"
xdotool key Escape
answer_box Confirm Return quit-again
if wait_launcher; then
  expect_rows_soon '1\tAlpha\t0\n' "OK drops the change: the launcher shows the file's items"
  expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "and the file is unchanged"
fi

# Switching with unsaved changes: No, then Yes, then Cancel.
open_editor || finish
add_item Temp
choose_category 2
answer_box Confirm n switch-no
expect_text "$E2E_OUT/switch-no.txt" 'Save changes for this category?' "switching from a changed category asks"
sleep 0.5
wait_editor && expect_name Other "No switches to the other category"
expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "without saving the one left"
add_item Kept
choose_category 1
answer_box Confirm y switch-yes
sleep 0.5
wait_editor && expect_name Main "Yes switches too"
printf '%s\r\n' 'Omega=%windir%\system32\cmd.exe' 'Kept=%windir%\notepad.exe' >"$E2E_OUT/other-saved"
expect_file_bytes "$data/Other.kvl" "$E2E_OUT/other-saved" "after saving the one left"
add_item Pending
choose_category 2
answer_box Confirm Escape switch-cancel
sleep 0.5
wait_editor && expect_name Main "Cancel stays in the category"
expect_rows_soon '0\tAlpha\t0\n1\tPending\t1\n' "with its change"

# A second start brings the editor forward; the launcher stays hidden.
foreground() { window_state 'Kivo ' "$E2E_OUT/editor.txt" && sed -n '1s/.* foreground \([01]\) .*/\1/p' "$E2E_OUT/editor.txt"; }
xdotool mousemove 900 650 click 1
sleep 0.5
[ "$(foreground)" = 0 ] || fail "a click on the desktop left the editor in the foreground"
(cd "$data" && exec wine "$KIVO_EXE" </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
sleep 0.5
[ "$(foreground)" = 1 ] && pass "a second start brings the editor forward" ||
  fail "the editor is not in the foreground after a second start"
visible=$(xdotool search --onlyvisible --name '^Kivo $' | wc -l)
[ "$visible" -eq 1 ] && pass "and the launcher stays hidden" || fail "$visible Kivo windows are visible"

# "/close": the editor asks first; Cancel keeps the program, OK ends it. Also
# after an Ok that could not be taken (a new item without a command).
# Each key waits for the one before: on a loaded machine the /close could
# otherwise overtake the edit it is meant to find.
click_caption "$EDITOR_WIN"
xdotool key alt+n
sleep 0.3
type_text 'Caption only'
[ "$(editor_text_soon 19 'Caption only')" = 'Caption only' ] ||
  fail "the new item's text reads '$(editor_text 19)'"
xdotool key alt+o
sleep 0.5
(cd "$data" && exec wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
answer_box Confirm Escape close-cancel
expect_text "$E2E_OUT/close-cancel.txt" 'Quit without saving changes?' "/close asks about the unsaved change"
sleep 1
kill -0 "$KIVO_PID" 2>/dev/null && wait_editor && pass "Cancel keeps the program and the editor" ||
  fail "the program ended after Cancel"
(cd "$data" && exec wine "$KIVO_EXE" /close </dev/null >>"$E2E_OUT/wine.log" 2>&1) || true
answer_box Confirm Return close-ok
wait_kivo_exit && pass "OK ends the program"
expect_file_bytes "$data/Main.kvl" "$E2E_OUT/main-before" "without writing the dropped change"

# A colon cannot be part of a name; a category whose items are all deleted is
# deleted with them when the editor saves and leaves it.
start_kivo "$data"
if wait_launcher; then
  click_caption "$LAUNCHER_WIN"
  xdotool key Tab
  expect_category Other "Tab shows the other category"
  open_editor || finish
  click_control 7
  xdotool key End
  type_text ':'
  [ "$(editor_text 7)" = Other ] && pass "a colon typed into the name is refused" ||
    fail "the name field reads '$(editor_text 7)'"
  xdotool key F2 Escape
  for _ in 1 2; do
    xdotool key alt+d
    answer_box Confirm Return delete-all
    sleep 0.3
  done
  expect_rows_soon '' "every item deleted"
  xdotool key alt+o
  if wait_launcher; then
    [ ! -e "$data/Other.kvl" ] && pass "Ok on an empty category deletes its file" || fail "Other.kvl is still there"
    expect_category Main "the launcher shows the category that is left"
    exit_launcher "$LAUNCHER_WIN"
  fi
fi

# Return in the list starts the item as a test; a failure only beeps; an item
# that opens a category takes the editor there.
trial=$(new_data_folder trial)
cp "$BUILD_DIR/tests/launch_probe.exe" "$trial/probe.exe"
printf '%s\r\n' 'Probe=probe.exe;--from editor' 'Broken=missing.exe' 'Go=kivo;Other' >"$trial/Main.kvl"
printf '%s\r\n' 'Omega=probe.exe' >"$trial/Other.kvl"
printf '[Start]\r\nCatSelect=Main\r\n[main]\r\nLanguage=English\r\n' >"$trial/Kivo.ini"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
start_kivo "$trial"
if wait_launcher && open_editor; then
  xdotool key Return
  wait_lines "$E2E_OUT/probe.log" 1 && grep -q -- '--from editor' "$E2E_OUT/probe.log" &&
    pass "Return in the list starts the item" || fail "the probe was not started from the editor"
  xdotool key Down Return
  wait_window '^Error$' 2 >/dev/null && fail "a failed test launch showed a message" ||
    pass "a test launch that fails shows no message"
  xdotool key Down Return
  sleep 0.8
  wait_editor && expect_name Other "an item that opens a category takes the editor there"
  xdotool key Escape
  wait_launcher && expect_category Other "and the launcher shows it afterwards"
  exit_launcher "$LAUNCHER_WIN"
fi

# In German, for the eye: the editor and its menus.
printf '[Start]\r\nCatSelect=Main\r\n[main]\r\nLanguage=Deutsch\r\n' >"$data/Kivo.ini"
start_kivo "$data"
if wait_launcher && open_editor; then
  screenshot "$EDITOR_WIN" editor-de
  [ "$(editor_text_soon 11 "&Neuer Eintrag")" = "&Neuer Eintrag" ] && pass "the editor speaks German" || fail "button 11 reads '$(editor_text 11)'"
  xdotool key Menu
  sleep 0.5
  screenshot "$EDITOR_WIN" context-menu-de
  xdotool key Escape ctrl+space
  sleep 0.5
  screenshot "$EDITOR_WIN" category-menu-de
  xdotool key Escape
  sleep 0.3
  window_state 'Kivo ' "$E2E_OUT/editor.txt" || true
  xdotool key alt+o
  # The launcher has the editor's title: wait until the editor is gone.
  for _ in $(seq 50); do xdotool search --onlyvisible --name '^Kivo $' | grep -qx "$EDITOR_WIN" || break; sleep 0.1; done
  wait_launcher && exit_launcher "$LAUNCHER_WIN"
fi
finish
