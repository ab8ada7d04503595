#!/usr/bin/env bash
# Language files from "Languages" beside kivo.exe: chosen by the Language
# setting, else by the user's language (English name, then native name); the
# start-up category carries the language's name; category names that differ only
# in letter case keep the order Windows lists them in. The texts show in the
# program's own windows: the box for an item that cannot be started, the
# editor.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/editor_lib.sh"

prog=$(new_data_folder program)
cp "$KIVO_EXE" "$prog/kivo.exe"
cp -r "$BUILD_DIR/Languages" "$prog/Languages"
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

# Launches the launcher's row whose item cannot be started and answers the box
# that says so, titled `title`, with No; its texts go to $E2E_OUT/<name>.txt.
fail_launch() {
  local row=$1 title=$2 name=$3
  launch_row "$row" && answer_box "$title" n "$name"
}

# The German texts fit the editor (its Explorer boxes shown for a typed
# explorer.exe) and the settings dialog at 100 %; every window is checked at
# 150 % by the display scaling test.
settings_gone() { local status=0; look 'Kivo ' dialog-state || status=$?; [ "$status" = 1 ]; }
german_windows_fit() {
  click_control 21
  expect_access_keys "$E2E_OUT/editor.txt" "9 10 16 20 22 27" "every German label and button of the editor has its own key"
  xdotool key End shift+Home
  type_text explorer.exe
  screenshot "$EDITOR_WIN" german-editor
  expect_fits fits 'Kivo ' german-editor
  click_control 30
  xdotool key F3
  expect_fits dialog-fits 'Kivo ' german-settings
  read -r l t r b < <(awk 'NR == 1 {print $2, $3, $4, $5}' "$E2E_OUT/fits-german-settings.txt")
  import -window root -crop "$((r - l))x$((b - t))+$l+$t" +repage "$E2E_OUT/german-settings.png"
  xdotool key Escape
  wait_until 10 settings_gone || fail "Escape left the settings dialog open"
  click_control 6
}

data=$(new_data_folder german-user)
mkdir -p "$data/tools"
cp "$BUILD_DIR/tests/launch_probe.exe" "$data/tools/uhr.exe"
printf 'Editor=notepad.exe\r\nFehlt=fehlt.exe\r\n' >"$data/Werkzeuge.kvl"
printf 'Uhr=tools\\uhr.exe\r\n' >"$data/Autostart.kvl"
printf '[Start]\r\nCatSelect=Werkzeuge\r\n' >"$data/Kivo.ini"
if [ -n "${KIVO_LOCPATH:-}" ] && [ -d "$KIVO_LOCPATH/de_DE.UTF-8" ]; then
  (cd "$data" && exec env LOCPATH="$KIVO_LOCPATH" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 wine "$prog/kivo.exe" \
    </dev/null >>"$E2E_OUT/wine.log" 2>&1) &
  KIVO_PID=$!
  STARTED_PIDS+=("$KIVO_PID")
  if wait_launcher; then
    win=$LAUNCHER_WIN
    screenshot "$win" german-launcher
    # Only the start-up category's items are started with the program.
    wait_lines "$log" 3 && pass "Autostart is the German start-up category: its item was started" \
      || fail "the item of Autostart was not started"
    expect_category Werkzeuge "the start category is shown"
    fail_launch 1 Fehler german-user
    expect_text "$E2E_OUT/german-user.txt" 'Öffnen nicht möglich: "Fehlt"' \
      "a German user gets Deutsch.lng by its native name"
    expect_text "$E2E_OUT/german-user.txt" 'Konfiguration aufrufen?' "every text of the box is German"
    # The category menu: Werkzeuge, a line, then the start-up category, which
    # opens the editor instead of being shown.
    click_caption "$win"
    menu_by_keys space || true
    xdotool key Down Down Return
    if wait_editor && [ "$(editor_text 7)" = Autostart ]; then
      pass "Autostart is listed last, after Werkzeuge, and taken for the start-up category"
      [ "$(editor_text 11)" = "&Neuer Eintrag" ] && pass "the editor speaks German" ||
        fail "the editor's New Item reads '$(editor_text 11)'"
      german_windows_fit
      click_caption "$EDITOR_WIN"
      xdotool key Escape
      expect_category Werkzeuge "after the editor the launcher shows what it showed before"
    else
      fail "the second entry of the category menu did not open the editor on Autostart"
      screenshot "$win" german-menu
    fi
    exit_launcher "$win"
  fi
else
  fail "no German locale (made by ./kivo.sh test)"
fi

data=$(new_data_folder by-setting)
printf 'Editor=notepad.exe\r\nFehlt=fehlt.exe\r\n' >"$data/Tools.kvl"
printf '[main]\r\nLanguage=Deutsch\r\n' >"$data/Kivo.ini"
LANG=C start_program "$prog/kivo.exe" "$data"
if wait_launcher; then
  win=$LAUNCHER_WIN
  fail_launch 1 Fehler by-setting
  expect_text "$E2E_OUT/by-setting.txt" 'Öffnen nicht möglich: "Fehlt"' "Language=Deutsch loads the German texts"
  exit_launcher "$win"
fi

data=$(new_data_folder unknown-language)
printf '[main]\r\nLanguage=Klingon\r\n' >"$data/Kivo.ini"
for name in tools Tools TOOLS apps; do printf 'X=x.exe\r\n' >"$data/$name.kvl"; done
listed_files "$(winpath "$data")\\*.kvl" "$E2E_OUT/listing.txt"
mapfile -t same_names < <(tr -d '\r' <"$E2E_OUT/listing.txt" | grep -v '^apps' | sed 's/\.kvl$//')
LANG=C start_program "$prog/kivo.exe" "$data"
if wait_launcher; then
  win=$LAUNCHER_WIN
  fail_launch 0 Error unknown-language
  expect_text "$E2E_OUT/unknown-language.txt" 'Cannot open: "X"' "an unknown language keeps the English texts"
  expect_category apps "the first category in name order is shown first"
  click_caption "$win"
  for name in "${same_names[@]}" apps; do
    xdotool key Tab
    expect_category "$name" "Tab shows $name next: names differing in case keep the listing order"
  done
  exit_launcher "$win"
fi

finish
