# A Wine prefix of a test's own, made fresh, with its own wineserver and its own
# virtual desktop on the suite's display. Sourced after lib.sh: from then on
# every Wine command of the test goes to this prefix; the suite's prefix and
# server are left alone. A test may define fresh_prefix_settings, run by
# make_fresh_prefix to add registry values (fresh_setting) of its own.
FRESH="$E2E_OUT/prefix"
export WINEPREFIX="$FRESH"
KEEPER_PID=""

# wineserver -k ends every program of the fresh prefix only.
end_session() {
  WINEPREFIX="$FRESH" wineserver -k 2>/dev/null || true
  WINEPREFIX="$FRESH" wineserver -w 2>/dev/null || true
  [ -n "$KEEPER_PID" ] && wait "$KEEPER_PID" 2>/dev/null || true
  KEEPER_PID=""
}

# A registry value, before the prefix's first session on the display:
# key, name, value and, unless a string, its type.
fresh_setting() {
  env -u DISPLAY wine reg add "$1" /v "$2" /t "${4:-REG_SZ}" /d "$3" /f </dev/null >/dev/null 2>&1
}

# As ./kivo.sh makes the suite's prefix: without a display, so that no installer
# asks for Wine's Mono or Gecko, then one virtual desktop and Wine's fonts.
make_fresh_prefix() {
  rm -rf "$FRESH"
  env -u DISPLAY wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$FRESH/drive_c/windows/Fonts/" 2>/dev/null || true
  fresh_setting 'HKCU\Software\Wine\Explorer' Desktop kivo
  fresh_setting 'HKCU\Software\Wine\Explorer\Desktops' kivo 1024x700
  if declare -F fresh_prefix_settings >/dev/null; then fresh_prefix_settings; fi
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  local l
  for l in "$FRESH"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$l" ]; then rm "$l" && mkdir "$l"; fi
  done
}

# Starts the prefix's desktop keeper on the suite's display and waits for the
# prefix's own virtual desktop, which lies over the suite's while it lasts.
# With "limited" the keeper, and so the desktop's shell that Wine starts for
# it, runs without administrator rights (Wine gives every program they full
# rights otherwise): a user's desktop with UAC on.
start_session() {
  local before limited=()
  [ "${1:-}" = limited ] && limited=("$BUILD_DIR/tests/limited_start.exe")
  before=$(xdotool search --name 'Wine desktop' 2>/dev/null | sort || true)
  wine "${limited[@]}" "$BUILD_DIR/tests/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
  KEEPER_PID=$!
  for _ in $(seq 150); do
    if comm -13 <(echo "$before") <(xdotool search --name 'Wine desktop' 2>/dev/null | sort || true) | grep -q .; then
      return 0
    fi
    sleep 0.1
  done
  fail "the fresh prefix's virtual desktop did not appear"
  return 1
}
