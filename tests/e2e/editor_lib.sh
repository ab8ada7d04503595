# Steps shared by the scripts that drive the configuration editor; sourced
# after lib.sh.

# From standard input: a text may begin with "-".
type_text() { printf '%s' "$1" | xdotool type --delay 12 --file -; }

open_editor() {
  click_caption "$LAUNCHER_WIN"
  xdotool key F2
  wait_editor
}

# Presses the keys that close the editor, waits until it has gone and then
# for the launcher, which has the editor's title.
editor_gone() { ! xdotool search --onlyvisible --name '^Kivo $' | grep -qx "$EDITOR_WIN"; }
close_editor() {
  xdotool key "$@"
  wait_until 10 editor_gone || true
  wait_launcher
}

# The name field shows $1.
expect_name() {
  local name
  name=$(editor_text_soon 7 "$1")
  [ "$name" = "$1" ] && pass "$2" || fail "$2: the editor is on '$name'"
}

# The category menu from Ctrl+Space; Down n times and Return chooses entry n.
choose_category() {
  xdotool key ctrl+space
  wait_until 10 open_menu "$E2E_OUT/menu.txt" || true
  for ((i = 0; i < $1; i++)); do xdotool key Down; done
  xdotool key Return
}

# The name field's whole text replaced by $1.
type_name() {
  click_control 7
  xdotool key End shift+Home
  type_text "$1"
}

# Checks the list's rows (see list_rows) against printf-style lines, read again
# while they are still changing: one read when they are right at once.
list_is() { list_rows 'Kivo ' "$E2E_OUT/list.txt" && cmp -s "$E2E_OUT/list.txt" "$E2E_OUT/list.expected"; }
expect_list() {
  printf "$1" >"$E2E_OUT/list.expected"
  wait_until 10 list_is || true
  expect_file_bytes "$E2E_OUT/list.txt" "$E2E_OUT/list.expected" "$2"
}

# The text of an editor control in the last look (editor.txt), and a click
# where that look shows the control.
field() { state_text "$E2E_OUT/editor.txt" "$1"; }
click_field() { local px py; read -r px py < <(control_point "$1"); xdotool mousemove "$px" "$py" click 1; }

# --- Waiting for the editor's windows -----------------------------------------

# No window titled $1 is shown.
box_gone() { ! xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; }
# One window has the title the editor and the launcher share, and it has no
# category name field: the editor has gone, the launcher is back.
launcher_alone() {
  [ "$(xdotool search --onlyvisible --name '^Kivo $' 2>/dev/null | wc -l)" = 1 ] &&
    window_state 'Kivo ' "$E2E_OUT/alone.txt" && ! grep -q '^control 7 Edit' "$E2E_OUT/alone.txt"
}
# Answers the box as answer_box does, then waits until it has gone: the
# answer was taken.
answered() { answer_box "$@" && wait_until 10 box_gone "$1"; }
# After the editor was left: the launcher once it is alone (LAUNCHER_WIN);
# fails when it does not come.
back_to_launcher() { wait_until 10 launcher_alone || true; wait_launcher; }
