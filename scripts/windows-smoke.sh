# Smoke tests of the Windows program under Wine, sourced by scripts/test-windows.sh inside a
# Wine session (scripts/wine-session.sh). Each check runs the real glimmerdrop.exe, looks at the
# screen as a player would and reads what the program left behind (trace, registry).
# smoke_run_all adds to the caller's passed and failed counts.

SMOKE_EXE=$WINDOWS_BUILD/glimmerdrop.exe
SMOKE_TITLE='^Glimmerdrop\(Ver 1\.50\.07\)$'
SMOKE_KEY='HKCU\Software\Vantorix\Glimmerdrop'
# How far the start picture on the screen may stray from the archive's own (normalised RMSE):
# the game's 15-bit dither stays near 0.02, a picture one pixel off is above 0.1.
SMOKE_PICTURE_LIMIT=0.06
GAME_PID=

smoke_log() {
  echo "   $*"
}

# Starts the game in its own working folder with a home whose ALSA configuration has either the
# null device ("null") or no device at all ("none").
game_start() {
  local dir=$1 sound=$2
  shift 2
  mkdir -p "$dir/home"
  if [ "$sound" = null ]; then
    printf 'pcm.!default { type null }\n' >"$dir/home/.asoundrc"
  else
    printf 'pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n' >"$dir/home/.asoundrc"
  fi
  (cd "$dir" && HOME="$dir/home" exec wine "$SMOKE_EXE" "$@" >"$dir/wine.log" 2>&1) &
  GAME_PID=$!
}

# Ends every program of the session's prefix and starts its server again.
game_stop() {
  [ -n "$GAME_PID" ] && kill "$GAME_PID" 2>/dev/null
  wineserver --kill 2>/dev/null
  [ -n "$GAME_PID" ] && wait "$GAME_PID" 2>/dev/null
  GAME_PID=
  wineserver --wait 2>/dev/null
  wineserver --persistent
}

