#!/usr/bin/env bash
# Kivo's two entry points on a Debian machine:
#   ./kivo.sh run    build Kivo and start it under Wine with the sample data folder
#   ./kivo.sh test   build Kivo and run every test under Wine
# Both install what they need (apt-get) first.
# Besides: ./kivo.sh bench [runs] [find | opening] times Kivo against a bare Win32 window (bench/).
# ./kivo.sh package builds the release zip (package/) and says where it is.
# ./kivo.sh fuzz [seconds] fuzzes the file code, item fields and command line natively (tests/fuzz/).
set -euo pipefail

ROOT=$(cd "$(dirname "$0")" && pwd)
BUILD="${KIVO_BUILD_DIR:-$ROOT/build}"  # another folder lets several builds run side by side
PACKAGES=(cmake make g++-mingw-w64-x86-64-posix wine64 wine googletest xvfb xdotool x11-utils imagemagick locales
          python3-xlib  # python3-xlib: the drag source that drops files in the end-to-end tests
          fp-utils      # fp-utils: chmcmd compiles the help files
          zip unzip     # the release package, and its test that unzips it
          clang libclang-rt-14-dev)  # the fuzz targets: clang's libFuzzer and sanitizers

install_packages() {
  local missing=()
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null
}

# Arguments go to the build step, for example --target to build less than all.
build() {
  cmake -S "$ROOT" -B "$BUILD" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64.cmake" -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build "$BUILD" -j"$(nproc)" "$@"
}

# The Wine prefix lives in the build folder; made once, then reused.
export WINEPREFIX="$BUILD/wineprefix" WINEDEBUG=-all WINEARCH=win64
export WINEDLLOVERRIDES="winemenubuilder.exe=d"

# Bump when the prefix set-up below changes, so that old prefixes are made anew.
PREFIX_VERSION=2

make_prefix() {
  mkdir -p "$BUILD/drives/removable" "$BUILD/drives/cdrom" "$BUILD/drives/fixed"
  [ "$(cat "$WINEPREFIX/.kivo-ready" 2>/dev/null)" = "$PREFIX_VERSION" ] && return 0
  echo "Creating the Wine prefix (once)..."
  rm -rf "$WINEPREFIX"
  wineboot -i </dev/null >/dev/null 2>&1
  cp /usr/share/wine/fonts/*.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d kivo /f </dev/null >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v kivo /d 1024x700 /f </dev/null >/dev/null 2>&1
  # Test drives: E: removable (a USB stick), F: CD-ROM (write-protected), G: fixed.
  ln -sfn "$BUILD/drives/removable" "$WINEPREFIX/dosdevices/e:"
  ln -sfn "$BUILD/drives/cdrom" "$WINEPREFIX/dosdevices/f:"
  ln -sfn "$BUILD/drives/fixed" "$WINEPREFIX/dosdevices/g:"
  wine reg add 'HKLM\Software\Wine\Drives' /v e: /d floppy /f </dev/null >/dev/null 2>&1
  wine reg add 'HKLM\Software\Wine\Drives' /v f: /d cdrom /f </dev/null >/dev/null 2>&1
  wine reg add 'HKLM\Software\Wine\Drives' /v g: /d hd /f </dev/null >/dev/null 2>&1
  wineserver -k || true
  wineserver -w || true
  # Shell folders that point into the Linux home would let tests write there.
  for l in "$WINEPREFIX"/drive_c/users/*/{Desktop,Documents,Downloads,Music,Pictures,Videos}; do
    if [ -L "$l" ]; then rm "$l" && mkdir "$l"; fi
  done
  echo "$PREFIX_VERSION" >"$WINEPREFIX/.kivo-ready"
}

# A German locale for the language tests, built into the build folder (the
# system's locales stay untouched).
make_locales() {
  export KIVO_LOCPATH="$BUILD/locale"
  [ -d "$KIVO_LOCPATH/de_DE.UTF-8" ] && return 0
  mkdir -p "$KIVO_LOCPATH"
  localedef -i de_DE -f UTF-8 "$KIVO_LOCPATH/de_DE.UTF-8" >/dev/null 2>&1 || true
}

