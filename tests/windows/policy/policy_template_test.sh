#!/usr/bin/env bash
# Usage: policy_template_test.sh POLICY_DIR PRINT_SETTINGS_LOCATION_EXE
# Checks the Group Policy template in POLICY_DIR (QuillboxAddIn.admx, en-US/QuillboxAddIn.adml):
# both are well-formed XML, the ADML defines every string and presentation the ADMX refers to,
# each presentation has exactly the controls of its policy's elements, the ADMX's own references
# resolve, and its two policies are computer policies that set the key and value which the
# add-in reads (printed by the add-in's own constants through PRINT_SETTINGS_LOCATION_EXE under
# Wine), one in each registry view, with explain texts that say what each state does; and the OfflineCopy DWORD beside the
# URL in each view, 1 when enabled and 0 when disabled.
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
# One policy for each registry view: the add-in's key, and the same key in the 32-bit view as
# a 64-bit program names it, where 32-bit Word on 64-bit Windows reads it.
wow_key="Software\\WOW6432Node\\${code_key#Software\\}"
expect_equal "policies" "4" "$(xpath "$admx" "count(//$(node policy))")"
for view in "ServiceBaseUrl=$code_key" "ServiceBaseUrl32=$wow_key"; do
  name="${view%%=*}" key="${view#*=}"
  at="//$(node policy)[@name='$name']"
  expect_equal "$name class" "Machine" "$(xpath "$admx" "string($at/@class)")"
  expect_equal "$name key" "$key" "$(xpath "$admx" "string($at/@key)")"
  # One text element, with no key of its own, naming the value (an empty name: the default value).
  expect_equal "$name text elements" "1" "$(xpath "$admx" "count($at/$(node elements)/$(node text))")"
  expect_equal "$name element keys" "0" "$(xpath "$admx" "count($at//@key[name(..) != 'policy'])")"
  expect_equal "$name value names given" "1" "$(xpath "$admx" "count($at//$(node text)[@valueName])")"
  expect_equal "$name value name" "$code_value" "$(xpath "$admx" "string($at//$(node text)/@valueName)")"
  # The add-in takes the value as it stands: a REG_EXPAND_SZ would not be expanded.
  expect_equal "$name expandable" "" "$(xpath "$admx" "string($at//$(node text)/@expandable)")"
  # The explain text says what each state does, and warns of http://.
  explain=$(xpath "$adml" "string(//$(node string)[@id='${name}_Explain'])")
  for said in "Enabled:" "Disabled:" "Not Configured:" "HKEY_CURRENT_USER" "http://"; do
    grep -q -F "$said" <<<"$explain" && pass || fail "$name's explain text does not mention $said"
  done
done

echo "== the offline copy policies set the DWORD the add-in reads: 1 on, 0 off"
code_offline=$(sed -n 's/^offline=//p' <<<"$location")
for view in "OfflineCopy=$code_key" "OfflineCopy32=$wow_key"; do
  name="${view%%=*}" key="${view#*=}"
  at="//$(node policy)[@name='$name']"
  expect_equal "$name class" "Machine" "$(xpath "$admx" "string($at/@class)")"
  expect_equal "$name key" "$key" "$(xpath "$admx" "string($at/@key)")"
  expect_equal "$name value name" "$code_offline" "$(xpath "$admx" "string($at/@valueName)")"
  expect_equal "$name enabled" "1" "$(xpath "$admx" "string($at/$(node enabledValue)/$(node decimal)/@value)")"
  expect_equal "$name disabled" "0" "$(xpath "$admx" "string($at/$(node disabledValue)/$(node decimal)/@value)")"
done

echo "policy template: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
