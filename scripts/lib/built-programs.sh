# The programs a scripted session drives, from a build tree made by scripts/demo.sh (sourced,
# not run). Expects build; sets service, standin and library, and exits when one is missing.

# The 64-bit library's tree, or with QUILLBOX_WINDOWS_BITS=32 the 32-bit one's (windows-x86).
if [ "${QUILLBOX_WINDOWS_BITS:-64}" = 32 ]; then windows_tree=windows-x86; else windows_tree=windows; fi
service="$build/native/reference-service/quillbox-reference-service"
standin="$build/$windows_tree/word-standin/word-standin.exe"
library="$build/$windows_tree/QuillboxAddIn.dll"
for file in "$service" "$standin" "$library"; do
  [ -f "$file" ] || { echo "missing $file: build first (scripts/demo.sh)" >&2; exit 1; }
done
