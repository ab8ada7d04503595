#!/usr/bin/env bash
# The drive the program runs from decides the variable-drive mode and whether
# the settings may be written: E: is removable, F: a CD-ROM, G: a fixed disk
# (mapped by ./kivo.sh test). In variable-drive mode the drive letters of a
# category follow the program's drive.
source "$(dirname "$0")/lib.sh"

DRIVES="$BUILD_DIR/drives"
for d in removable cdrom fixed; do
  [ -d "$DRIVES/$d" ] || { echo "test drives are mapped by ./kivo.sh test"; exit 77; }
done

# kivo.exe in <drive folder>/<name> with its data folder "data" beside it.
install_on() {
  local dir="$DRIVES/$1/$2"
  rm -rf "$dir"
  mkdir -p "$dir/data"
  cp "$KIVO_EXE" "$dir/kivo.exe"
  printf 'DataPath=data\r\n' >"$dir/KivoRedir.ini"
  printf 'Notes=C:\\windows\\notepad.exe\r\nTool=D:\\Tools\\tool.exe;/in=D:\\in.txt;D:\\Work\r\nKeep=cmd.exe;/c echo xD:\\no\r\n' \
    >"$dir/data/Stick.kvl"
  printf '[Start]\r\nCatSelect=Stick\r\n[main]\r\nVarDrive=%s\r\n' "$3" >"$dir/data/Kivo.ini"
  echo "$dir"
}

run_from() {  # Windows path of kivo.exe, screenshot name
  start_program "$1" "$E2E_OUT"
  if answer_box 'Kivo ' Return "$2"; then wait_kivo_exit || true; fi
}

# Removable drive: always variable, whatever VarDrive says.
dir=$(install_on removable usb 0)
cp "$dir/data/Stick.kvl" "$E2E_OUT/stick-before"
run_from 'E:\usb\kivo.exe' removable
expect_text "$E2E_OUT/removable.txt" 'Tool = E:\Tools\tool.exe;/in=E:\in.txt;E:\Work' "drive letters follow the USB drive"
expect_text "$E2E_OUT/removable.txt" 'Notes = C:\windows\notepad.exe' "the Windows drive stays"
expect_text "$E2E_OUT/removable.txt" 'Keep = cmd.exe;/c echo xD:\no' "a letter inside a word stays"
expect_text "$E2E_OUT/removable.txt" 'Variable drive letter: on' "variable-drive mode on removable media"
expect_file_bytes "$dir/data/Stick.kvl" "$E2E_OUT/stick-before" "the category file itself is not changed"
grep -q $'^VarDrive=1\r$' "$dir/data/Kivo.ini" && pass "the mode is written back" || fail "VarDrive=1 not written"

# Fixed drive: the setting decides.
dir=$(install_on fixed off 0)
run_from 'G:\off\kivo.exe' fixed-off
expect_text "$E2E_OUT/fixed-off.txt" 'Tool = D:\Tools\tool.exe;/in=D:\in.txt;D:\Work' "VarDrive=0 on a fixed drive keeps the letters"
expect_text "$E2E_OUT/fixed-off.txt" 'Variable drive letter: off' "variable-drive mode off"
dir=$(install_on fixed on 1)
run_from 'G:\on\kivo.exe' fixed-on
expect_text "$E2E_OUT/fixed-on.txt" 'Tool = G:\Tools\tool.exe;/in=G:\in.txt;G:\Work' "VarDrive=1 on a fixed drive adapts"

# CD-ROM: write-protected, so nothing is written.
dir=$(install_on cdrom cd 0)
cp "$dir/data/Kivo.ini" "$E2E_OUT/cd-settings-before"
run_from 'F:\cd\kivo.exe' cdrom
expect_text "$E2E_OUT/cdrom.txt" 'Settings: read-only' "settings are read-only on a CD"
expect_text "$E2E_OUT/cdrom.txt" 'Tool = F:\Tools\tool.exe' "CD drives are variable too"
expect_file_bytes "$dir/data/Kivo.ini" "$E2E_OUT/cd-settings-before" "the settings file on the CD is untouched"

finish
