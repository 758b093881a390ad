#!/usr/bin/env bash
# Usage: set_file_version.sh PACKAGE LIBRARY
# Writes LIBRARY's file version and language (FILEVERSION of its version resource, the one Windows Installer
# compares) into the Version column of LIBRARY's row in PACKAGE's File table, so that an
# upgrade replaces the installed file by version and a repair restores it. wixl leaves the
# column empty.
set -euo pipefail
package="$1"
library="$2"
resources=$(x86_64-w64-mingw32-windres -i "$library" -J coff -O rc)
version=$(echo "$resources" |
  sed -n 's/^ *FILEVERSION *\([0-9]*\), *\([0-9]*\), *\([0-9]*\), *\([0-9]*\).*/\1.\2.\3.\4/p' | head -n 1)
[ -n "$version" ] || { echo "set_file_version: no version resource in $library" >&2; exit 1; }
# The language of its first translation, as Windows Installer wants it: a decimal LANGID.
language=$(echo "$resources" | sed -n 's/.*VALUE "Translation", *\(0x[0-9a-fA-F]*\).*/\1/p' | head -n 1)
language=$((${language:-0}))
name=$(basename "$library")
msibuild "$package" -q "UPDATE File SET Version = '$version', Language = '$language' WHERE FileName = '$name'"
rows=$(msiinfo export "$package" File | awk -F'\t' -v n="$name" -v v="$version" '$3 == n && $5 == v' | wc -l)
[ "$rows" -eq 1 ] || { echo "set_file_version: $name not found in the File table of $package" >&2; exit 1; }
