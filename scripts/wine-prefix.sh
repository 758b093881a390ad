#!/usr/bin/env bash
# Usage: scripts/wine-prefix.sh PREFIX_DIR
# Creates a 64-bit Wine prefix for the tests (once) and sets it up so that dialogs show without
# a window manager's delays. Wine's background processes would otherwise keep a caller's pipe
# open, so everything here writes to /dev/null.
set -euo pipefail
prefix="$1"
export WINEPREFIX="$prefix" WINEDEBUG=-all WINEARCH=win64 WINEDLLOVERRIDES="mscoree,mshtml="
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
source "$(dirname "${BASH_SOURCE[0]}")/lib/wine.sh"
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  wine64 wineboot -i >/dev/null 2>&1 </dev/null
  wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 </dev/null
  wineserver -w
fi
