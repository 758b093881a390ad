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
# The user's Internet settings with no proxy of any kind, automatic detection included, in the
# binary form Windows stores them in. Without the value Wine reports automatic detection as
# switched on (Windows' own default for a new user), and the
# add-in, which follows these settings, would search the network for a proxy script (WPAD)
# in every test. Tests that set a proxy write this value and put it back afterwards.
if ! grep -q '"DefaultConnectionSettings"' "$prefix/user.reg" 2>/dev/null; then
  /usr/lib/wine/wine64 reg add \
    'HKCU\Software\Microsoft\Windows\CurrentVersion\Internet Settings\Connections' \
    /v DefaultConnectionSettings /t REG_BINARY /d 460000000000000001000000000000000000000000000000 /f \
    >/dev/null 2>&1 </dev/null
  wineserver -w
fi
