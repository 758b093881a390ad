#!/usr/bin/env bash
# Usage: side_by_side_test.sh PREFIX_DIR PACKAGE_64 PACKAGE_32
# Both packages on one machine. From their tables: the ProgID rows, which Windows keeps once for
# both registry views, come from one component in each, with the same id and rows, so Windows
# Installer removes them only with the last package (Wine keeps them either way, so only the
# tables can show it). Under Wine: both installed and removed in either order, removing one
# leaves the other's entries in its view as they were.
set -uo pipefail
prefix="$1" package64="$2" package32="$3"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
source "$here/../../../scripts/lib/wine.sh"
source "$here/../registry_checks.sh"
source "$here/prefix_settled.sh"

echo "== the ProgIDs' component in both packages' tables"
table() { msiinfo export "$1" "$2" | tr -d '\r' | tail -n +4; }
# Root, Key, Name, Value and Component of the rows that write a ProgID key.
progid_rows() { table "$1" Registry | awk -F'\t' '$3 ~ /^Software\\Classes\\Quillbox\.AddIn(\.1)?(\\|$)/ { print $2 "\t" $3 "\t" $4 "\t" $5 "\t" $6 }' | LC_ALL=C sort; }
rows64=$(progid_rows "$package64")
expect_equal "ProgID rows" 5 "$(grep -c . <<<"$rows64")"
expect_equal "the same ProgID rows in both packages" "$rows64" "$(progid_rows "$package32")"
component=$(cut -f5 <<<"$rows64" | sort -u)
expect_equal "one component writes them" 1 "$(grep -c . <<<"$component")"
# Component, ComponentId, Directory, Attributes, Condition, KeyPath; 256 is the 64-bit flag.
row64=$(table "$package64" Component | awk -F'\t' -v c="$component" '$1 == c')
row32=$(table "$package32" Component | awk -F'\t' -v c="$component" '$1 == c')
expect_equal "same id and key path" "$(cut -f2,6 <<<"$row64")" "$(cut -f2,6 <<<"$row32")"
expect_equal "bitness of each package's component" "256 0" "$(( $(cut -f4 <<<"$row64") & 256 )) $(( $(cut -f4 <<<"$row32") & 256 ))"
expect_equal "no other component id shared" "$(cut -f2 <<<"$row64")" \
  "$(comm -12 <(table "$package64" Component | cut -f2 | sort) <(table "$package32" Component | cut -f2 | sort))"

echo "== both packages installed, then each removed"
export WINEPREFIX="$prefix" WINEDEBUG=-all
bash "$here/../../../scripts/wine-prefix.sh" "$prefix" || { echo "cannot create the Wine prefix $prefix"; exit 1; }
wineserver -p >/dev/null 2>&1 </dev/null
wine64 wineboot >/dev/null 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 </dev/null' EXIT
classes='HKEY_LOCAL_MACHINE\Software\Classes'
keys=("$classes\\Quillbox.AddIn" "$classes\\Quillbox.AddIn.1" "$classes\\CLSID\\{2DD227D3-A097-4000-B385-2F845556AF4E}"
  'HKEY_LOCAL_MACHINE\Software\Microsoft\Office\Word\Addins\Quillbox.AddIn')
view_listing() { local key; for key in "${keys[@]}"; do listing "$key" "$1"; done; }
# msiexec_as BITS ACTION: Wine's msiexec of that bitness on that bitness's package, to the end.
msiexec_as() {
  local loader="$wine64_loader" package="$package64"
  [ "$1" == 32 ] && loader="$wine32_loader" package="$package32"
  "$loader" msiexec "$2" "$(windows_path "$package")" /qn </dev/null >/dev/null 2>&1 || fail "msiexec $2 ($1-bit) failed"
  wait_for_prefix_settled || fail "msiexec $2 ($1-bit) did not finish"
}
for first in 32 64; do
  second=$((96 - first))
  msiexec_as 64 /i
  msiexec_as 32 /i
  kept=$(view_listing "$second")
  grep -q -F "$classes\\Quillbox.AddIn\\CurVer\\@ REG_SZ Quillbox.AddIn.1" <<<"$kept" || fail "no ProgID in the $second-bit view"
  msiexec_as "$first" /x
  expect_equal "the $second-bit view after removing the $first-bit package" "$kept" "$(view_listing "$second")"
  msiexec_as "$second" /x
  expect_equal "64-bit view after removing both" "$(printf '(missing)\n%.0s' "${keys[@]}")" "$(view_listing 64)"
done
echo "installer side by side: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
