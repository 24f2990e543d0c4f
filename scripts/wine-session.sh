# A private Wine prefix under the Windows build folder and a virtual X server for it.
# Sourced after scripts/windows-env.sh; wine_session_start and wine_session_stop bracket a run.

export WINEPREFIX=$WINDOWS_BUILD/wine
export WINEARCH=win64
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko installer prompts, and no menu entries or file associations in the user's desktop.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

XVFB_PID=
WINE_SESSION_DIR=

# Starts an X server on a free display (it reports the number itself), for the screen size
# given (default 1280x1024x24).
xvfb_start() {
  local dir=$1 screen=${2:-1280x1024x24}
  local file=$dir/xvfb-display
  rm -f "$file"
  Xvfb -displayfd 9 -screen 0 "$screen" -nolisten tcp -noreset 9>"$file" >"$dir/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local waited=0
  while ! grep -qE '^[0-9]+$' "$file" 2>/dev/null; do
    if ! kill -0 "$XVFB_PID" 2>/dev/null || [ $waited -ge 100 ]; then
      echo "wine-session: Xvfb did not start" >&2
      cat "$dir/xvfb.log" >&2
      return 1
    fi
    sleep 0.1
    waited=$((waited + 1))
  done
  export DISPLAY=:$(head -n 1 "$file")
}

xvfb_stop() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
    XVFB_PID=
  fi
}

# What the prefix is made with; a prefix made otherwise is made again.
WINE_PREFIX_RECIPE="crash-dialog-off unmanaged-windows 1"

# Makes the prefix once: a crash ends the program at once instead of waiting on a dialog, and
# windows are not left for a window manager (there is none on the virtual server) to map.
wine_prefix_prepare() {
  local stamp=$WINEPREFIX/.glimmerdrop-prepared
  [ "$(cat "$stamp" 2>/dev/null)" = "$WINE_PREFIX_RECIPE" ] && return 0
  echo "-- preparing the Wine prefix $WINEPREFIX"
  rm -rf "$WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot --init >"$WINE_SESSION_DIR/wineboot.log" 2>&1
  wineserver --wait
  if ! wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f \
      >>"$WINE_SESSION_DIR/wineboot.log" 2>&1 ||
    ! wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >>"$WINE_SESSION_DIR/wineboot.log" 2>&1; then
    cat "$WINE_SESSION_DIR/wineboot.log" >&2
    return 1
  fi
  wineserver --wait
  echo "$WINE_PREFIX_RECIPE" >"$stamp"
}

# A home whose ALSA configuration sends all sound to the null device: DirectSound and waveOut
# then find an output that plays (not in real time) on a machine without a sound card.
# wine_session_start uses it unless WINE_SESSION_SOUND=none asks for a machine without sound.
wine_home_prepare() {
  local home=$WINE_SESSION_DIR/home
  mkdir -p "$home"
  if [ "${WINE_SESSION_SOUND:-null}" = none ]; then
    rm -f "$home/.asoundrc"
    printf 'pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n' >"$home/.asoundrc"
  else
    printf 'pcm.!default { type null }\n' >"$home/.asoundrc"
  fi
  export HOME=$home
}

wine_session_start() {
  WINE_SESSION_DIR=$1
  mkdir -p "$WINE_SESSION_DIR"
  wine_home_prepare
  xvfb_start "$WINE_SESSION_DIR" "${2:-}" || return 1
  wine_prefix_prepare || return 1
  # One server for the whole run, so each program starts quickly.
  wineserver --persistent
}

wine_session_stop() {
  wineserver --kill 2>/dev/null
  wineserver --wait 2>/dev/null
  xvfb_stop
}
