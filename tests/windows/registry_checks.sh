# Registry listings and pass/fail counting for the registration and installer tests (sourced,
# not run).
# A listing is what "reg query KEY /s" (run with wine_addin) shows, flattened to one sorted
# line per key and per value: "KEY" and "KEY\[name] TYPE data" ("@" for the default value),
# or "(missing)". Keys are spelled as reg prints them: HKEY_LOCAL_MACHINE\...

passed=0
failed=0

pass() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAILED: $*"; }

quiet_wine() { wine_addin "$@" </dev/null >/dev/null 2>&1; }

# listing KEY [VIEW]: VIEW is 32 or 64 for /reg:32 or /reg:64.
listing() {
  local key="$1" view="${2:-}" out status
  local args=(reg query "$key" /s)
  [ -n "$view" ] && args+=("/reg:$view")
  out=$(wine_addin "${args[@]}" </dev/null 2>/dev/null | tr -d '\r')
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    echo "(missing)"
    return
  fi
  # reg leaves out the heading of a key without values, so the key itself is added.
  { echo "$key"; awk '
    /^$/ { next }
    /^HKEY_/ { key = $0; print key; next }
    /^    / {
      line = substr($0, 5)
      n = split(line, part, /    /)
      name = part[1]; type = part[2]; data = ""
      for (i = 3; i <= n; i++) data = data (i > 3 ? "    " : "") part[i]
      if (name == "(Default)") name = "@"; else name = "[" name "]"
      print key "\\" name " " type (data == "" ? "" : " " data)
    }' <<<"$out"; } | LC_ALL=C sort -u
}

# expect_listing WHAT KEY < expected lines
expect_listing() {
  local what="$1" key="$2" expected actual
  expected=$(LC_ALL=C sort)
  actual=$(listing "$key")
  if [ "$actual" == "$expected" ]; then
    pass
  else
    fail "$what: $key"
    diff <(echo "$expected") <(echo "$actual") | sed 's/^/    /'
  fi
}

expect_missing() {
  local what="$1" key
  shift
  for key in "$@"; do
    if [ "$(listing "$key")" == "(missing)" ]; then pass; else fail "$what: $key should not exist"; fi
  done
}

# expect_equal WHAT EXPECTED ACTUAL
expect_equal() {
  if [ "$2" == "$3" ]; then
    pass
  else
    fail "$1: expected '$2', got '$3'"
  fi
}

# expect_status WHAT ok|fail COMMAND...: runs a Wine command and checks its exit status.
expect_status() {
  local what="$1" expected="$2"
  shift 2
  quiet_wine "$@"
  local status=$?
  if { [ "$expected" == ok ] && [ "$status" -eq 0 ]; } || { [ "$expected" == fail ] && [ "$status" -ne 0 ]; }; then
    pass
  else
    fail "$what: '$*' exited $status"
  fi
}

# default_value KEY: the data of KEY's default value, or "(missing)". KEY is spelled as reg
# prints it (HKEY_LOCAL_MACHINE\...).
default_value() {
  local line
  # Through the environment: awk -v would take the backslashes of the key as escapes.
  line=$(listing "$1" | prefix="$1\\@ " awk 'index($0, ENVIRON["prefix"]) == 1 {
    print substr($0, length(ENVIRON["prefix"]) + 1); exit }')
  if [ -z "$line" ]; then
    echo "(missing)"
  elif [ "${line#* }" == "$line" ]; then
    echo ""
  else
    echo "${line#* }"
  fi
}