# Prints the id of the first visible window whose name matches, waiting up to the seconds given.
wait_window() {
  local pattern=$1 seconds=$2 id
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    id=$(xdotool search --onlyvisible --name "$pattern" 2>/dev/null | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# The window's client area on the screen ("x y"). Wine gives it an X window of its own inside
# the frame; without one the client area is the 640 x 480 at the bottom of the frame.
client_origin() {
  local info x y width height border child
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p')
  y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p')
  width=$(echo "$info" | sed -n 's/^ *Width: *\([0-9]*\).*/\1/p')
  height=$(echo "$info" | sed -n 's/^ *Height: *\([0-9]*\).*/\1/p')
  [ -n "$x" ] && [ -n "$width" ] || return 1
  # A child line ends with its place on the screen: "640x467+3+22  +3+22".
  child=$(xwininfo -children -id "$1" 2>/dev/null |
    sed -n 's/^ *0x[0-9a-f]* .* 640x[0-9]*[-+][0-9]*[-+][0-9]*  *\([-+][0-9]*\)\([-+][0-9]*\)$/\1 \2/p' | head -n 1)
  if [ -n "$child" ]; then
    set -- $child
    echo "$(($1)) $(($2))"
    return 0
  fi
  border=$(((width - 640) / 2))
  echo "$((x + border)) $((y + height - 480 - border))"
}

# Waits until the window shows the start picture where the game draws it (23, 17 in the frame).
# The part compared leaves out the start button drawn over the picture's foot.
wait_start_picture() {
  local dir=$1 window=$2 seconds=$3 origin error=
  unzip -p "$WINDOWS_BUILD/glimmerdrop.vxz" info_start.jpg >"$dir/info_start.jpg" || return 1
  convert "$dir/info_start.jpg" -crop 340x280+20+20 +repage "$dir/expected.png" || return 1
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    origin=$(client_origin "$window") || return 1
    set -- $origin
    import -window root "$dir/screen.png" 2>/dev/null
    convert "$dir/screen.png" -crop "340x280+$(($1 + 23 + 20))+$(($2 + 17 + 20))" +repage "$dir/shown.png" 2>/dev/null
    error=$(compare -metric RMSE "$dir/shown.png" "$dir/expected.png" null: 2>&1 | sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
    if [ -n "$error" ] && awk -v e="$error" -v limit="$SMOKE_PICTURE_LIMIT" 'BEGIN { exit !(e < limit) }'; then
      smoke_log "start picture shown (difference $error)"
      return 0
    fi
    sleep 0.5
  done
  smoke_log "the start picture did not appear (last difference ${error:-none}); screen kept in $dir/screen.png"
  return 1
}

# The window shows the program's own icon (resource 285): Wine hands it to the X server as the
# window's _NET_WM_ICON, whose opaque pixels must be those of the icon file of the same size.
window_has_program_icon() {
  local window=$1 values width height shown expected frame
  values=$(xprop -notype -id "$window" 32c _NET_WM_ICON 2>/dev/null | sed -n 's/^_NET_WM_ICON = //p' | tr -d ' ')
  if [ -z "$values" ]; then
    smoke_log "the window has no icon"
    return 1
  fi
  width=$(echo "$values" | cut -d, -f1)
  height=$(echo "$values" | cut -d, -f2)
  shown=$(echo "$values" | awk -F, -v n=$((width * height)) '{ c = 0; for (i = 3; i < 3 + n; i++) if ($i >= 16777216) c++; print c }')
  case $width in
    16) frame=0 ;;
    32) frame=1 ;;
    48) frame=2 ;;
    *) smoke_log "the window's icon is ${width}x$height, not one of the program's"; return 1 ;;
  esac
  expected=$(convert "$WINDOWS_BUILD/host/glimmerdrop.ico[$frame]" -alpha extract -threshold 0 \
    -format '%[fx:round(mean*w*h)]' info: 2>/dev/null)
  if [ "$shown" != "$expected" ]; then
    smoke_log "the window's ${width}x$height icon has $shown opaque pixels, the program's $expected"
    return 1
  fi
  smoke_log "the window carries the program's icon (${width}x$height, $shown opaque pixels)"
}

trace_has() {
  if grep -qF -- "$2" "$1/trace.txt" 2>/dev/null; then
    return 0
  fi
  smoke_log "trace.txt lacks \"$2\""
  return 1
}

trace_lacks() {
  if ! grep -qF -- "$2" "$1/trace.txt" 2>/dev/null; then
    return 0
  fi
  smoke_log "trace.txt has \"$2\""
  return 1
}

# The value's bytes as one run of lower-case hexadecimal digits, "" when it is missing or not binary.
registry_binary() {
  wine reg query "$SMOKE_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name && $2 == "REG_BINARY" { print tolower($3) }'
}

registry_holds() {
  local actual
  actual=$(registry_binary "$1")
  [ "$actual" = "$2" ] && return 0
  smoke_log "$1 holds \"${actual:-nothing}\" in the registry, not \"$2\""
  return 1
}

# Starts the game, waits for its window and its start picture; the window's id goes to GAME_WINDOW.
game_reaches_start_screen() {
  local dir=$1 window
  if ! window=$(wait_window "$SMOKE_TITLE" 60); then
    smoke_log "no window titled Glimmerdrop(Ver 1.50.07) appeared"
    tail -n 20 "$dir/wine.log" | sed 's/^/   /'
    return 1
  fi
  GAME_WINDOW=$window
  wait_start_picture "$dir" "$window" 40
}

smoke_start_screen_with_waveout() {
  local dir=$1
  game_start "$dir" null -trace
  game_reaches_start_screen "$dir" &&
    window_has_program_icon "$GAME_WINDOW" &&
    trace_has "$dir" "...Creating audio device" &&
    trace_has "$dir" "...creating mixing stream: success" &&
    trace_lacks "$dir" "***failed to create audio device***"
}

