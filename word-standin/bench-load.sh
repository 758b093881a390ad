#!/usr/bin/env bash
# Usage: word-standin/bench-load.sh WINDOWS_BUILD_DIR [RUNS]
# How long the add-in takes to start in the stand-in Word under Wine: from loading
# QuillboxAddIn.dll (LoadLibrary, DllGetClassObject, CreateInstance) through OnConnection and
# GetCustomUI to the end of the RibbonLoaded callback. Each run is a fresh process, so every
# figure includes loading the library and its type library. Prints each run and the median.
set -euo pipefail
build="$(cd "$1" && pwd)"
runs="${2:-15}"
standin="$build/word-standin/word-standin.exe"
library="$build/QuillboxAddIn.dll"
export WINEPREFIX="${WINEPREFIX:-$build/wineprefix}" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

[ -x "$standin" ] && [ -f "$library" ] || { echo "build word-standin and QuillboxAddIn first" >&2; exit 1; }
bash "$(dirname "${BASH_SOURCE[0]}")/../scripts/wine-prefix.sh" "$WINEPREFIX"
# One wineserver for all runs, detached from our output.
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot >/dev/null 2>&1 </dev/null
# The library must be registered for the callbacks' type library.
wine regsvr32 /s "Z:${library//\//\\}"

figures=()
for _ in $(seq "$runs"); do
  line=$(wine "$standin" --dll "Z:${library//\//\\}" --timing </dev/null | grep '^load-to-ribbon-loaded-ms ')
  figures+=("${line##* }")
done
wineserver -k >/dev/null 2>&1 || true

for i in "${!figures[@]}"; do printf 'run %2d: %8.3f ms\n' $((i + 1)) "${figures[$i]}"; done
printf '%s\n' "${figures[@]}" | sort -n | awk '
  { value[NR] = $1 }
  END { median = (NR % 2) ? value[(NR + 1) / 2] : (value[NR / 2] + value[NR / 2 + 1]) / 2;
        printf "load to end of RibbonLoaded: median %.3f ms, min %.3f ms, max %.3f ms over %d runs\n",
               median, value[1], value[NR], NR }'
