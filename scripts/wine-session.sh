# Sourced by the scripts that start Windows programs: one persistent wineserver and an Xvfb
# display of our own for the run, both stopped on exit (only what this script started).
wine_session_pids=()
wine_session_own_server=""

wine_session_stop() {
  # A server we started goes with every Wine process it serves (the services it started too).
  # Waiting for it to be gone keeps a session that starts next from taking it for its own.
  if [ -n "$wine_session_own_server" ]; then
    wineserver -k 2>/dev/null || true
    timeout 5 wineserver -w 2>/dev/null || true
  fi
  for pid in "${wine_session_pids[@]}"; do kill "$pid" 2>/dev/null || true; done
}

wine_session_start() {
  # Fails only when the server of this prefix already runs (a server of another prefix does not
  # count), so success means the server is ours. Without our streams, a server that outlives the
  # session holds no pipe of its caller open.
  if wineserver -p </dev/null >/dev/null 2>&1; then wine_session_own_server=1; fi
  if [ -z "${DISPLAY:-}" ]; then
    local display=99
    while [ -e "/tmp/.X$display-lock" ] || [ -e "/tmp/.X11-unix/X$display" ]; do display=$((display + 1)); done
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    wine_session_pids+=("$!")
    export DISPLAY=":$display"
    for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
  fi
  # Wine's own services start now, detached from the test runner's output pipes; otherwise the
  # first test program would hand them its pipes and the runner would wait for them forever.
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  trap wine_session_stop EXIT
}
