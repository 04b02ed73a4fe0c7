# Sourced by the run and test scripts: Wine settings, a private prefix, Xvfb, wineserver.

export WINEDEBUG="${WINEDEBUG:--all}"
export WINEDLLOVERRIDES="mscoree,mshtml="
VEXIL_WINE=/usr/lib/wine/wine64
[ -x "$VEXIL_WINE" ] || VEXIL_WINE="$(command -v wine64 || command -v wine)"
VEXIL_WINESERVER=/usr/lib/wine/wineserver64
[ -x "$VEXIL_WINESERVER" ] || VEXIL_WINESERVER="$(command -v wineserver)"

# Creates the prefix once. Every prefix maps "Arial" to Liberation Sans; a test prefix also
# makes windows unmanaged, since Xvfb has no window manager and Wine would otherwise wait
# two seconds for one at every dialog.
vexil_prepare_prefix() {  # prefix-folder test|run
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/.vexil-ready" ]; then
    mkdir -p "$WINEPREFIX"
    "$VEXIL_WINE" wineboot -i >/dev/null 2>&1 || true
    "$VEXIL_WINE" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d "Liberation Sans" /f >/dev/null 2>&1
    if [ "$2" = test ]; then
      "$VEXIL_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
    fi
    "$VEXIL_WINESERVER" -w
    touch "$WINEPREFIX/.vexil-ready"
  fi
}

VEXIL_XVFB_PID=""
vexil_start_xvfb() {
  local display
  for display in $(seq 90 140); do
    [ -e "/tmp/.X${display}-lock" ] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    VEXIL_XVFB_PID=$!
    sleep 1
    if kill -0 "$VEXIL_XVFB_PID" 2>/dev/null; then
      export DISPLAY=":$display"
      return 0
    fi
  done
  echo "could not start Xvfb" >&2
  return 1
}

# One persistent wine server for the whole run, so each test program starts fast.
# Wine's own services start with the first program; start them here, detached from our
# output, or a test runner waits for the pipes they inherit to close.
vexil_start_wineserver() {
  "$VEXIL_WINESERVER" -p
  "$VEXIL_WINE" wineboot </dev/null >/dev/null 2>&1 || true
}

vexil_stop_all() {
  [ -n "${WINEPREFIX:-}" ] && "$VEXIL_WINESERVER" -k >/dev/null 2>&1 || true
  [ -n "$VEXIL_XVFB_PID" ] && kill "$VEXIL_XVFB_PID" >/dev/null 2>&1 || true
  VEXIL_XVFB_PID=""
}
