# Helpers to give Wine a display of its own; sourced, after wine-env.sh.
start_xvfb() {
  wineserver -k 2>/dev/null || true
  # Xvfb takes the first display whose lock it can make, and writes its
  # number once it accepts clients: two runs at once never share one, as
  # they could when each looked for a free number before starting its own.
  local number
  number=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$number" >/dev/null 2>&1 &
  XVFB_PID=$!
  local i
  for i in $(seq 100); do
    [ "$(wc -l <"$number")" -ge 1 ] && break
    kill -0 "$XVFB_PID" 2>/dev/null || break
    sleep 0.1
  done
  export DISPLAY=":$(head -n1 "$number")"
  rm -f "$number"
  if [ "$DISPLAY" = ":" ]; then
    echo "Xvfb did not start" >&2
    return 1
  fi
}

# Ends the prefix's wineserver before its display.
stop_xvfb() {
  wineserver -k 2>/dev/null || true
  if [ -n "${XVFB_PID:-}" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
  fi
}
