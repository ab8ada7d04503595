#!/bin/sh
# Runs a Windows program under Wine without hanging the caller's pipes: the first
# Wine process of a server session starts Wine's services, which would inherit
# (and hold open) our stdout and stderr.
if wineserver -p </dev/null >/dev/null 2>&1; then
  wine cmd /c exit </dev/null >/dev/null 2>&1
fi
exec wine "$@"
