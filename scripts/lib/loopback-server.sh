# Starting a loopback server and waiting for its "listening on URL" line (sourced, not run).

# start_loopback_server OUTPUT_FILE PROGRAM ARGS...: starts the program in the background with
# its output in OUTPUT_FILE and waits up to 20 s for the first "listening on URL" line. Sets
# server_pid and server_url (for example http://127.0.0.1:41234); returns non-zero, with the
# server's output on stderr, when the server ends or never says where it listens.
start_loopback_server() {
  local output="$1"; shift
  : >"$output"
  "$@" >"$output" 2>&1 </dev/null &
  server_pid=$!
  server_url=""
  for _ in $(seq 200); do
    server_url=$(sed -n 's|^listening on \(https\{0,1\}://[^ ]*\).*|\1|p' "$output" | head -n 1)
    [ -n "$server_url" ] && return 0
    if ! kill -0 "$server_pid" 2>/dev/null; then
      echo "the server ended before it listened: $*" >&2
      cat "$output" >&2
      return 1
    fi
    sleep 0.1
  done
  echo "the server did not say where it listens within 20 s: $*" >&2
  return 1
}
