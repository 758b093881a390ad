#!/usr/bin/env bash
# Usage: delay_load_stubs_test.sh NM LIBRARY DEF...
# Every function that the library delay-loads (the names in the .def files) must reach the
# library with its delay-load stub: the stub's second half is what the function's import slot
# holds until the first call. A linker that drops the stub because the code only calls through
# the slot (as dllimport declarations do) leaves 0 in the slot, and that first call crashes.
# nm shows a kept stub as a code symbol (T), a dropped one as an absolute 0 (A).
set -euo pipefail
nm="$1" library="$2"
shift 2

symbols=$("$nm" "$library")
status=0
checked=0
for def in "$@"; do
  while read -r name; do
    # x86_64: InitCommonControlsEx; i686 (__stdcall): _InitCommonControlsEx@4.
    if grep -qE "^[0-9a-f]+ T _?${name}(@[0-9]+)?$" <<<"$symbols"; then
      checked=$((checked + 1))
    else
      echo "no delay-load stub for $name in $library: $(grep -E " _?${name}(@[0-9]+)?$" <<<"$symbols" || echo 'no symbol')"
      status=1
    fi
  done < <(sed -e '/^LIBRARY /d' -e '/^EXPORTS/d' -e '/^[[:space:]]*$/d' "$def")
done
echo "$checked delay-loaded functions have their stub"
[ "$checked" -gt 0 ] || status=1
exit $status
