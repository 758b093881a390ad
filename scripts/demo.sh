#!/usr/bin/env bash
# The main job: installs what is needed, builds QuillboxAddIn.dll and the native suites, and
# shows the add-in at work.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${QUILLBOX_BUILD_DIR:-$root/build}"
jobs="${QUILLBOX_JOBS:-2}"

stage() { echo "== $*"; }

stage "set-up"
bash "$root/scripts/setup.sh"

stage "building the native core, its tests and the reference comment service"
cmake -S "$root" -B "$build/native" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build/native" -j"$jobs"

stage "building QuillboxAddIn.dll"
cmake -S "$root" -B "$build/windows" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64.cmake" -DQUILLBOX_NATIVE_BUILD_DIR="$build/native" >/dev/null
cmake --build "$build/windows" -j"$jobs"

if [ -x "$root/scripts/teacher-session.sh" ]; then
  stage "a teacher's session"
  bash "$root/scripts/teacher-session.sh" "$build"
else
  echo "built: $build/windows/QuillboxAddIn.dll"
fi
