#!/usr/bin/env bash
# Usage: demo/screenshots/standin-screenshot.sh BUILD_DIR OUT.png
# Photographs the Word stand-in's window while a teacher writes a report: starts the reference
# comment service on loopback, points the add-in at it, registers QuillboxAddIn.dll in a Wine
# prefix of its own and runs `word-standin.exe --window` with a scripted drive (log in through
# the real login dialog, choose a subject, type a pupil's name, press They, type a heading into
# the document, click two comments, go back to the first group and rest the pointer on the
# comment just written: its tick and its supertip, which names the pupil it was written for,
# show in the line below the document). The screen is taken with `import -window root` under Xvfb then. Expects BUILD_DIR/native and BUILD_DIR/windows to be
# built (scripts/demo.sh does that). Everything it starts is stopped again, also on failure.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OUT.png" >&2; exit 2; }
build="$(cd "$1" && pwd)"
out="$(realpath -m "$2")"

# Every Wine command shares one X display: run the whole script inside one Xvfb.
if [ -z "${QUILLBOX_STANDIN_SCREENSHOT_DISPLAY:-}" ]; then
  exec env QUILLBOX_STANDIN_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1024x680x24" bash "$0" "$build" "$out"
fi

work="$build/standin-screenshot"
export WINEPREFIX="$work/wineprefix" WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

service_pid=""
standin_pid=""
cleanup() {
  local status=$?
  [ -n "$standin_pid" ] && kill "$standin_pid" 2>/dev/null && wait "$standin_pid" 2>/dev/null
  [ -n "$service_pid" ] && kill "$service_pid" 2>/dev/null && wait "$service_pid" 2>/dev/null
  wineserver -k >/dev/null 2>&1 || true
  [ "$status" -ne 0 ] && echo "standin screenshot: failed (exit status $status); see $work" >&2
  exit "$status"
}
trap cleanup EXIT
source "$root/scripts/lib/wine.sh"
source "$root/scripts/lib/reference-service.sh"
source "$root/scripts/lib/built-programs.sh"
mkdir -p "$work" "$(dirname "$out")"
rm -f "$work/transcript.txt"

start_reference_service "$service" "$work" || exit 1

bash "$root/scripts/wine-prefix.sh" "$WINEPREFIX"
# Wine's background processes inherit the first command's output: keep them off ours.
wineserver -p >/dev/null 2>&1 </dev/null
wine64 wineboot >/dev/null 2>&1 </dev/null
# Title bars without a window manager, and no wait when a dialog hides.
wine64 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null
wine64 reg add 'HKLM\Software\Slatewood\QuillboxAddIn' /ve /d "$url" /f >/dev/null
wine64 regsvr32 /s "$(windows_path "$library")"

cat >"$work/drive.txt" <<'DRIVE'
# A teacher starts the English report of Sam, who uses they.
pause 1000
answer-login jane.doe@example.com chalk-board
click logIn
select-subject 0
type-name Sam
press they
type-text Sam (English)
new-paragraph
click-comment 0
click-comment 0
select-category 0
hover comment 0
print ready for the photograph
pause 5000
close
DRIVE

wine64 "$standin" --window --script "$(windows_path "$work/drive.txt")" --step-ms 300 </dev/null >"$work/transcript.txt" 2>&1 &
standin_pid=$!
for _ in $(seq 600); do
  grep -q '^ready for the photograph' "$work/transcript.txt" && break
  kill -0 "$standin_pid" 2>/dev/null || { cat "$work/transcript.txt" >&2; exit 1; }
  sleep 0.1
done
grep -q '^ready for the photograph' "$work/transcript.txt" || { echo "the drive did not reach the photograph" >&2; exit 1; }
sleep 1
import -window root "$out"
wait "$standin_pid"
standin_pid=""
echo "screenshot in $out"
sed 's/^/  /' "$work/transcript.txt"
