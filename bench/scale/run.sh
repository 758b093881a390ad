#!/usr/bin/env bash
# Usage: bench/scale/run.sh BUILD_DIR
#        bench/scale/run.sh WINDOWS_BUILD_DIR NATIVE_BUILD_DIR
# The add-in at scale, under Wine: a 10,000-comment bank across 50 subjects (and a small one
# for comparison) served by the reference comment service on loopback; the add-in's cold
# start step by step, its ribbon getters through IDispatch::Invoke with an empty store, the
# small bank and the big one, a login, a comment click with the next group's labels read
# back, and the memory it holds with every subject loaded. Prints the figures and the result
# table. BUILD_DIR holds native/ and windows/ (as scripts/demo.sh builds them); the windows
# build needs the targets QuillboxAddIn, quillbox-scale-bench, quillbox-scale-load,
# quillbox-empty-library and quillbox-scale-bench-checks, the native build quillbox-reference-service (and core_bench,
# whose figures are printed at the end when it is built). The cold start by library measures
# the release library (target QuillboxAddIn_release) and those variant libraries of
# tests/windows/bench-load-variants that are built.
#
# QUILLBOX_WINDOWS_BITS=32 for a 32-bit windows build: its programs run under the 32-bit Wine
# loader (scripts/lib/wine.sh).
# Environment: LOAD_RUNS (cold starts per mode, default 9), SUBJECTS (subjects loaded for the
# memory figure, default 50; each costs the progress dialog's one-second floor).
set -euo pipefail