XVFB_PIDS=()
start_display() {
  local n=90
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PIDS+=($!)
  export DISPLAY=":$n"
  for _ in $(seq 50); do xdpyinfo >/dev/null 2>&1 && return 0; sleep 0.1; done
  echo "Xvfb did not start" >&2
  return 1
}

# The test lanes: each a display, a Wine prefix and a server of its own, so
# that CTest runs one script a lane side by side (tests/CMakeLists.txt, lib.sh).
# Lane 0 is the prefix above; the others are copies of it made once.
TEST_LANES=${KIVO_TEST_LANES:-2}
LANE_PREFIXES=()

lane_prefix() {
  local lane=$1 prefix="$BUILD/wineprefix-lane$1" drive
  [ "$lane" = 0 ] && { echo "$WINEPREFIX"; return; }
  if [ "$(cat "$prefix/.kivo-ready" 2>/dev/null)" != "$PREFIX_VERSION" ] ||
    [ "$WINEPREFIX/.kivo-ready" -nt "$prefix/.kivo-ready" ]; then
    rm -rf "$prefix"
    cp -a "$WINEPREFIX" "$prefix"
  fi
  # Test drives of the lane's own, the same as lane 0's.
  for drive in removable:e cdrom:f fixed:g; do
    mkdir -p "$BUILD/drives-lane$lane/${drive%%:*}"
    ln -sfn "$BUILD/drives-lane$lane/${drive%%:*}" "$prefix/dosdevices/${drive#*:}:"
  done
  echo "$prefix"
}

# Starts every lane's display and warm Wine server, tells the tests where they
# are (KIVO_LANE<n>_DISPLAY, KIVO_LANE<n>_PREFIX; lane 0's are the defaults
# too) and writes CTest's file of the lanes.
start_lanes() {
  local lane prefix ids="" first_display=""
  for lane in $(seq 0 $((TEST_LANES - 1))); do
    prefix=$(lane_prefix "$lane")
    LANE_PREFIXES+=("$prefix")
    export WINEPREFIX="$prefix"
    start_display || return 1
    start_wine || return 1
    export "KIVO_LANE${lane}_DISPLAY=$DISPLAY" "KIVO_LANE${lane}_PREFIX=$prefix"
    [ -n "$first_display" ] || first_display=$DISPLAY
    ids="$ids${ids:+,}{\"id\":\"$lane\",\"slots\":1}"
  done
  export WINEPREFIX="${LANE_PREFIXES[0]}" DISPLAY="$first_display"
  printf '{"version":{"major":1,"minor":0},"local":[{"lane":[%s]}]}\n' "$ids" >"$BUILD/test-lanes.json"
}

stop_all() {
  local prefix
  for prefix in "${LANE_PREFIXES[@]}" "$WINEPREFIX"; do
    WINEPREFIX="$prefix" wineserver -k 2>/dev/null || true
    WINEPREFIX="$prefix" wineserver -w 2>/dev/null || true
  done
  for pid in "${XVFB_PIDS[@]}"; do kill "$pid" 2>/dev/null || true; done
}

# One warm wineserver for the whole run keeps every test start fast.
start_wine() {
  # A server left from an earlier run may still be shutting down: wait it out.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wineserver -p </dev/null >/dev/null 2>&1 || true
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # Wine's virtual desktop closes a second after its last window: hold it open,
  # and let it come up before any test program needs the display.
  wine "$BUILD/tests/desktop_keeper.exe" </dev/null >/dev/null 2>&1 &
  for _ in $(seq 100); do
    xdotool search --name 'Wine desktop' >/dev/null 2>&1 && return 0
    sleep 0.1
  done
  echo "Wine's virtual desktop did not appear" >&2
  return 1
}

# The fuzz targets are native Linux programs: their build has a folder of its own.
NATIVE_BUILD="${KIVO_NATIVE_BUILD_DIR:-$ROOT/build-native}"
FUZZ_TARGETS=(category_file settings language_file text_encoding redirect_file url_file item_fields command_line
              find_learning find_matching)