smoke_directsound_on_the_null_device() {
  local dir=$1
  game_start "$dir" null -trace -dsound
  game_reaches_start_screen "$dir" &&
    trace_has "$dir" "...creating mixing stream: success" &&
    trace_lacks "$dir" "***failed to create audio device***"
}

smoke_waveout_without_a_device_is_silent() {
  local dir=$1
  game_start "$dir" none -trace
  game_reaches_start_screen "$dir" &&
    trace_has "$dir" "***failed to create audio device***" || return 1
  if xdotool search --onlyvisible --name '^Error$' >/dev/null 2>&1; then
    smoke_log "an error box appeared; waveOut without a device should only be silent"
    return 1
  fi
}

smoke_directsound_without_a_device_tells_once_then_is_silent() {
  local dir=$1 box
  game_start "$dir" none -trace -dsound
  if ! box=$(wait_window '^Error$' 60); then
    smoke_log "no error box about DirectSound appeared"
    return 1
  fi
  trace_has "$dir" "...DirectSoundCreate failed with error '" || return 1
  xdotool windowfocus --sync "$box" key Return 2>/dev/null || xdotool key Return
  game_reaches_start_screen "$dir" &&
    trace_has "$dir" "***failed to create audio device***"
}

smoke_full_screen_on_a_640_by_480_display() {
  local dir=$1 window origin
  wine reg add "$SMOKE_KEY" /v Fullscreen /t REG_BINARY /d 01000000 /f >/dev/null 2>&1
  game_start "$dir" null -trace
  if ! window=$(wait_window "$SMOKE_TITLE" 60); then
    smoke_log "no full-screen window appeared"
    tail -n 20 "$dir/wine.log" | sed 's/^/   /'
    return 1
  fi
  wait_start_picture "$dir" "$window" 40 || return 1
  origin=$(client_origin "$window")
  if [ "$origin" != "0 0" ] || ! xwininfo -id "$window" | grep -q 'Width: 640'; then
    smoke_log "the window is not the whole 640 x 480 screen: $(xwininfo -id "$window" | grep -E 'Absolute|Width|Height' | tr -s ' \n' ' ')"
    return 1
  fi
  smoke_log "the window covers the whole screen"
}

# Waits for the program's window to be the whole screen ("full", 640 x 480 at 0, 0) or to have
# Wine's frame around it again ("framed"); its id goes to GAME_WINDOW.
wait_window_kind() {
  local kind=$1 seconds=$2 id info width origin
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    for id in $(xdotool search --onlyvisible --name "$SMOKE_TITLE" 2>/dev/null); do
      info=$(xwininfo -id "$id" 2>/dev/null) || continue
      width=$(echo "$info" | sed -n 's/^ *Width: *\([0-9]*\).*/\1/p')
      origin=$(client_origin "$id")
      if [ "$kind" = full ] && [ "$width" = 640 ] && [ "$origin" = "0 0" ] &&
        echo "$info" | grep -q 'Height: 480$'; then
        GAME_WINDOW=$id
        return 0
      fi
      if [ "$kind" = framed ] && [ -n "$width" ] && [ "$width" -gt 640 ] && [ "$origin" != "0 0" ]; then
        GAME_WINDOW=$id
        return 0
      fi
    done
    sleep 0.2
  done
  smoke_log "the program's window did not become $kind"
  return 1
}

# Alt+Return in a window: the device cannot switch in place, so the game makes its devices
# again in full screen, and back. (On a 640 x 480 display Wine keeps the framed window within
# the screen's height, as Windows does, so its client area loses its last rows.)
smoke_full_screen_switch_with_alt_return() {
  local dir=$1
  game_start "$dir" null -trace
  game_reaches_start_screen "$dir" || return 1
  trace_lacks "$dir" "...making the devices again" || return 1
  xdotool windowfocus --sync "$GAME_WINDOW" key alt+Return 2>/dev/null || xdotool key alt+Return
  wait_window_kind full 30 && wait_start_picture "$dir" "$GAME_WINDOW" 30 || return 1
  trace_has "$dir" "...making the devices again for full screen" || return 1
  registry_holds Fullscreen 01000000 || return 1
  smoke_log "full screen after Alt+Return"
  xdotool windowfocus --sync "$GAME_WINDOW" key alt+Return 2>/dev/null || xdotool key alt+Return
  wait_window_kind framed 30 && wait_start_picture "$dir" "$GAME_WINDOW" 30 &&
    trace_has "$dir" "...making the devices again for a window" &&
    registry_holds Fullscreen 00000000 || return 1
  smoke_log "a window again after the second Alt+Return"
}