here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
root="$(cd "$here/../.." && pwd)"
if [ $# -eq 1 ]; then
  windows="$(cd "$1/windows" && pwd)"
  native="$(cd "$1/native" && pwd)"
elif [ $# -eq 2 ]; then
  windows="$(cd "$1" && pwd)"
  native="$(cd "$2" && pwd)"
else
  sed -n '2,3p' "$0" >&2
  exit 2
fi

# Every Wine command shares one X display: the whole run goes inside one Xvfb.
if [ -z "${QUILLBOX_SCALE_DISPLAY:-}" ]; then
  exec env QUILLBOX_SCALE_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$windows" "$native"
fi

work="$windows/bench-scale-run"
bench="$windows/bench/scale/quillbox-scale-bench.exe"
loader="$windows/bench/scale/quillbox-scale-load.exe"
checks="$windows/bench/scale/quillbox-scale-bench-checks.exe"
empty="$windows/bench/scale/quillbox-empty-library.dll"
library="$windows/QuillboxAddIn.dll"
standin="$windows/word-standin/word-standin.exe"
service="$native/reference-service/quillbox-reference-service"
core_bench="$native/bench/core_bench"
load_runs="${LOAD_RUNS:-9}"
subjects="${SUBJECTS:-50}"
export WINEPREFIX="$windows/wineprefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

for file in "$bench" "$loader" "$checks" "$empty" "$library" "$service"; do
  [ -f "$file" ] || { echo "missing $file: build it first" >&2; exit 1; }
done
source "$root/scripts/lib/wine.sh"
source "$root/scripts/lib/loopback-server.sh"

service_pids=()
cleanup() {
  for pid in "${service_pids[@]}"; do { kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null; } || true; done
  wineserver -k >/dev/null 2>&1 || true
}
trap cleanup EXIT

rm -rf "$work"
mkdir -p "$work"

echo "== Wine prefix $WINEPREFIX"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# One wineserver for the whole run, detached from our output.
wineserver -p >/dev/null 2>&1 </dev/null
wine_addin wineboot >/dev/null 2>&1 </dev/null
wine_addin regsvr32 /s "$(windows_path "$library")"

echo "== checks of the benchmark's own arithmetic"
wine_addin "$checks" </dev/null | grep -E '^\[  (PASSED|FAILED) ' || true
wine_addin "$checks" --gtest_brief=1 </dev/null >/dev/null || { echo "the benchmark's checks failed" >&2; exit 1; }

echo "== comment banks"
wine_addin "$bench" bank "$(windows_path "$work/big.json")" big </dev/null | tr -d '\r' >"$work/big.txt"
wine_addin "$bench" bank "$(windows_path "$work/small.json")" small </dev/null | tr -d '\r' >"$work/small.txt"
bank_bytes=$(sed -n 's/^utf16-bytes //p' "$work/big.txt")
echo "big: $(sed -n 's/^comments //p' "$work/big.txt") comments, $bank_bytes bytes of UTF-16 text," \
     "$(stat -c %s "$work/big.json") bytes of JSON; small: $(sed -n 's/^comments //p' "$work/small.txt") comments"

start_service() {  # NAME: starts the reference service with NAME.json; sets server_url
  start_loopback_server "$work/$1-service.out" \
    "$service" --port 0 --db "$work/$1.db" --log "$work/$1-requests.log" --bank "$work/$1.json" || exit 1
  service_pids+=("$server_pid")
}
start_service big
big_url=$server_url
start_service small
small_url=$server_url
echo "services: big at $big_url, small at $small_url"

median_table() {  # FILE...: "phase NAME MS" lines of several runs -> median per phase, in order
  cat "$@" | awk '$1 == "phase" || $1 == "import" {
      key = $1 " " $2; if (!(key in seen)) { seen[key] = 1; order[++n] = key }
      values[key] = values[key] " " $3 }
    END { for (i = 1; i <= n; ++i) {
        count = split(values[order[i]], v, " ")
        for (a = 1; a <= count; ++a) for (b = a + 1; b <= count; ++b) if (v[b] < v[a]) { t = v[a]; v[a] = v[b]; v[b] = t }
        median = (count % 2) ? v[(count + 1) / 2] : (v[count / 2] + v[count / 2 + 1]) / 2
        printf "| %s | %.3f | %.3f | %.3f |\n", order[i], median, v[1], v[count] } }'
}

echo "== cold start, $load_runs fresh processes each (ms: median, min, max)"
wine_addin reg add 'HKLM\Software\Slatewood\QuillboxAddIn' /ve /d "$small_url" /f >/dev/null
for mode in cold preload; do
  for run in $(seq "$load_runs"); do
    flag=""
    [ "$mode" = preload ] && flag="--preload"
    # shellcheck disable=SC2086
    wine_addin "$loader" "$(windows_path "$library")" "$(windows_path "$empty")" $flag </dev/null | tr -d '\r' \
      >"$work/load-$mode-$run.txt"
  done
  echo "-- $mode"
  echo "| Step | Median | Min | Max |"
  echo "|---|---:|---:|---:|"
  median_table "$work"/load-"$mode"-*.txt
done
if [ -f "$standin" ]; then
  for run in $(seq "$load_runs"); do
    wine_addin "$standin" --dll "$(windows_path "$library")" --timing </dev/null | tr -d '\r' |
      sed -n 's/^load-to-ribbon-loaded-ms /phase word-standin--timing /p' >"$work/standin-$run.txt"
  done
  median_table "$work"/standin-*.txt
fi
echo "== cold start by library, $load_runs fresh processes each, taken in turn (ms: median [min-max])"
# The release library (what ships) and the experiments' libraries (tests/windows/bench-load-
# variants) beside the tested build's library, each after the do-nothing library in the same
# process and registered itself; "x empty" is each run's total over that run's do-nothing
# load. map-only: the library only mapped and relocated. sized-empty: a do-nothing library of the release library's size;
# runtime-only: a do-nothing library with the C++ runtime and JsonCpp linked in.
variants_dir="$windows/tests/windows/bench-load-variants"
variants=("build $library" "release $windows/release/QuillboxAddIn.dll"
  "unaligned-release $variants_dir/quillbox-addin-unaligned/quillbox-addin-unaligned.dll"
  "manifest3-release $variants_dir/quillbox-addin-manifest3/quillbox-addin-manifest3.dll")
sized_empties=("sized-empty-512 $variants_dir/quillbox-sized-empty-library-512.dll"
  "sized-empty-4096 $variants_dir/quillbox-sized-empty-library-4096.dll"
  "runtime-only $variants_dir/quillbox-runtime-library.dll")
# measure_load OUTPUT ARGS...: one fresh loader process; a failed one is counted, not fatal.
failed_loads=0
measure_load() {
  local output="$1"; shift
  if ! wine_addin "$loader" "$@" </dev/null 2>/dev/null | tr -d '\r' >"$output"; then
    failed_loads=$((failed_loads + 1))
    echo "  failed: ${output##*/}"
    rm -f "$output"
  fi
}
for run in $(seq "$load_runs"); do
  for variant in "${variants[@]}"; do
    name=${variant%% *}
    file=${variant#* }
    [ -f "$file" ] || continue
    # Registered itself, as an installed library is: the type library is loaded from its
    # registration, and loading it from another file costs more than from the loaded one.
    wine_addin regsvr32 /s "$(windows_path "$file")" </dev/null >/dev/null 2>&1 || echo "  cannot register $name"
    measure_load "$work/variant-$name-$run.txt" "$(windows_path "$file")" "$(windows_path "$empty")"
    measure_load "$work/variant-$name-map-$run.txt" "$(windows_path "$file")" "$(windows_path "$empty")" --map-only
  done
  for variant in "${sized_empties[@]}"; do
    name=${variant%% *}
    file=${variant#* }
    [ -f "$file" ] || continue
    # The sized library in the do-nothing library's place: its load is the "empty-library" phase.
    measure_load "$work/variant-$name-$run.txt" "$(windows_path "$windows/release/QuillboxAddIn.dll")" \
      "$(windows_path "$file")" --map-only
  done
done
wine_addin regsvr32 /s "$(windows_path "$library")" </dev/null >/dev/null 2>&1
variant_row() {  # NAME FILE...: one table row over the runs' files
  local name="$1"; shift
  cat "$@" | awk -v name="$name" '
    function stats(list,   v, n, a, b, t, m) {
      n = split(list, v, " ")
      if (n == 0) return "-"
      for (a = 1; a <= n; ++a) for (b = a + 1; b <= n; ++b) if (v[b] + 0 < v[a] + 0) { t = v[a]; v[a] = v[b]; v[b] = t }
      m = (n % 2) ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2
      return sprintf("%.3f [%.3f-%.3f]", m, v[1], v[n])
    }
    $1 == "phase" && $2 == "empty-library" { empty = $3; emptys = emptys " " $3 }
    $1 == "phase" && $2 == "LoadLibrary" { loads = loads " " $3 }
    $1 == "phase" && $2 == "map-only" { maps = maps " " $3 }
    $1 == "phase" && $2 == "GetIDsOfNames(RibbonLoaded)" { lookups = lookups " " $3 }
    $1 == "phase" && $2 == "total" { totals = totals " " $3; if (empty > 0) ratios = ratios " " $3 / empty }
    $1 == "base" { base = $2 }
    END { printf "| %s | %s | %s | %s | %s | %s | %s | %s |\n", name, stats(emptys), stats(maps), stats(loads),
            stats(lookups), stats(totals), stats(ratios), base }'
}
echo "| Library | Do-nothing library | map-only | LoadLibrary | type library lookup | to end of RibbonLoaded | x empty | mapped at |"
echo "|---|---:|---:|---:|---:|---:|---:|---|"
for variant in "${variants[@]}"; do
  name=${variant%% *}
  file=${variant#* }
  [ -f "$file" ] || continue
  variant_row "$name" "$work"/variant-"$name"-[0-9]*.txt "$work"/variant-"$name"-map-*.txt
  echo "  $name: $(stat -c %s "$file") bytes, preferred image base 0x$(x86_64-w64-mingw32-objdump -p "$file" |
    awk '$1 == "ImageBase" { print $2 }')"
done
for variant in "${sized_empties[@]}"; do
  name=${variant%% *}
  [ -f "${variant#* }" ] && variant_row "$name (in the do-nothing column)" "$work"/variant-"$name"-*.txt
done
echo "failed loads (left out): $failed_loads"
echo "Wine process start and exit (cmd /c exit), for scale:"
for run in $(seq 3); do
  started=$(date +%s%N)
  wine_addin cmd /c exit </dev/null >/dev/null 2>&1
  echo "  $(( ($(date +%s%N) - started) / 1000000 )) ms"
done

echo "== getters, login, click and memory ($subjects subjects loaded)"
load_ms=$(median_table "$work"/load-cold-*.txt | awk -F'|' '$2 ~ /phase total/ { gsub(/ /, "", $3); print $3 }')
empty_ms=$(median_table "$work"/load-cold-*.txt | awk -F'|' '$2 ~ /phase empty-library/ { gsub(/ /, "", $3); print $3 }')
wine_addin "$bench" run "$(windows_path "$library")" "$small_url" "$big_url" teacher@example.org chalk-and-talk \
  "$load_ms" "$empty_ms" "$subjects" </dev/null | tr -d '\r' | tee "$work/run.txt"
echo "requests served: big $(grep -c '^GET ' "$work/big-requests.log" || true)," \
     "small $(grep -c '^GET ' "$work/small-requests.log" || true)"

source "$here/proxy_figures.sh"

if [ -x "$core_bench" ]; then
  echo "== native core benchmark"
  "$core_bench" --benchmark_min_time=0.2 2>&1 | grep -v '^\*\*\*'
fi
