#!/usr/bin/env bash
# The drive the program runs from decides the variable-drive mode and whether
# the settings may be written: E: is removable, F: a CD-ROM, G: a fixed disk
# (mapped by ./kivo.sh test). In variable-drive mode the drive letters of a
# category follow the program's drive: the items are launched from the window,
# and copies of the probe program at the paths they name record how they came.
source "$(dirname "$0")/lib.sh"

DRIVES=$(dirname "$(realpath -m "$WINEPREFIX/dosdevices/e:")")  # where this prefix's test drives are
for d in removable cdrom fixed; do
  [ -d "$DRIVES/$d" ] || { echo "test drives are mapped by ./kivo.sh test"; exit 77; }
done

# What the items name: a program on the Windows drive, and one with its folder
# on every drive the letters may end up on, D: included (mapped for this test).
WINDOWS_DIR="$WINEPREFIX/drive_c/kivo-e2e"
D_LINK="$WINEPREFIX/dosdevices/d:"
# A link left by an interrupted run of this test is its own to replace.
[ "$(readlink "$D_LINK" 2>/dev/null)" = "$E2E_OUT/d-drive" ] && rm -f "$D_LINK"
[ -e "$D_LINK" ] || [ -L "$D_LINK" ] && { echo "drive D: is taken in this prefix"; exit 77; }
cleanup() {
  rm -f "$D_LINK"
  rm -rf "$WINDOWS_DIR"
  for d in removable cdrom fixed; do rm -rf "$DRIVES/$d/Tools" "$DRIVES/$d/Work"; done
}
at_exit cleanup
ln -s "$E2E_OUT/d-drive" "$D_LINK"
mkdir -p "$WINDOWS_DIR"
cp "$BUILD_DIR/tests/launch_probe.exe" "$WINDOWS_DIR/notes.exe"
for root in "$DRIVES/removable" "$DRIVES/cdrom" "$DRIVES/fixed" "$E2E_OUT/d-drive"; do
  mkdir -p "$root/Tools" "$root/Work"
  cp "$BUILD_DIR/tests/launch_probe.exe" "$root/Tools/tool.exe"
done
export KIVO_PROBE_LOG
KIVO_PROBE_LOG=$(winpath "$E2E_OUT")\\probe.log
log="$E2E_OUT/probe.log"

# kivo.exe in <drive folder>/<name> with its data folder "data" beside it.
install_on() {
  local dir="$DRIVES/$1/$2"
  rm -rf "$dir"
  mkdir -p "$dir/data"
  cp "$KIVO_EXE" "$dir/kivo.exe"
  printf 'DataPath=data\r\n' >"$dir/KivoRedir.ini"
  printf '%s\r\n' 'Notes=C:\kivo-e2e\notes.exe' 'Tool=D:\Tools\tool.exe;/in=D:\in.txt;D:\Work' \
    'Keep=D:\Tools\tool.exe;/c echo xD:\no' >"$dir/data/Stick.kvl"
  printf '[Start]\r\nCatSelect=Stick\r\n[main]\r\nVarDrive=%s\r\n' "$3" >"$dir/data/Kivo.ini"
  echo "$dir"
}

# Launches the row's item; prints the command line and the folder the probe
# recorded, one a line, or nothing when it did not start.
launch() {
  local row=$1 before
  before=$(grep -c '' "$log" 2>/dev/null) || before=0
  launch_row "$row" || return 0
  wait_lines "$log" $((before + 3)) || return 0
  tr -d '\r' <"$log" | sed -n "$((before + 1)),$((before + 2))p"
}

expect_launch() {  # row, expected command line, expected folder, what
  local got
  got=$(launch "$1")
  if [ "$got" = "$2"$'\n'"$3" ]; then
    pass "$4"
  else
    fail "$4: started as '${got//$'\n'/' in '}'"
    # A path that names nothing is answered by a box that would block the rest.
    if wait_window '^Error$' 2 >/dev/null; then answer_box Error n "failure-row-$1"; fi
  fi
}

run_from() {  # Windows path of kivo.exe, screenshot name; the window id goes into win
  start_program "$1" "$E2E_OUT"
  wait_launcher || return 1
  win=$LAUNCHER_WIN
  screenshot "$win" "$2"
}

# Removable drive: always variable, whatever VarDrive says.
dir=$(install_on removable usb 0)
cp "$dir/data/Stick.kvl" "$E2E_OUT/stick-before"
if run_from 'E:\usb\kivo.exe' removable; then
  expect_category Stick "the category on the USB drive is shown"
  expect_launch 1 '"E:\Tools\tool.exe" /in=E:\in.txt' 'E:\Work' "drive letters follow the USB drive"
  expect_launch 0 '"C:\kivo-e2e\notes.exe"' 'C:\kivo-e2e' "the Windows drive stays"
  expect_launch 2 '"E:\Tools\tool.exe" /c echo xD:\no' 'E:\Tools' "a letter inside a word stays"
  exit_launcher "$win"
fi
expect_file_bytes "$dir/data/Stick.kvl" "$E2E_OUT/stick-before" "the category file itself is not changed"
grep -q $'^VarDrive=1\r$' "$dir/data/Kivo.ini" && pass "variable-drive mode on removable media is written back" \
  || fail "VarDrive=1 not written"

# Fixed drive: the setting decides.
dir=$(install_on fixed off 0)
if run_from 'G:\off\kivo.exe' fixed-off; then
  expect_launch 1 '"D:\Tools\tool.exe" /in=D:\in.txt' 'D:\Work' "VarDrive=0 on a fixed drive keeps the letters"
  exit_launcher "$win"
fi
grep -q $'^VarDrive=0\r$' "$dir/data/Kivo.ini" && pass "variable-drive mode off" || fail "VarDrive=0 not written"
dir=$(install_on fixed on 1)
if run_from 'G:\on\kivo.exe' fixed-on; then
  expect_launch 1 '"G:\Tools\tool.exe" /in=G:\in.txt' 'G:\Work' "VarDrive=1 on a fixed drive adapts"
  exit_launcher "$win"
fi

# CD-ROM: write-protected, so nothing is written, though the settings file
# lacks keys that would be written otherwise.
dir=$(install_on cdrom cd 0)
touch -d '2020-01-01 00:00' "$dir/data/Kivo.ini"
cp -p "$dir/data/Kivo.ini" "$E2E_OUT/cd-settings-before"
if run_from 'F:\cd\kivo.exe' cdrom; then
  expect_launch 1 '"F:\Tools\tool.exe" /in=F:\in.txt' 'F:\Work' "CD drives are variable too"
  exit_launcher "$win"
fi
expect_file_bytes "$dir/data/Kivo.ini" "$E2E_OUT/cd-settings-before" "settings are read-only on a CD: the file is untouched"
[ "$(stat -c %Y "$dir/data/Kivo.ini")" = "$(date -d '2020-01-01 00:00' +%s)" ] && pass "and not written" \
  || fail "the settings file on the CD was written"

finish
