# The programs a scripted session drives, from a build tree made by scripts/demo.sh (sourced,
# not run). Expects build; sets service, standin and library, and exits when one is missing.

service="$build/native/reference-service/quillbox-reference-service"
standin="$build/windows/word-standin/word-standin.exe"
library="$build/windows/QuillboxAddIn.dll"
for file in "$service" "$standin" "$library"; do
  [ -f "$file" ] || { echo "missing $file: build first (scripts/demo.sh)" >&2; exit 1; }
done