# The recorded journals of the integration tests, played back with -demo: the Windows program
# must end each game exactly where the Linux program does (score, level, lines, board digest),
# and the frame saved with F12 during "frame" must have the same pixels.
SMOKE_JOURNALS=$ROOT/tests/integration/journals
SMOKE_GOLDEN=$ROOT/tests/integration/golden

play_journal() {
  local dir=$1 name=$2
  # The recorded settings: every default, with the tutorial already played.
  wine reg add "$SMOKE_KEY" /v "Did Tutorial" /t REG_BINARY /d 01000000 /f >/dev/null 2>&1
  gzip -dc "$SMOKE_JOURNALS/$name.journal.gz" >"$dir/journal.bin" || return 1
  game_start "$dir" null -demo recorded -trace
  # Playback runs at the recorded pace; the program ends by itself when the journal does.
  local deadline=$((SECONDS + 240))
  while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.5
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    smoke_log "the playback of $name did not end within 240 s"
    return 1
  fi
}

golden_line() {
  local expected actual
  expected=$(cat "$SMOKE_GOLDEN/$2")
  actual=$(grep -a '^\.\.\.quit at ' "$1/trace.txt" 2>/dev/null | tail -n 1 | tr -d '\r')
  if [ "$actual" != "$expected" ]; then
    smoke_log "the game ended at \"${actual:-nothing}\", the Linux program at \"$expected\""
    return 1
  fi
  smoke_log "ended as on Linux: $actual"
}

smoke_recorded_game_ends_as_on_linux() {
  local dir=$1
  play_journal "$dir" botgame && golden_line "$dir" botgame.txt
}

