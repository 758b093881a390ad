#!/usr/bin/env bash
# Usage: registration_prefix.sh start|stop PREFIX_DIR
# The registration tests rewrite HKCR, HKLM and HKCU, so they run in a Wine prefix of their
# own. "start" creates it once and starts its wineserver detached from the caller's output
# (ctest would otherwise wait on Wine's background processes); "stop" ends that wineserver.
set -euo pipefail
action="$1"
prefix="$2"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../../scripts/lib/wine.sh"
export WINEPREFIX="$prefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
case "$action" in
  start)
    bash "$here/../../../scripts/wine-prefix.sh" "$prefix"
    wineserver -p >/dev/null 2>&1 </dev/null || true  # fails when it is already running
    wine_addin wineboot >/dev/null 2>&1 </dev/null
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 </dev/null || true
    ;;
  *)
    echo "usage: $0 start|stop PREFIX_DIR" >&2
    exit 2
    ;;
esac
