#!/usr/bin/env bash
# Runs every test: the native suites (plain, under AddressSanitizer with UndefinedBehavior-
# Sanitizer, and the core under ThreadSanitizer), then the Windows-side suites under Wine, once
# against the 64-bit library (build/windows, 64-bit loader) and once against the 32-bit one
# (build/windows-x86, 32-bit loader), each tree inside one Xvfb session. Installs and builds
# whatever it needs first.
set -uo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLBOX_BUILD_DIR:-$root/build}"
jobs="${QUILLBOX_JOBS:-2}"

bash "$root/scripts/setup.sh" || { echo "test: set-up failed"; exit 1; }
set -e

total_passed=0
total_failed=0
total_skipped=0
failed_suites=()

# Adds the counts of one ctest log to the totals. ctest's own summary counts a skipped test
# (GTEST_SKIP, or a script's skip status) among those that did not fail; it also lists it
# under "The following tests did not run" marked "(Skipped)", which is what is counted here.
count_ctest_log() {
  local log="$1" status="$2" label="$3"
  local line passed=0 failed=0 total=0 skipped=0
  line=$(grep -E 'tests passed, [0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1 || true)
  if [ -n "$line" ]; then
    failed=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    skipped=$(grep -cE '^[[:space:]]*[0-9]+ - .*\(Skipped\)$' "$log" || true)
    passed=$((total - failed - skipped))
  fi
  # A tree that ended badly without a failed test (a build or start-up fault) is one failure.
  if [ "$status" -ne 0 ] && [ "$failed" -eq 0 ]; then failed=1; fi
  total_passed=$((total_passed + passed))
  total_failed=$((total_failed + failed))
  total_skipped=$((total_skipped + skipped))
  [ "$status" -eq 0 ] || failed_suites+=("$label")
}

# Runs one ctest tree and adds its counts to the totals.
run_ctest() {
  local label="$1" dir="$2"; shift 2
  local log="$build/ctest-$label.log"
  echo "== $label"
  set +e
  ctest --test-dir "$dir" --output-on-failure --timeout 300 "$@" 2>&1 | tee "$log"
  local status=${PIPESTATUS[0]}
  set -e
  count_ctest_log "$log" "$status" "$label"
}

configure_and_build() {
  local dir="$1"; shift
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo "$@" >/dev/null
  cmake --build "$dir" -j"$jobs"
}

echo "== building (native)"
configure_and_build "$build/native"
run_ctest native "$build/native"

echo "== building (native, AddressSanitizer + UndefinedBehaviorSanitizer)"
configure_and_build "$build/native-asan" -DQUILLBOX_SANITIZE=address
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  run_ctest native-asan "$build/native-asan"

echo "== building (native core, ThreadSanitizer)"
cmake -S "$root" -B "$build/native-tsan" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUILLBOX_SANITIZE=thread >/dev/null
cmake --build "$build/native-tsan" -j"$jobs" --target core_tests
TSAN_OPTIONS=halt_on_error=1 run_ctest native-tsan "$build/native-tsan" -L core

echo "== fuzzing (libFuzzer with ASan + UBSan, ${QUILLBOX_FUZZ_SECONDS:-30} s a target)"
fuzz_log="$build/fuzz.log"
set +e
bash "$root/scripts/fuzz.sh" "${QUILLBOX_FUZZ_SECONDS:-30}" 2>&1 | tee "$fuzz_log"
fuzz_status=${PIPESTATUS[0]}
set -e
total_passed=$((total_passed + $(grep -c 'no crash$' "$fuzz_log" || true)))
total_failed=$((total_failed + $(grep -c ': FAILED' "$fuzz_log" || true)))
if [ "$fuzz_status" -ne 0 ]; then
  failed_suites+=(fuzz)
  grep -q ': FAILED' "$fuzz_log" || total_failed=$((total_failed + 1))
fi

echo "== building (windows, 64-bit)"
configure_and_build "$build/windows" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" \
  -DQUILLBOX_NATIVE_BUILD_DIR="$build/native"
echo "== building (windows, 32-bit)"
configure_and_build "$build/windows-x86" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DQUILLBOX_NATIVE_BUILD_DIR="$build/native" -DQUILLBOX_WINDOWS_X64_BUILD_DIR="$build/windows"

unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY
# run_windows_ctest LABEL BUILD_DIR BITS: one windows build's ctest tree in its own Wine prefix,
# in one Xvfb session for every Wine command, with the prefix's wineserver started first and
# its output detached, so that ctest does not wait on Wine's background processes. The 32-bit
# build's programs run under the 32-bit loader (its toolchain's emulator, and wine_addin in the
# test scripts). A Windows test that fails is run once more: now and then Wine fails to start a
# program at all (the test ends at once with no output). The first failure stays in the log,
# and a test that fails twice fails the run.
run_windows_ctest() {
  local label="$1" dir="$2" bits="$3"
  local log="$build/ctest-$label.log" status
  bash "$root/scripts/wine-prefix.sh" "$dir/wineprefix"
  echo "== $label"
  set +e
  WINEPREFIX="$dir/wineprefix" WINEDEBUG=-all QUILLBOX_WINDOWS_BITS="$bits" \
    xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    source "$1/scripts/lib/wine.sh"
    wineserver -p >/dev/null 2>&1 </dev/null
    wine_addin wineboot >/dev/null 2>&1 </dev/null
    ctest --test-dir "$0" --output-on-failure --timeout 300 --repeat until-pass:2
    status=$?
    wineserver -k >/dev/null 2>&1
    exit $status' "$dir" "$root" 2>&1 | tee "$log"
  status=${PIPESTATUS[0]}
  set -e
  count_ctest_log "$log" "$status" "$label"
}
run_windows_ctest windows "$build/windows" 64
run_windows_ctest windows-x86 "$build/windows-x86" 32

echo
[ ${#failed_suites[@]} -eq 0 ] || echo "failing suites: ${failed_suites[*]}"
echo "$total_passed passed, $total_failed failed, $total_skipped skipped"
[ ${#failed_suites[@]} -eq 0 ]
