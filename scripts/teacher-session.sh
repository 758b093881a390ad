#!/usr/bin/env bash
# Usage: scripts/teacher-session.sh BUILD_DIR
# Plays a teacher's session against the real add-in: starts the reference comment service on
# loopback with its sample bank, makes a Wine prefix, points the add-in at the service,
# registers QuillboxAddIn.dll with regsvr32 and drives it through the Word stand-in with the
# real dialogs under Xvfb (demo/teacher-session.txt). Prints the report written into the
# document and a summary, and leaves screenshots of the dialogs. Expects BUILD_DIR/native and
# BUILD_DIR/windows to be built (scripts/demo.sh does that).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "$1" && pwd)"

# Every Wine command shares one X display: run the whole session inside one Xvfb.
if [ -z "${QUILLBOX_SESSION_DISPLAY:-}" ]; then
  exec env QUILLBOX_SESSION_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$build"
fi

work="$build/demo"
script="$root/demo/teacher-session.txt"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

stage_name="starting"
service_pid=""
stage() {
  stage_name="$*"
  echo "== $*"
}
cleanup() {
  local status=$?
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  if [ "$status" -ne 0 ]; then
    echo "teacher session: the stage \"$stage_name\" failed (exit status $status); files are in $work" >&2
  fi
}
trap cleanup EXIT
source "$root/scripts/lib/reference-service.sh"
source "$root/scripts/lib/built-programs.sh"
rm -rf "$work/screenshots"
mkdir -p "$work/screenshots"

stage "starting the reference comment service"
start_reference_service "$service" "$work" || exit 1
echo "service at $url"

stage "making the Wine prefix"
bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
wineserver -p >/dev/null 2>&1 </dev/null
wine wineboot >/dev/null 2>&1 </dev/null

stage "pointing the add-in at the service"
wine reg add 'HKLM\Software\Slatewood\QuillboxAddIn' /ve /d "$url" /f >/dev/null

stage "registering QuillboxAddIn.dll"
wine regsvr32 /s "$(winpath "$library")"

stage "a teacher's session in the Word stand-in"
started=$(date +%s%N)
wine "$standin" --script "$(winpath "$script")" </dev/null >"$work/transcript.txt"
elapsed_ms=$(( ($(date +%s%N) - started) / 1000000 ))
sed -n '1,/^== report$/p' "$work/transcript.txt" | sed '$d'

stage "the report written into the document"
sed -n '/^== report$/,$p' "$work/transcript.txt" | sed '1d'

stage "photographing what the teacher sees"
wineserver -k >/dev/null 2>&1 || true
# Screenshots are a by-product: a failure here is reported but does not fail the session.
bash "$root/scripts/standin-screenshot.sh" "$build" "$work/screenshots/standin-window.png" \
  >"$work/screenshots.log" 2>&1 || echo "no window screenshot (see $work/screenshots.log)"
bash "$root/tests/windows/ui/take-screenshots.sh" "$build/windows" "$work/screenshots" \
  >>"$work/screenshots.log" 2>&1 || echo "no dialog screenshots (see $work/screenshots.log)"
echo "screenshots in $work/screenshots: $(cd "$work/screenshots" && ls | tr '\n' ' ')"

requests=$(grep -c '^GET ' "$work/requests.log" || true)
comments=$(grep -c '^click-comment' "$script" || true)
echo
echo "summary: $requests requests sent, $comments comments inserted, session took $elapsed_ms ms"
