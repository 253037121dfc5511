# Sourced: starts a private 24-bit Xvfb on a free display number and a persistent
# wineserver, and stops both (and every Wine process of the prefix) on exit.
# Usage: source xvfb-session.sh [WIDTHxHEIGHT]
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"

velquin_free_display() {
  local n
  for n in $(seq 73 160); do
    if [ ! -e "/tmp/.X$n-lock" ] && [ ! -e "/tmp/.X11-unix/X$n" ]; then
      echo "$n"; return 0
    fi
  done
  return 1
}

velquin_start_xvfb() {
  local size="${1:-1024x768}" n
  n=$(velquin_free_display) || { echo "no free X display" >&2; return 1; }
  Xvfb ":$n" -screen 0 "${size}x24" -nolisten tcp -noreset >/dev/null 2>&1 &
  VELQUIN_XVFB_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  kill -0 "$VELQUIN_XVFB_PID" 2>/dev/null || { echo "Xvfb did not start" >&2; return 1; }
  echo "xvfb: display $DISPLAY (${size}x24)" >&2
  velquin_start_x_mouse
}

# The end-to-end tests' mouse at the X server (tests/e2e/support/x-mouse.py): they
# find its port in VELQUIN_X_MOUSE.
velquin_start_x_mouse() {
  local port_file
  port_file=$(mktemp) || return 1
  python3 "$VELQUIN_ROOT/tests/e2e/support/x-mouse.py" </dev/null >"$port_file" 2>/dev/null &
  VELQUIN_X_MOUSE_PID=$!
  while kill -0 "$VELQUIN_X_MOUSE_PID" 2>/dev/null && [ ! -s "$port_file" ]; do sleep 0.05; done
  VELQUIN_X_MOUSE=$(cat "$port_file")
  rm -f "$port_file"
  [ -n "$VELQUIN_X_MOUSE" ] || { echo "the X mouse did not start" >&2; return 1; }
  export VELQUIN_X_MOUSE
}

velquin_stop_session() {
  timeout 20 wineserver -k 2>/dev/null || true
  timeout 20 wineserver -w 2>/dev/null || true
  if [ -n "${VELQUIN_X_MOUSE_PID:-}" ]; then
    kill "$VELQUIN_X_MOUSE_PID" 2>/dev/null || true
    wait "$VELQUIN_X_MOUSE_PID" 2>/dev/null || true
    VELQUIN_X_MOUSE_PID=
  fi
  if [ -n "${VELQUIN_XVFB_PID:-}" ]; then
    kill "$VELQUIN_XVFB_PID" 2>/dev/null || true
    wait "$VELQUIN_XVFB_PID" 2>/dev/null || true
    VELQUIN_XVFB_PID=
  fi
}

# Starts the persistent wineserver and Wine's background services with their output
# going nowhere: processes that Wine spawns inherit the pipes of whoever starts them
# first, and a test runner would wait on those pipes for ever.
velquin_start_wine() {
  timeout 30 wineserver -p </dev/null >/dev/null 2>&1
  timeout 120 wine cmd /c exit </dev/null >/dev/null 2>&1 || true
}
