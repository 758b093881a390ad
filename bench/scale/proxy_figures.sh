# Sourced by bench/scale/run.sh once the small bank's service runs: the cost a proxy adds to a
# request after the first, with the route looked up once and remembered. Uses run.sh's
# $native, $windows, $work, $small_url, service_pids, windows_path, wine_addin and start_loopback_server.
proxy_program="$native/tests/native/http-test-proxy/quillbox-http-test-proxy"
proxy_bench="$windows/bench/scale/quillbox-scale-proxy.exe"
if [ -x "$proxy_program" ] && [ -f "$proxy_bench" ]; then
  echo "== requests through a proxy (loopback forward proxy; 30 requests each way)"
  start_loopback_server "$work/proxy.out" \
    "$proxy_program" --port 0 --map quillbox-bench.proxy-only.test=127.0.0.1 || exit 1
  service_pids+=("$server_pid")
  proxy_port=${server_url##*:}
  wine_addin "$proxy_bench" "$small_url" "$proxy_port" quillbox-bench.proxy-only.test </dev/null | tr -d '\r' |
    tee "$work/proxy.txt"
else
  echo "== requests through a proxy: skipped (build quillbox-http-test-proxy and quillbox-scale-proxy)"
fi
