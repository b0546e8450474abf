# shellcheck shell=bash
# The Wine session of scripts/lib.sh, which sources it: a Wine prefix of the
# build tree and an Xvfb display of their own, both ended by orvex_wine_stop.
# Only the processes started here are ended.

export WINEPREFIX=${ORVEX_WINEPREFIX:-$ORVEX_REPO/build/wine-prefix}
export WINEDEBUG=${WINEDEBUG:--all}
# winemenubuilder: Wine starts it for every shell link saved, to make a
# desktop menu entry, and it would inherit and hold a test's output.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=;winemenubuilder.exe=d}
ORVEX_XVFB_PID=
ORVEX_WINESERVER_STARTED=

orvex_wine_prefix() {
  if [ ! -f "$WINEPREFIX/.orvex-ready" ]; then
    echo "Creating the Wine prefix $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    # A server left running for this prefix would keep "wineserver -w" waiting.
    wineserver -k >/dev/null 2>&1 || true
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w
    # Without a window manager Wine waits about 2 s whenever a managed window
    # is withdrawn; unmanaged windows go at once.
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
    wineserver -w
    touch "$WINEPREFIX/.orvex-ready"
  fi
}

# orvex_xvfb_start [WIDTHxHEIGHT]: a display of our own, on a number that
# Xvfb picks itself (two sessions that look for a free number at the same
# time could otherwise take the same one).
orvex_xvfb_start() {
  local size=${1:-1024x768}
  local number_file
  number_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp 3>"$number_file" >/dev/null 2>&1 &
  ORVEX_XVFB_PID=$!
  for _ in $(seq 150); do
    [ -s "$number_file" ] && break
    sleep 0.1
  done
  export DISPLAY=":$(tr -d '[:space:]' <"$number_file")"
  rm -f "$number_file"
}

# orvex_wineserver_start: a persistent wineserver for the prefix, with Wine's
# services running. Debian's wineserver starts with -p0: a server started by
# a program begins to shut down the moment its last program ends, and from
# then on refuses to create processes (CreateProcess fails with
# ERROR_SHUTDOWN_IN_PROGRESS) while programs started from outside may still
# join it. "wineserver -p" does nothing while any server of the prefix runs,
# one shutting down too, so that one is ended first.
orvex_wineserver_start() {
  wineserver -k >/dev/null 2>&1 || true
  if ! wineserver -p >/dev/null 2>&1; then
    echo "Could not start a persistent wineserver for $WINEPREFIX" >&2
    return 1
  fi
  ORVEX_WINESERVER_STARTED=1
  # The warm-up starts Wine's own services with no output attached: started
  # by a test, they would inherit its output pipe and hold it open.
  wine cmd /c exit >/dev/null 2>&1 </dev/null || true
}

orvex_wine_start() {
  orvex_wine_prefix
  orvex_xvfb_start "${1:-1024x768}"
  # A persistent server makes every later start of a program fast.
  orvex_wineserver_start
  # The first window of a session starts the desktop process, which would
  # hold the output of a test's program in the same way: rundll32 makes a
  # window.
  wine rundll32.exe user32.dll,MessageBeep >/dev/null 2>&1 </dev/null || true
}

orvex_wine_stop() {
  if [ -n "$ORVEX_WINESERVER_STARTED" ]; then
    wineserver -k >/dev/null 2>&1 || true
    ORVEX_WINESERVER_STARTED=
  fi
  if [ -n "$ORVEX_XVFB_PID" ]; then
    kill "$ORVEX_XVFB_PID" 2>/dev/null || true
    wait "$ORVEX_XVFB_PID" 2>/dev/null || true
    ORVEX_XVFB_PID=
  fi
}