# Seeds of a target besides its own in tests/fuzz/seeds: the project's sample files.
fuzz_sample_folders() {
  case "$1" in
    category_file | settings) echo "$ROOT/examples/data $ROOT/tests/data/regressions" ;;
    language_file) echo "$ROOT/res/Languages" ;;
    text_encoding) echo "$ROOT/examples/data $ROOT/tests/data/regressions $ROOT/res/Languages" ;;
  esac
}

# The longest input of a target: libFuzzer stops at 4 KB unless told (when the
# seeds are small), and files are far larger. A Windows command line holds at
# most 32767 UTF-16 units, and an item's fields fit into that as well.
fuzz_max_len() {
  case "$1" in
    item_fields | command_line) echo 65536 ;;
    find_matching) echo 600 ;;  # a caption as a row shows it, and what is typed
    *) echo 1048576 ;;
  esac
}

# Replays the inputs that once found a fault, then fuzzes every target for the
# given seconds, one after the other on one core, and prints what each ran.
# Non-zero on any fault; the input that found it stays in $NATIVE_BUILD/artifacts.
run_fuzz() {
  local seconds=$1 failed=0 total=0
  cmake -S "$ROOT/tests/fuzz" -B "$NATIVE_BUILD" -DCMAKE_CXX_COMPILER=clang++ >/dev/null || return 1
  cmake --build "$NATIVE_BUILD" -j"$(nproc)" >/dev/null || return 1
  printf '%-14s %10s %8s %6s  %s\n' target inputs exec/s s result
  for t in "${FUZZ_TARGETS[@]}"; do
    local exe="$NATIVE_BUILD/fuzz_$t" corpus="$NATIVE_BUILD/corpus/$t" logs="$NATIVE_BUILD/logs"
    local artifacts="$NATIVE_BUILD/artifacts/$t" kept="$ROOT/tests/fuzz/regressions/$t" result=ok
    mkdir -p "$corpus" "$logs" "$artifacts"
    local regressions=("$kept"/*) seeds=("$ROOT/tests/fuzz/seeds/$t")
    if [ -e "${regressions[0]}" ]; then
      seeds+=("$kept")
      if ! "$exe" -timeout=10 "${regressions[@]}" >"$logs/$t-regressions.log" 2>&1; then
        result="a kept input fails again: $logs/$t-regressions.log"
        failed=1
      fi
    fi
    # -malloc_limit_mb and -rss_limit_mb catch growth, -timeout a hang.
    # shellcheck disable=SC2046  # the sample folders are separate arguments
    if ! "$exe" -max_total_time="$seconds" -max_len="$(fuzz_max_len "$t")" -timeout=10 -rss_limit_mb=2048 -malloc_limit_mb=512 -print_final_stats=1 \
      -artifact_prefix="$artifacts/" "$corpus" "${seeds[@]}" $(fuzz_sample_folders "$t") \
      >"$logs/$t.log" 2>&1; then
      result="FAULT: $logs/$t.log; keep the input from $artifacts in $kept"
      failed=1
    fi
    local inputs rate
    inputs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$logs/$t.log" | tail -1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$logs/$t.log" | tail -1)
    printf '%-14s %10s %8s %6s  %s\n' "$t" "${inputs:-?}" "${rate:-?}" "$seconds" "$result"
    total=$((total + ${inputs:-0}))
  done
  printf '%-14s %10s\n' total "$total"
  return "$failed"
}

cmd_test() {
  install_packages
  build
  make_prefix
  trap stop_all EXIT
  start_lanes
  make_locales
  local started=$SECONDS status=0 fuzz_pid="" fuzz_log="$BUILD/fuzz-run.log"
  # The fuzzing, native and on one core, goes on beside the tests, which spend
  # much of their time waiting on Wine; a chosen part of the tests (ctest
  # arguments) goes without it.
  if [ $# -eq 0 ]; then
    run_fuzz 10 >"$fuzz_log" 2>&1 &
    fuzz_pid=$!
  fi
  (cd "$BUILD" && ctest --output-on-failure --timeout 120 -j "$TEST_LANES" \
    --resource-spec-file "$BUILD/test-lanes.json" "$@") || status=$?
  echo "Test suite took $((SECONDS - started)) s."
  if [ -n "$fuzz_pid" ]; then
    wait "$fuzz_pid" || status=1
    cat "$fuzz_log"
    echo "Tests and fuzzing took $((SECONDS - started)) s."
  fi
  return "$status"
}

cmd_run() {
  install_packages
  build
  make_prefix
  local data="$BUILD/sample-data"
  # The program writes its settings into the data folder: keep the checkout clean.
  [ -d "$data" ] || cp -r "$ROOT/examples/data" "$data"
  cd "$data"
  if [ -n "${DISPLAY:-}" ]; then
    wine "$BUILD/kivo.exe" "$@"
    return
  fi
  # No display: run on a virtual one, show what Kivo looks like, then end it.
  trap stop_all EXIT
  start_display
  # A Wine server still running for this prefix would keep its own display.
  wineserver -k 2>/dev/null || true
  wineserver -w 2>/dev/null || true
  wine "$BUILD/kivo.exe" "$@" </dev/null >/dev/null 2>&1 &
  local shot="$BUILD/kivo-run.png"
  sleep 1
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name '^Kivo ' >/dev/null 2>&1 && break
    sleep 0.1
  done
  sleep 1
  import -window root -crop 1024x700+0+0 +repage "$shot"
  echo "No display was set: Kivo ran on a virtual display; screenshot: $shot"
}

# Runs the benchmarks (median of [runs] runs a figure, 7 when not given; with
# "find", the Find figures alone; with "opening", Find's opening alone) and prints their table, kept in
# $BUILD/bench-table.txt as well.
cmd_bench() {
  install_packages
  # The tests are not needed here; the desktop keeper is.
  build --target kivo bench_runner bare_launcher desktop_keeper
  make_prefix
  trap stop_all EXIT
  start_display
  start_wine
  local work="$BUILD/bench-work" table="$BUILD/bench-table.txt" started=$SECONDS
  mkdir -p "$work"
  # Wine's console ends lines with CR LF; its warning about Z: is noise.
  # KIVO_BENCH_EXE times another kivo.exe (an earlier build, say) against the same bare window.
  wine "$BUILD/bench/bench_runner.exe" "$(winepath -w "${KIVO_BENCH_EXE:-$BUILD/kivo.exe}")" "$(winepath -w "$work")" "$@" </dev/null \
    2> >(grep -v --line-buffered 'Read access denied for device' >&2) | tr -d '\r' | tee "$table"
  echo "The benchmark took $((SECONDS - started)) s; the table is in $table."
}

# Builds the release zip, named after the version, into the build folder.
cmd_package() {
  install_packages
  build --target package_zip
  local zip
  zip=$(sed -n 's/^KIVO_PACKAGE_ZIP:INTERNAL=//p' "$BUILD/CMakeCache.txt")
  if [ -z "$zip" ] || [ ! -f "$zip" ]; then
    echo "No release package was made (see the build output above)." >&2
    return 1
  fi
  echo "The release package: $zip, $(stat -c %s "$zip") bytes."
}

# Fuzzes each target for [seconds] (300 when not given); see run_fuzz.
cmd_fuzz() {
  install_packages
  local started=$SECONDS status=0
  run_fuzz "${1:-300}" || status=$?
  echo "Fuzzing took $((SECONDS - started)) s."
  return "$status"
}

case "${1:-}" in
  test) shift; cmd_test "$@" ;;
  run) shift; cmd_run "$@" ;;
  bench) shift; cmd_bench "$@" ;;
  package) shift; cmd_package ;;
  fuzz) shift; cmd_fuzz "$@" ;;
  *) echo "usage: ./kivo.sh test | run | bench [runs] [find | opening] | package | fuzz [seconds]" >&2; exit 2 ;;
esac