smoke_frame_saved_during_playback_has_the_linux_pixels() {
  local dir=$1 pictures sum expected
  play_journal "$dir" frame && golden_line "$dir" frame-end.txt || return 1
  pictures=$(find "$dir" -maxdepth 1 -name '*.png' | head -n 2)
  if [ "$(echo "$pictures" | grep -c .)" != 1 ]; then
    smoke_log "expected one saved frame, found: ${pictures:-none}"
    return 1
  fi
  # The integration test's sum of the frame it decodes: FNV-1a's step over the RGBA bytes, row
  # by row, from its start value 1469598103934665603 (in two 32-bit halves here).
  sum=$(convert "$pictures" -depth 8 rgba:- | perl -e '
    binmode STDIN; local $/; my $data = <STDIN>;
    my ( $hi, $lo ) = ( 0x14650fb0, 0x739d0383 );
    for my $byte ( unpack( "C*", $data ) ) {
      $lo ^= $byte;
      my $low = $lo * 0x1b3;
      my $carry = int( $low / 4294967296 );
      $hi = ( $hi * 0x1b3 + $carry + ( ( $lo * 256 ) % 4294967296 ) ) % 4294967296;
      $lo = $low % 4294967296;
    }
    printf "%08x%08x\n", $hi, $lo;')
  expected=$(cat "$SMOKE_GOLDEN/frame.txt")
  if [ "$sum" != "$expected" ]; then
    smoke_log "the saved frame sums to $sum, the Linux program's to $expected (kept in $dir)"
    return 1
  fi
  smoke_log "the saved frame has the Linux program's pixels ($sum)"
}

# The game recorded through game over, name entry and the high-score table: played back, it
# must leave in Windows' registry the very row the Linux program stores in its file.
smoke_recorded_game_stores_its_high_score_in_the_registry() {
  local dir=$1 expected actual
  expected=$(cat "$SMOKE_GOLDEN/screens-hs0.txt")
  if [ -n "$(registry_binary HS:0)" ]; then
    smoke_log "HS:0 is in the registry before the game"
    return 1
  fi
  play_journal "$dir" screens || return 1
  trace_lacks "$dir" "...end of journal playback" || return 1
  actual=$(registry_binary HS:0)
  if [ "$actual" != "$expected" ]; then
    smoke_log "HS:0 holds \"${actual:-nothing}\", the Linux program stores \"$expected\""
    return 1
  fi
  smoke_log "HS:0 holds the Linux program's $((${#actual} / 2)) bytes"
}

# Without its archive the program says so in a box and, once that is answered, ends as a failed
# start: with a non-zero exit code, which wine hands on.
smoke_a_missing_archive_is_a_failed_start() {
  local dir=$1 box code
  mkdir -p "$dir/home"
  cp "$SMOKE_EXE" "$dir/glimmerdrop.exe" || return 1
  (cd "$dir" && HOME="$dir/home" exec wine "$dir/glimmerdrop.exe" >"$dir/wine.log" 2>&1) &
  GAME_PID=$!
  box=$(wait_window '^Missing Resource File$' 60) || { smoke_log "no \"Missing Resource File\" box"; return 1; }
  xdotool windowactivate --sync "$box" key Return 2>/dev/null || xdotool key Return
  local deadline=$((SECONDS + 30))
  while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.2
  done
  if kill -0 "$GAME_PID" 2>/dev/null; then
    smoke_log "the program did not end after the box was answered"
    return 1
  fi
  wait "$GAME_PID"
  code=$?
  GAME_PID=
  if [ "$code" -eq 0 ]; then
    smoke_log "the failed start ended with exit code 0"
    return 1
  fi
  smoke_log "the failed start ended with exit code $code"
}

# Runs one check in a fresh working folder and with the program's key emptied, and counts it.
smoke_check() {
  local name=$1 dir=$SMOKE_DIR/$1
  rm -rf "$dir"
  mkdir -p "$dir"
  wine reg delete "$SMOKE_KEY" /f >/dev/null 2>&1
  echo "[ RUN      ] smoke.$name"
  local start=$SECONDS
  if "smoke_$name" "$dir"; then
    echo "[       OK ] smoke.$name ($((SECONDS - start)) s)"
    passed=$((passed + 1))
  else
    echo "[  FAILED  ] smoke.$name ($((SECONDS - start)) s)"
    failed=$((failed + 1))
  fi
  game_stop
}

smoke_run_all() {
  SMOKE_DIR=$1/smoke
  mkdir -p "$SMOKE_DIR"
  if [ ! -f "$SMOKE_EXE" ] || [ ! -f "$WINDOWS_BUILD/glimmerdrop.vxz" ]; then
    echo "smoke: glimmerdrop.exe or glimmerdrop.vxz missing in $WINDOWS_BUILD"
    failed=$((failed + 1))
    return
  fi
  smoke_check start_screen_with_waveout
  smoke_check directsound_on_the_null_device
  smoke_check waveout_without_a_device_is_silent
  smoke_check directsound_without_a_device_tells_once_then_is_silent
  smoke_check recorded_game_ends_as_on_linux
  smoke_check frame_saved_during_playback_has_the_linux_pixels
  smoke_check recorded_game_stores_its_high_score_in_the_registry
  smoke_check a_missing_archive_is_a_failed_start

  # DirectDraw sets 640 x 480 only on a display of that size; Wine keeps display modes per
  # prefix, so the session starts again around it.
  wine_session_stop
  if wine_session_start "$1" 640x480x24; then
    smoke_check full_screen_on_a_640_by_480_display
    smoke_check full_screen_switch_with_alt_return
  else
    failed=$((failed + 1))
  fi
}
