#!/usr/bin/env bash
# An item that switches category names a category of the data folder, never a
# file elsewhere: a path, or a name that expands to one, is refused like a
# missing category, and nothing is written under its name. A category whose
# file cannot be read says so. A start category that is gone gives way to
# another one without the settings forgetting it.
source "$(dirname "$0")/lib.sh"

other=$(make_data other 'Mix.kvl:Elsewhere=%windir%\notepad.exe')
cp "$other/Mix.kvl" "$E2E_OUT/Mix.before"
mix="$(winpath "$other")\\Mix"
data=$(make_data data 'Locked.kvl:L=l.exe' 'Second.kvl:Back=kivo;Main' 'Kivo.ini:[Start]|CatSelect=Main' \
  "Main.kvl:Relative=kivo;..\\other\\Mix|Absolute=kivo;$mix|Expanding=kivo;%USERPROFILE%|Next=kivo;Second|Locked=kivo;Locked")
# What "%USERPROFILE%.kvl" expands to, the profile folder in the prefix's registry
# with ".kvl", lies outside the data folder.
profile=$(sed -n 's/^"ProfileImagePath"="\(.*\)"$/\1/p' "$WINEPREFIX/system.reg" | head -1 | sed 's/\\\\/\\/g')
[ -n "$profile" ] || { fail "no profile folder in the prefix's registry"; finish; }
outside=$(unixpath "$profile.kvl")
printf '%s\r\n' 'Outside=%windir%\notepad.exe' >"$outside"
cp "$outside" "$data/%USERPROFILE%.kvl"

start_kivo "$data"
if wait_launcher; then
  for row in 0 1 2; do
    launch_row "$row"
    if answer_box 'Error' n "refused-$row"; then
      expect_text "$E2E_OUT/refused-$row.txt" 'Cannot open:' "row $row: a category path is refused like a missing category"
      wait_gone 'Error' 5 || fail "the box stays open"
    fi
    expect_category Main "row $row: the launcher stays on its category"
  done
  hold_file "$data/Locked.kvl" 60
  STARTED_PIDS+=("$HOLD_PID")  # ended with the script, if not before
  launch_row 4
  if answer_box 'Error' Return locked; then
    expect_text "$E2E_OUT/locked.txt" "Locked.kvl" "a category whose file cannot be read says so, with its file"
  fi
  kill "$HOLD_PID" && wait "$HOLD_PID" || true
  wait_until 10 wine "$PROBE" hold "$(winpath "$data/Locked.kvl")" 0 "$(winpath "$E2E_OUT/free")" </dev/null >/dev/null 2>&1 || true
  launch_row 3
  expect_category Second "a category of the data folder is still switched to"
  # "%USERPROFILE%" would come first in the list, after the last one.
  xdotool key Tab
  expect_category Locked "a file whose name expands to a path is no category of the list"
  exit_launcher "$LAUNCHER_WIN"
fi
rm -f "$outside"
settings=$(tr -d '\r' <"$data/Kivo.ini")
if grep -q 'Mix' <<<"$settings"; then fail "the settings name the path: $(grep Mix <<<"$settings" | tr '\n' ' ')"; else
  pass "nothing is written under the path's name"; fi
expect_file_bytes "$other/Mix.kvl" "$E2E_OUT/Mix.before" "the file elsewhere is untouched"

# A start category whose name expands to a path, and one that is gone: another
# category is shown, and with nothing changed the settings keep the stored name
# and gain no group for the one shown.
for stored in '%USERPROFILE%' 'Gone'; do
  printf '[Start]\r\nCatSelect=\r\n[main]\r\nMRU=%s\r\nLanguage=English\r\n' "$stored" >"$data/Kivo.ini"
  start_kivo "$data"
  if wait_launcher; then
    expect_category Locked "MRU=$stored: the first category is shown instead"
    exit_launcher "$LAUNCHER_WIN"
    settings=$(tr -d '\r' <"$data/Kivo.ini")
    grep -qxF "MRU=$stored" <<<"$settings" && ! grep -qi '^\[Locked\]' <<<"$settings" &&
      pass "MRU=$stored: the settings keep it and gain no group" || fail "MRU=$stored: $(tr '\n' ' ' <<<"$settings")"
  fi
done

finish
