#!/bin/sh
# Runs a Windows program under Wine without hanging the caller's pipes: the first
# Wine process of a server session starts Wine's services, which would inherit
# (and hold open) our stdout and stderr.
# Under CTest the program runs in the lane it was given (see ./kivo.sh, start_lanes).
if [ -n "${CTEST_RESOURCE_GROUP_0_LANE:-}" ]; then
  lane=${CTEST_RESOURCE_GROUP_0_LANE#id:}
  lane=${lane%%,*}
  eval "DISPLAY=\${KIVO_LANE${lane}_DISPLAY:-\$DISPLAY} WINEPREFIX=\${KIVO_LANE${lane}_PREFIX:-\$WINEPREFIX}"
  export DISPLAY WINEPREFIX
fi
if wineserver -p </dev/null >/dev/null 2>&1; then
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi
exec wine "$@"
