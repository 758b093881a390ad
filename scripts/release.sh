#!/usr/bin/env bash
# Usage: scripts/release.sh [BUILD_DIR]
# Builds what ships, for both bitnesses of Word, in BUILD_DIR (default build/release):
#   x64/  the optimised 64-bit windows build: release/QuillboxAddIn.dll (stripped, its debug
#         information beside it in QuillboxAddIn.dll.debug) and installer/QuillboxAddIn.msi
#   x86/  the same for 32-bit Word: release/QuillboxAddIn.dll and installer/QuillboxAddIn-x86.msi
# Every library and package is signed when QUILLBOX_SIGN_PFX names a code-signing certificate
# (see scripts/sign.sh), each library before it goes into its package; otherwise one line says
# that nothing was signed. Then each is checked: present, signed when signing was asked for,
# and each package holding exactly the library made beside it.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build/release}"
jobs="${QUILLBOX_JOBS:-2}"

bash "$root/scripts/setup.sh" >/dev/null || { echo "release: set-up failed" >&2; exit 1; }

# check_signed FILE: when signing was asked for, the file carries a signature.
check_signed() {
  [ -n "${QUILLBOX_SIGN_PFX:-}" ] || return 0
  local signature="$1.signature"
  if ! osslsigncode extract-signature -in "$1" -out "$signature" >/dev/null 2>&1; then
    rm -f "$signature"
    echo "release: $1 is not signed" >&2
    exit 1
  fi
  rm -f "$signature"
}

# check_packaged PACKAGE LIBRARY: the package holds the library byte for byte (signed first).
check_packaged() {
  local unpacked
  unpacked=$(mktemp -d)
  msiextract -C "$unpacked" "$1" >/dev/null
  local packaged
  packaged=$(find "$unpacked" -name QuillboxAddIn.dll -type f | head -n 1)
  if [ -z "$packaged" ] || ! cmp -s "$packaged" "$2"; then
    rm -rf "$unpacked"
    echo "release: $1 does not hold $2" >&2
    exit 1
  fi
  rm -rf "$unpacked"
}

# release ARCH TOOLCHAIN PACKAGE_NAME
release() {
  local arch="$1" toolchain="$2" package_name="$3"
  local dir="$build/$arch"
  cmake -S "$root" -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/$toolchain" >/dev/null
  local library="$dir/release/QuillboxAddIn.dll" package="$dir/installer/$package_name"
  # Whether a file is signed depends on the environment, which the build does not track: the
  # shipped files are made anew every time.
  rm -f "$library" "$package"
  local log="$dir/release-build.log"
  if ! cmake --build "$dir" -j"$jobs" --target QuillboxAddIn_release QuillboxAddIn_msi >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "release: the $arch build failed (log: $log)" >&2
    exit 1
  fi
  grep -E '^release: ' "$log" | sed "s/^release: /release: $arch: /" || true
  for file in "$library" "$library.debug" "$package"; do
    [ -f "$file" ] || { echo "release: $file was not made" >&2; exit 1; }
  done
  check_signed "$library"
  check_signed "$package"
  check_packaged "$package" "$library"
  for file in "$library" "$library.debug" "$package"; do
    echo "release: $file ($(stat -c %s "$file") bytes)"
  done
}

release x64 mingw-w64.cmake QuillboxAddIn.msi
release x86 mingw-w64-i686.cmake QuillboxAddIn-x86.msi
