#!/usr/bin/env bash
# Usage: scripts/release.sh [BUILD_DIR]
# Builds what ships, in BUILD_DIR (default build/release): the optimised windows build, its
# stripped QuillboxAddIn.dll with the debug information beside it in QuillboxAddIn.dll.debug,
# and QuillboxAddIn.msi. Both are signed when QUILLBOX_SIGN_PFX names a code-signing
# certificate (see scripts/sign.sh); otherwise one line says that nothing was signed.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
jobs="${QUILLBOX_JOBS:-2}"

bash "$root/scripts/setup.sh" >/dev/null || { echo "release: set-up failed" >&2; exit 1; }
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" >/dev/null
# Whether a file is signed depends on the environment, which the build does not track: the
# shipped files are made anew every time.
rm -f "$build/release/QuillboxAddIn.dll" "$build/installer/QuillboxAddIn.msi"
log="$build/release-build.log"
if ! cmake --build "$build" -j"$jobs" --target QuillboxAddIn_release QuillboxAddIn_msi >"$log" 2>&1; then
  tail -n 40 "$log" >&2
  echo "release: the build failed (log: $log)" >&2
  exit 1
fi
grep -E '^release: ' "$log" || true
for file in "$build/release/QuillboxAddIn.dll" "$build/release/QuillboxAddIn.dll.debug" \
            "$build/installer/QuillboxAddIn.msi"; do
  [ -f "$file" ] || { echo "release: $file was not made" >&2; exit 1; }
  echo "release: $file ($(stat -c %s "$file") bytes)"
done
