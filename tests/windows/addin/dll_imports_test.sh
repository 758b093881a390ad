#!/usr/bin/env bash
# Usage: dll_imports_test.sh OBJDUMP LIBRARY WINE_SYSTEM_DIR
# The library must load on a bare Windows: every DLL it imports must be one that Windows
# itself provides (checked against Wine's copies of the system DLLs), and none may be a part of
# the mingw runtime.
set -euo pipefail
objdump="$1" library="$2" system_dir="$3"

mapfile -t imports < <("$objdump" -p "$library" | sed -n 's/^[[:space:]]*DLL Name: //p')
if [ "${#imports[@]}" -eq 0 ]; then
  echo "no imports found in $library" >&2
  exit 1
fi

status=0
for name in "${imports[@]}"; do
  lower="${name,,}"
  case "$lower" in
    libstdc++*|libgcc*|libwinpthread*|libssp*|libjsoncpp*)
      echo "imports the mingw runtime: $name"; status=1; continue ;;
  esac
  if [ ! -e "$system_dir/$lower" ]; then
    echo "imports a DLL that is not a Windows system DLL: $name"; status=1; continue
  fi
  echo "ok: $name"
done
exit $status
