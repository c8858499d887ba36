#!/bin/sh
# Readies the Wine prefix in $WINEPREFIX for this project's programs: made on
# first use, without Mono or Gecko prompts. Then makes sure a Wine server runs,
# started apart from the caller's output: a server that the program started
# itself would hold that output open (and ctest waiting) until it ends.
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  wineboot -i >/dev/null 2>&1
  wineserver -w
fi
wineserver </dev/null >/dev/null 2>&1 || true
