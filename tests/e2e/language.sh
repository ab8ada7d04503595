#!/usr/bin/env bash
# Language files from "Languages" beside kivo.exe: chosen by the Language
# setting, else by the user's language (English name, then native name); the
# start-up category carries the language's name; category names that differ only
# in letter case keep the order Windows lists them in.
source "$(dirname "$0")/lib.sh"

prog=$(new_data_folder program)
cp "$KIVO_EXE" "$prog/kivo.exe"
cp -r "$BUILD_DIR/Languages" "$prog/Languages"

data=$(new_data_folder german-user)
printf 'Editor=notepad.exe\r\n' >"$data/Werkzeuge.kvl"
printf 'Uhr=clock.exe\r\n' >"$data/Autostart.kvl"
printf '[Start]\r\nCatSelect=Werkzeuge\r\n' >"$data/Kivo.ini"
if [ -n "${KIVO_LOCPATH:-}" ] && [ -d "$KIVO_LOCPATH/de_DE.UTF-8" ]; then
  (cd "$data" && exec env LOCPATH="$KIVO_LOCPATH" LANG=de_DE.UTF-8 LC_ALL=de_DE.UTF-8 wine "$prog/kivo.exe" \
    </dev/null >>"$E2E_OUT/wine.log" 2>&1) &
  KIVO_PID=$!
  answer_box 'Kivo ' Return german-user && wait_kivo_exit
  expect_text "$E2E_OUT/german-user.txt" 'Kategorie "Werkzeuge":' "a German user gets Deutsch.lng by its native name"
  expect_text "$E2E_OUT/german-user.txt" 'Autostart: Autostart' "Autostart is the German start-up category"
  expect_text "$E2E_OUT/german-user.txt" 'Categories: [Werkzeuge] [Autostart]' "listed last"
else
  fail "no German locale (made by ./kivo.sh test)"
fi

data=$(new_data_folder by-setting)
printf 'Editor=notepad.exe\r\n' >"$data/Tools.kvl"
printf '[main]\r\nLanguage=Deutsch\r\n' >"$data/Kivo.ini"
LANG=C start_program "$prog/kivo.exe" "$data"
answer_box 'Kivo ' Return by-setting && wait_kivo_exit
expect_text "$E2E_OUT/by-setting.txt" 'Datenordner: ' "Language=Deutsch loads the German texts"
expect_text "$E2E_OUT/by-setting.txt" 'Language: Deutsch' "and says so"

data=$(new_data_folder unknown-language)
printf '[main]\r\nLanguage=Klingon\r\n' >"$data/Kivo.ini"
for name in tools Tools TOOLS apps; do printf 'X=x.exe\r\n' >"$data/$name.kvl"; done
LANG=C start_program "$prog/kivo.exe" "$data"
answer_box 'Kivo ' Return unknown-language && wait_kivo_exit
expect_text "$E2E_OUT/unknown-language.txt" 'Data folder: ' "an unknown language keeps the English texts"
listed_files "$(winpath "$data")\\*.kvl" "$E2E_OUT/listing.txt"
order=$(tr -d '\r' <"$E2E_OUT/listing.txt" | grep -v '^apps' | sed 's/\.kvl$//' | sed 's/.*/[&]/' | tr -d '\n' | sed 's/\]\[/] [/g')
expect_text "$E2E_OUT/unknown-language.txt" "Categories: [apps] $order" "names differing in case keep the listing order"

finish
