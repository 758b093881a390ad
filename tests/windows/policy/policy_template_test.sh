#!/usr/bin/env bash
# Usage: policy_template_test.sh POLICY_DIR PRINT_SETTINGS_LOCATION_EXE
# Checks the Group Policy template in POLICY_DIR (QuillboxAddIn.admx, en-US/QuillboxAddIn.adml):
# both are well-formed XML, the ADML defines every string and presentation the ADMX refers to,
# each presentation has exactly the controls of its policy's elements, the ADMX's own references
# resolve, and its two computer policies set the key and values which the add-in reads, the
# base URL and the OfflineCopy DWORD (printed by the add-in's own constants through
# PRINT_SETTINGS_LOCATION_EXE under Wine).
set -uo pipefail
admx="$1/QuillboxAddIn.admx"
adml="$1/en-US/QuillboxAddIn.adml"
printer="$2"
export WINEDEBUG=-all
unset http_proxy HTTP_PROXY https_proxy HTTPS_PROXY

passed=0
failed=0
pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }
expect_equal() { if [ "$2" == "$3" ]; then pass; else fail "$1: expected '$2', got '$3'"; fi; }

# xpath FILE EXPR: the string value of EXPR (element names matched by local name).
xpath() { xmllint --xpath "$2" "$1" 2>/dev/null; }
# Each attribute value of FILE matching the reference form PREFIX: "$(PREFIX.NAME)" -> NAME.
references() { xmllint --xpath '//@*' "$1" 2>/dev/null | grep -o "\$($2\.[A-Za-z0-9_.]*)" | sed "s/^\$($2\.//; s/)\$//" | sort -u; }
ids() { xpath "$1" "$2" | grep -o '"[^"]*"' | tr -d '"' | sort -u; }
# node NAME: an XPath step matching elements named NAME in any namespace.
node() { printf "*[local-name()='%s']" "$1"; }

for file in "$admx" "$adml"; do
  if xmllint --noout "$file"; then pass; else fail "$file is not well-formed XML"; fi
done

echo "== the ADML defines what the ADMX refers to"
strings=$(ids "$adml" "//$(node stringTable)/$(node string)/@id")
presentations=$(ids "$adml" "//$(node presentationTable)/$(node presentation)/@id")
# table: what, names referred to, names defined
check_defined() {
  local missing
  missing=$(comm -23 <(echo "$2" | sed '/^$/d') <(echo "$3" | sed '/^$/d'))
  if [ -z "$(echo "$2" | sed '/^$/d')" ]; then fail "$1: the ADMX refers to none"; return; fi
  if [ -z "$missing" ]; then pass; else fail "$1 not defined: $(echo $missing)"; fi
}
check_defined "strings" "$(references "$admx" string)" "$strings"
check_defined "presentations" "$(references "$admx" presentation)" "$presentations"
check_defined "categories" "$(ids "$admx" "//$(node parentCategory)/@ref")" "$(ids "$admx" "//$(node category)/@name")"
check_defined "supported-on definitions" "$(ids "$admx" "//$(node policy)/$(node supportedOn)/@ref")" \
  "$(ids "$admx" "//$(node definition)/@name")"

echo "== each presentation has exactly its policy's controls"
for policy in $(ids "$admx" "//$(node policy)/@name"); do
  at="//$(node policy)[@name='$policy']"
  presentation=$(xpath "$admx" "string($at/@presentation)" | sed 's/^\$(presentation\.//; s/)$//')
  elements=$(ids "$admx" "$at/$(node elements)/*/@id")
  controls=$(ids "$adml" "//$(node presentation)[@id='$presentation']/*/@refId")
  expect_equal "controls of $policy" "$elements" "$controls"
done

echo "== the policy sets the value the add-in reads"
location=$(/usr/lib/wine/wine64 "$printer" </dev/null 2>/dev/null | tr -d '\r')
code_key=$(sed -n 's/^key=//p' <<<"$location")
[ -n "$code_key" ] || fail "no key from $printer: '$location'"
grep -q '^value=' <<<"$location" || fail "no value name from $printer: '$location'"
code_value=$(sed -n 's/^value=//p' <<<"$location")
url="//$(node policy)[@name='ServiceBaseUrl']"
expect_equal "policies" "2" "$(xpath "$admx" "count(//$(node policy))")"
expect_equal "class" "Machine" "$(xpath "$admx" "string($url/@class)")"
expect_equal "key" "$code_key" "$(xpath "$admx" "string($url/@key)")"
# One text element, with no key of its own, naming the value (an empty name: the default value).
expect_equal "text elements" "1" "$(xpath "$admx" "count($url/$(node elements)/$(node text))")"
expect_equal "element keys" "0" "$(xpath "$admx" "count(//$(node policy)//@key[name(..) != 'policy'])")"
expect_equal "value names given" "1" "$(xpath "$admx" "count(//$(node text)[@valueName])")"
expect_equal "value name" "$code_value" "$(xpath "$admx" "string(//$(node text)/@valueName)")"
# The add-in takes the value as it stands: a REG_EXPAND_SZ would not be expanded.
expect_equal "expandable" "" "$(xpath "$admx" "string(//$(node text)/@expandable)")"

echo "== the offline copy policy sets the DWORD the add-in reads: 1 on, 0 off"
offline="//$(node policy)[@name='OfflineCopy']"
code_offline=$(sed -n 's/^offline=//p' <<<"$location")
expect_equal "offline class" "Machine" "$(xpath "$admx" "string($offline/@class)")"
expect_equal "offline key" "$code_key" "$(xpath "$admx" "string($offline/@key)")"
expect_equal "offline value name" "$code_offline" "$(xpath "$admx" "string($offline/@valueName)")"
expect_equal "offline enabled" "1" "$(xpath "$admx" "string($offline/$(node enabledValue)/$(node decimal)/@value)")"
expect_equal "offline disabled" "0" "$(xpath "$admx" "string($offline/$(node disabledValue)/$(node decimal)/@value)")"

echo "policy template: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
