#!/usr/bin/env bash
# Usage: release_dll_test.sh BUILD_DLL RELEASE_DLL
# The release form of the library: the same code and resources as the build's library, no
# debug information of its own, and a debug link through which binutils resolve a crash address
# (image base + RVA) to its function and source file, as long as the .debug file beside it is
# the one it was made with.
set -uo pipefail
build_dll="$1"
release_dll="$2"
objdump=x86_64-w64-mingw32-objdump
addr2line=x86_64-w64-mingw32-addr2line

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }
expect_equal() { if [ "$2" == "$3" ]; then pass; else fail "$1: expected '$2', got '$3'"; fi; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

sections() { "$objdump" -h "$1" | awk '$1 ~ /^[0-9]+$/ { print $2, $3 }'; }
size_of() { sections "$1" | awk -v s="$2" '$1 == s { print $2 }'; }

echo "== stripped, with the same code and resources"
debug_sections=$(sections "$release_dll" | awk '$1 ~ /^\.debug/' | wc -l)
expect_equal "debug sections in the release library" "0" "$debug_sections"
for section in .text .rdata .data .rsrc .reloc .edata; do
  expect_equal "size of $section" "$(size_of "$build_dll" "$section")" "$(size_of "$release_dll" "$section")"
done
# The link: the debug file's name, then its CRC-32.
x86_64-w64-mingw32-objcopy --dump-section .gnu_debuglink="$work/link" "$release_dll" "$work/copy.dll"
expect_equal "debug link" "$(basename "$release_dll").debug" "$(tr '\0' '\n' <"$work/link" | head -n 1)"

# Each export's address as a crash report would give it, resolved through the link.
image_base=$("$objdump" -p "$release_dll" | awk '$1 == "ImageBase" { print $2 }')
exports=$("$objdump" -p "$release_dll" | awk '
  /Export Address Table -- Ordinal Base/ { table = 1; next }
  table && /Export RVA$/ { rva[n++] = $(NF - 2); next }
  /\[Ordinal\/Name Pointer\] Table/ { names = 1; table = 0; i = 0; next }
  names && /^\t\[/ { print $3, rva[i++] }')
expect_equal "exports" "5" "$(wc -l <<<"$exports")"
# (The 32-bit library's functions are __stdcall, named with their argument bytes, DllInstall@8:
# the name is compared without them.)
resolve() {  # DLL RVA: "FUNCTION FILE" of the address
  "$addr2line" -f -e "$1" "$(printf '0x%x' $((0x$image_base + 0x$2)))" 2>/dev/null | paste -sd' ' |
    sed 's/:[0-9?]*\( (discriminator [0-9]*)\)\{0,1\}$//; s| .*/\([^/]*\)$| \1|; s/^\([^ @]*\)@[0-9]* /\1 /'
}
echo "== crash addresses resolve through the debug link"
while read -r name rva; do
  [ -n "$name" ] || continue
  resolved=$(resolve "$release_dll" "$rva")
  if [[ "$resolved" == "$name dll_"*".cpp" ]]; then pass; else fail "$name at RVA $rva resolved to '$resolved'"; fi
done <<<"$exports"

echo "== a debug file that is not the library's own is refused"
cp "$release_dll" "$release_dll.debug" "$work/"
printf '\x00' | dd of="$work/$(basename "$release_dll").debug" bs=1 seek=4096 conv=notrunc status=none
first=$(head -n 1 <<<"$exports")
resolved=$(resolve "$work/$(basename "$release_dll")" "${first#* }")
if [[ "$resolved" != "${first%% *} "* ]]; then pass; else fail "resolved through a changed debug file: '$resolved'"; fi

echo "release library: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
