#!/usr/bin/env bash
# Usage: loopback_servers.sh start STATE_DIR SERVER_PROGRAM PROXY_PROGRAM
#        loopback_servers.sh stop STATE_DIR
# Starts the test servers that the Windows-side transport tests talk to, all on 127.0.0.1:
#   plain      HTTP, answers /website-with-key/service/loginkey with a login key
#   tls        HTTPS with a self-signed certificate for localhost that the tests trust
#   untrusted  HTTPS with another self-signed certificate for localhost that nobody trusts
#   proxy      a forward proxy that alone knows the name service.proxy-only.test (127.0.0.1)
#   refusing   a forward proxy that answers every request with 407 and a Windows sign-in
#              challenge
# and writes STATE_DIR/servers.txt (ports, log files, certificate, browser capture) for the
# tests to read. The servers keep running after "start" returns; "stop" ends them.
# The plain server also serves two proxy configuration scripts (/pac/proxy.pac sends
# service.proxy-only.test through the proxy and everything else direct, /pac/direct.pac
# sends everything direct) and a subject and a comment-group reply under /via-proxy.
set -euo pipefail

action="${1:?start or stop}"
state="${2:?state directory}"
source "$(dirname "${BASH_SOURCE[0]}")/../../../scripts/lib/loopback-server.sh"

stop_servers() {
  local pidfile pid
  for pidfile in "$state"/*.pid; do
    [ -e "$pidfile" ] || continue
    pid="$(cat "$pidfile")"
    kill "$pid" 2>/dev/null || true
    rm -f "$pidfile"
  done
}

make_certificate() {
  # A self-signed certificate for the name localhost, as the transport checks names. The
  # organisation makes its subject unique, so that a root left over from another run with
  # the same subject cannot stand in for it when the chain is built.
  local name="$1"
  [ -s "$state/$name-cert.pem" ] && return 0
  openssl req -x509 -newkey rsa:2048 -nodes -days 3650 \
    -subj "/CN=localhost/O=Quillbox loopback test $name $(date +%s%N)" \
    -addext subjectAltName=DNS:localhost \
    -keyout "$state/$name-key.pem" -out "$state/$name-cert.pem" >/dev/null 2>&1
}

start_server() {
  # start_server NAME ARGS...: runs the server in the background, detached from this
  # script's output so that whoever reads that output is not kept waiting, and records its
  # port once it listens.
  local name="$1"
  shift
  : >"$state/$name.log"
  local binary="$program"
  if [ "${1:-}" = "--proxy" ]; then binary="$proxy_program"; shift; fi
  if ! start_loopback_server "$state/$name.out" "$binary" --port 0 --log "$state/$name.log" "$@"; then
    echo "loopback_servers: $name did not start" >&2
    [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
    stop_servers
    exit 1
  fi
  echo "$server_pid" >"$state/$name.pid"
  echo "${name}_port=${server_url##*:}" >>"$state/servers.txt.new"
  echo "${name}_log=$state/$name.log" >>"$state/servers.txt.new"
}

case "$action" in
  start)
    program="${3:?server program}"
    proxy_program="${4:?proxy program}"
    for binary in "$program" "$proxy_program"; do
      if [ ! -x "$binary" ]; then
        echo "loopback_servers: no test program at $binary (build the native tree first)" >&2
        exit 1
      fi
    done
    mkdir -p "$state"
    stop_servers
    rm -f "$state/servers.txt" "$state/servers.txt.new"
    make_certificate trusted
    make_certificate untrusted
    printf '{"status":"OK","loginkey":"k3y+/=&x"}' >"$state/loginkey.json"

    # The stand-in browser: Wine's winebrowser runs it with the address as its one argument.
    : >"$state/browser-capture.txt"
    printf '#!/bin/sh\nprintf "%%s\\n" "$1" >>"%s"\n' "$state/browser-capture.txt" >"$state/browser.sh"
    chmod +x "$state/browser.sh"

    printf '{"status":"OK","subjects":["English"]}' >"$state/subjects.json"
    printf '{"status":"OK","tabs":[{"name":"Opening","comments":[{"comment":"# reads well."}]}]}' \
      >"$state/tabs.json"
    start_server proxy --proxy --map service.proxy-only.test=127.0.0.1
    start_server refusing --proxy --refuse 407
    proxy_port="$(sed -n 's/^proxy_port=//p' "$state/servers.txt.new")"
    printf 'function FindProxyForURL(url, host) {\n  if (host == "service.proxy-only.test") return "PROXY 127.0.0.1:%s";\n  return "DIRECT";\n}\n' \
      "$proxy_port" >"$state/proxy.pac"
    printf 'function FindProxyForURL(url, host) { return "DIRECT"; }\n' >"$state/direct.pac"

    start_server plain --reply "/website-with-key/service/loginkey=$state/loginkey.json" \
      --reply "/via-proxy/service/subjects=$state/subjects.json" \
      --reply "/via-proxy/service/tabs=$state/tabs.json" \
      --reply "/pac/proxy.pac=$state/proxy.pac" --reply "/pac/direct.pac=$state/direct.pac"
    start_server tls --cert "$state/trusted-cert.pem" --key "$state/trusted-key.pem"
    start_server untrusted --cert "$state/untrusted-cert.pem" --key "$state/untrusted-key.pem"
    {
      echo "trusted_cert=$state/trusted-cert.pem"
      echo "browser_script=$state/browser.sh"
      echo "browser_capture=$state/browser-capture.txt"
    } >>"$state/servers.txt.new"
    mv "$state/servers.txt.new" "$state/servers.txt"
    cat "$state/servers.txt"
    ;;
  stop)
    stop_servers
    rm -f "$state/servers.txt"
    ;;
  *)
    echo "usage: $0 start STATE_DIR SERVER_PROGRAM PROXY_PROGRAM | stop STATE_DIR" >&2
    exit 2
    ;;
esac
