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
# null device ("null") or no device at all ("none"); GAME_EXE names another copy of the program.
game_start() {
  local dir=$1 sound=$2
  shift 2
  mkdir -p "$dir/home"
  if [ "$sound" = null ]; then
    printf 'pcm.!default { type null }\n' >"$dir/home/.asoundrc"
  else
    printf 'pcm.!default { type hw card 99 }\nctl.!default { type hw card 99 }\n' >"$dir/home/.asoundrc"
  fi
  (cd "$dir" && HOME="$dir/home" exec wine "${GAME_EXE:-$SMOKE_EXE}" "$@" >"$dir/wine.log" 2>&1) &
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

# The window's client area on the screen ("x y width height"). Wine gives it an X window of its
# own inside the frame; without one the client area is the bottom of the frame within its borders.
client_area() {
  local info x y width height border child
  info=$(xwininfo -id "$1" 2>/dev/null) || return 1
  x=$(echo "$info" | sed -n 's/.*Absolute upper-left X: *\(-\?[0-9]*\).*/\1/p')
  y=$(echo "$info" | sed -n 's/.*Absolute upper-left Y: *\(-\?[0-9]*\).*/\1/p')
  width=$(echo "$info" | sed -n 's/^ *Width: *\([0-9]*\).*/\1/p')
  height=$(echo "$info" | sed -n 's/^ *Height: *\([0-9]*\).*/\1/p')
  [ -n "$x" ] && [ -n "$width" ] || return 1
  # A child line ends with its size, its place in the frame and its place on the screen:
  # "1280x960+3+22  +160+129".
  child=$(xwininfo -children -id "$1" 2>/dev/null |
    sed -n 's/^ *0x[0-9a-f]* .* \([0-9][0-9]*\)x\([0-9][0-9]*\)[-+][0-9]*[-+][0-9]*  *\([-+][0-9]*\)\([-+][0-9]*\)$/\3 \4 \1 \2/p' |
    head -n 1)
  if [ -n "$child" ]; then
    set -- $child
    echo "$(($1)) $(($2)) $3 $4"
    return 0
  fi
  border=$(((width - 640) / 2))
  echo "$((x + border)) $((y + height - 480 - border)) 640 480"
}

client_origin() {
  local area
  area=$(client_area "$1") || return 1
  set -- $area
  echo "$1 $2"
}

# Where the program draws its 640 x 480 frame in a client area of the given size ("left top
# width height" within it): the largest whole multiple that fits, centred, or shrunk to fit.
frame_placement() {
  awk -v w="$1" -v h="$2" 'BEGIN {
    s = int(w / 640); if (int(h / 480) < s) s = int(h / 480)
    if (s >= 1) { fw = 640 * s; fh = 480 * s }
    else { fw = int(h * 640 / 480); if (fw > w) fw = w; fh = int(fw * 480 / 640) }
    print int((w - fw) / 2), int((h - fh) / 2), fw, fh }'
}

# Waits until the window shows the start picture where the game draws it (23, 17 in the frame),
# at whatever size the window shows the frame. The part compared leaves out the start button
# drawn over the picture's foot.
wait_start_picture() {
  local dir=$1 window=$2 seconds=$3 area place error=
  unzip -p "$WINDOWS_BUILD/glimmerdrop.vxz" info_start.jpg >"$dir/info_start.jpg" || return 1
  convert "$dir/info_start.jpg" -crop 340x280+20+20 +repage "$dir/expected.png" || return 1
  local deadline=$((SECONDS + seconds))
  while [ $SECONDS -lt $deadline ]; do
    # The window may have gone while the game made its devices again: find the new one.
    if ! area=$(client_area "$window"); then
      sleep 0.5
      window=$(wait_window "$SMOKE_TITLE" 1) || true
      continue
    fi
    set -- $area
    place=$(frame_placement "$3" "$4")
    set -- "$1" "$2" $place
    import -window root "$dir/screen.png" 2>/dev/null
    # The frame as the screen shows it, brought back to 640 x 480 by dropping repeated pixels. A
    # frame shrunk to fit a small screen has lost pixels here and there: both sides are compared
    # at half size, which evens that out.
    local blur=()
    [ "$5" -lt 640 ] && blur=(-scale 50%)
    convert "$dir/screen.png" -crop "$5x$6+$(($1 + $3))+$(($2 + $4))" +repage -sample '640x480!' \
      -crop 340x280+43+37 +repage "${blur[@]}" "$dir/shown.png" 2>/dev/null
    convert "$dir/expected.png" "${blur[@]}" "$dir/expected-compared.png"
    error=$(compare -metric RMSE "$dir/shown.png" "$dir/expected-compared.png" null: 2>&1 |
      sed -n 's/.*(\([0-9.e-]*\)).*/\1/p')
    if [ -n "$error" ] && awk -v e="$error" -v limit="$SMOKE_PICTURE_LIMIT" 'BEGIN { exit !(e < limit) }'; then
      smoke_log "start picture shown at $5 x $6 (difference $error)"
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
      # Framed: the window is wider than its client area, which the frame pushes off the corner.
      if [ "$kind" = framed ] && [ -n "$width" ] && [ "$origin" != "0 0" ] &&
        [ "$width" -gt "$(client_area "$id" | cut -d' ' -f3)" ]; then
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
# again in full screen, and back. (On a 640 x 480 display the framed window keeps within the
# screen, so the frame is shrunk into a client area a little smaller than itself.)
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

# The games recorded through game over, name entry and the high-score table (by mouse and keys,
# and by keyboard alone): played back, each must leave in Windows' registry the very row the
# Linux program stores in its file.
journal_stores_its_high_score_in_the_registry() {
  local dir=$1 name=$2 expected actual
  expected=$(cat "$SMOKE_GOLDEN/$name-hs0.txt")
  if [ -n "$(registry_binary HS:0)" ]; then
    smoke_log "HS:0 is in the registry before the game"
    return 1
  fi
  play_journal "$dir" "$name" || return 1
  trace_lacks "$dir" "...end of journal playback" || return 1
  actual=$(registry_binary HS:0)
  if [ "$actual" != "$expected" ]; then
    smoke_log "HS:0 holds \"${actual:-nothing}\", the Linux program stores \"$expected\""
    return 1
  fi
  smoke_log "HS:0 holds the Linux program's $((${#actual} / 2)) bytes"
}

smoke_recorded_game_stores_its_high_score_in_the_registry() {
  journal_stores_its_high_score_in_the_registry "$1" screens
}

smoke_keyboard_game_stores_its_high_score_in_the_registry() {
  journal_stores_its_high_score_in_the_registry "$1" keyboard
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

# On a screen with room for it the window shows the frame twice as large, and a click lands on
# the frame pixel drawn under it: the journal the program records holds frame positions, so it
# plays back at any size.
smoke_a_large_screen_doubles_the_window_and_clicks_land_on_their_cells() {
  local dir=$1 area recorded
  game_start "$dir" null -trace -journal
  game_reaches_start_screen "$dir" || return 1
  area=$(client_area "$GAME_WINDOW")
  set -- $area
  if [ "$3x$4" != 1280x960 ]; then
    smoke_log "the client area is $3x$4 on a 1600 x 1200 screen, not twice the frame"
    return 1
  fi
  # The first screen pixel of cell (0, 0) at 107, 101 in the frame, the last of cell (5, 5),
  # and the first beyond it.
  local x0=$1 y0=$2 point
  for point in "214 202" "717 705" "718 706"; do
    set -- $point
    xdotool mousemove --sync $((x0 + $1)) $((y0 + $2)) click 1
    sleep 0.3
  done
  xdotool windowfocus --sync "$GAME_WINDOW" key alt+F4 2>/dev/null || xdotool key alt+F4
  local deadline=$((SECONDS + 30))
  while kill -0 "$GAME_PID" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    sleep 0.3
  done
  # Where each left button went down (ET_KEYDOWN 8 with KC_LBUTTON 1), from the 56-byte records.
  recorded=$(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
for at in range(0, len(data) - 55, 56):
    kind, key, x, y = struct.unpack_from("<i", data, at)[0], *struct.unpack_from("<i", data, at + 36), \
        *struct.unpack_from("<ii", data, at + 44)
    if kind == 8 and key == 1:
        print(f"{x},{y}")' "$dir/journal.bin" 2>&1 | tr '\n' ' ')
  if [ "$recorded" != "107,101 358,352 359,353 " ]; then
    smoke_log "the clicks reached the game at: ${recorded:-nothing}; expected 107,101 358,352 359,353"
    return 1
  fi
  smoke_log "clicks at twice the size reached the frame at $recorded"
}

# ---------------------------------------------------------------------------------------------
# What a Windows player is given: the program's own resources, the portable zip, the installer.

SMOKE_VERSION=1.50.07
SMOKE_SETUP=$WINDOWS_BUILD/glimmerdrop-$SMOKE_VERSION-setup.exe
SMOKE_ZIP=$WINDOWS_BUILD/glimmerdrop-$SMOKE_VERSION-win64.zip
SMOKE_UNINSTALL_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdrop'
# Every file both packages give the player; the installer adds its uninstaller.
SMOKE_PACKAGE_FILES="glimmerdrop.exe glimmerdrop.vxz README.txt LICENSE.txt THIRD-PARTY-LICENSES.txt
MINGW-W64-RUNTIME-LICENSES.txt"

# The version resources and manifests of the program and of its installer, read back with pefile.
smoke_version_resources_and_manifests() {
  local dir=$1 status
  # Debian's python, which python3-pefile installs into, whatever else comes first on the path.
  local python=/usr/bin/python3
  [ -x "$python" ] || python=python3
  "$python" - "$SMOKE_EXE" "$SMOKE_SETUP" >"$dir/resources.log" 2>&1 <<'EOF'
import sys
import xml.etree.ElementTree as ET

import pefile

RT_MANIFEST = 24
failures = []


def expect(what, actual, wanted):
    if actual != wanted:
        failures.append(f"{what}: {actual!r}, not {wanted!r}")


def resources(path):
    pe = pefile.PE(path, fast_load=True)
    pe.parse_data_directories(directories=[pefile.DIRECTORY_ENTRY["IMAGE_DIRECTORY_ENTRY_RESOURCE"]])
    strings = {}
    for info in getattr(pe, "FileInfo", []):
        for entry in info:
            for table in getattr(entry, "StringTable", []):
                strings.update({k.decode(): v.decode() for k, v in table.entries.items()})
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    manifests = []
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []:
        if kind.id == RT_MANIFEST:
            for name in kind.directory.entries:
                for language in name.directory.entries:
                    data = language.data.struct
                    manifests.append(ET.fromstring(pe.get_data(data.OffsetToData, data.Size)))
    return strings, fixed, manifests


# The values of one element or attribute of a manifest, whatever its namespace.
def values(manifest, name, attribute=None):
    found = [e for e in manifest.iter() if e.tag.split("}")[-1] == name]
    return [e.get(attribute) if attribute else (e.text or "").strip() for e in found]


program, setup = sys.argv[1:3]
strings, fixed, manifests = resources(program)
for key, wanted in {"CompanyName": "Vantorix", "ProductName": "Glimmerdrop", "FileDescription": "Glimmerdrop",
                    "FileVersion": "1.50.07", "ProductVersion": "1.50.07", "OriginalFilename": "glimmerdrop.exe",
                    "LegalCopyright": "Copyright (c) 2026 Vantorix"}.items():
    expect(f"glimmerdrop.exe {key}", strings.get(key), wanted)
four = lambda high, low: f"{high >> 16}.{high & 0xFFFF}.{low >> 16}.{low & 0xFFFF}"
expect("the binary file version", fixed and four(fixed.FileVersionMS, fixed.FileVersionLS), "1.50.7.0")
expect("the binary product version", fixed and four(fixed.ProductVersionMS, fixed.ProductVersionLS), "1.50.7.0")
expect("manifests in glimmerdrop.exe", len(manifests), 1)
if manifests:
    manifest = manifests[0]
    expect("the program's execution level", values(manifest, "requestedExecutionLevel", "level"), ["asInvoker"])
    expect("the systems the program supports", sorted(i.lower() for i in values(manifest, "supportedOS", "Id")),
           sorted(["{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
                   "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"]))
    expect("DPI awareness", [[v.strip() for v in t.split(",")] for t in values(manifest, "dpiAwareness")],
           [["PerMonitorV2", "System"]])
    expect("DPI awareness before Windows 10", [t.lower() for t in values(manifest, "dpiAware")], ["true"])

strings, fixed, manifests = resources(setup)
for key, wanted in {"CompanyName": "Vantorix", "ProductName": "Glimmerdrop", "ProductVersion": "1.50.07"}.items():
    expect(f"the installer's {key}", strings.get(key), wanted)
# No administrator prompt: the installer asks for the rights it was started with.
expect("the installer's execution level",
       [level for m in manifests for level in values(m, "requestedExecutionLevel", "level")], ["asInvoker"])

for failure in failures:
    print(failure)
if not failures:
    print("version 1.50.07 by Vantorix, asInvoker, Windows 7 to 11, PerMonitorV2 then System; installer asInvoker")
sys.exit(1 if failures else 0)
EOF
  status=$?
  sed 's/^/   /' "$dir/resources.log"
  return $status
}

smoke_portable_zip_holds_exactly_the_listed_files() {
  local dir=$1 expected actual name
  expected=$(printf "glimmerdrop-$SMOKE_VERSION-win64/%s\n" $SMOKE_PACKAGE_FILES | sort)
  actual=$(unzip -Z1 "$SMOKE_ZIP" 2>&1 | sort)
  if [ "$actual" != "$expected" ]; then
    smoke_log "the zip holds:"
    echo "$actual" | sed 's/^/     /'
    return 1
  fi
  for name in glimmerdrop.exe glimmerdrop.vxz; do
    if ! unzip -p "$SMOKE_ZIP" "glimmerdrop-$SMOKE_VERSION-win64/$name" | cmp -s - "$WINDOWS_BUILD/$name"; then
      smoke_log "$name in the zip is not the one built"
      return 1
    fi
  done
  smoke_log "the zip holds the $(echo "$expected" | wc -l) files, the program and archive as built"
}

# One value of the uninstall entry, as reg shows it ("" when missing).
uninstall_value() {
  wine reg query "$SMOKE_UNINSTALL_KEY" /v "$1" 2>/dev/null | tr -d '\r' |
    awk -v name="$1" '$1 == name { sub(/^[ \t]*[^ \t]+[ \t]+[^ \t]+[ \t]+/, ""); print; exit }'
}

uninstall_entry_exists() {
  wine reg query "$SMOKE_UNINSTALL_KEY" >/dev/null 2>&1
}

# The shortcuts the installer may have made, wherever Wine keeps the user's folders.
shortcuts() {
  find "$WINEPREFIX/drive_c/users" -name 'Glimmerdrop.lnk' 2>/dev/null | sed "s|^$WINEPREFIX/drive_c/users/[^/]*/||" | sort
}

# Takes away whatever an earlier, interrupted run of these checks installed.
installer_leftovers_remove() {
  local location
  location=$(uninstall_value InstallLocation)
  [ -n "$location" ] && rm -rf "$(winepath -u "$location" 2>/dev/null)"
  wine reg delete "$SMOKE_UNINSTALL_KEY" /f >/dev/null 2>&1
  find "$WINEPREFIX/drive_c/users" -name 'Glimmerdrop.lnk' -delete 2>/dev/null
  return 0
}

smoke_installer_refuses_what_it_cannot_write_and_registers_nothing_then() {
  local dir=$1 status
  installer_leftovers_remove
  # Nobody may make a folder in /proc, not even root, who may run these tests.
  timeout -k 5 60 wine "$SMOKE_SETUP" /S '/D=Z:\proc\Glimmerdrop' >"$dir/setup-1.log" 2>&1
  status=$?
  if [ $status -eq 0 ] || uninstall_entry_exists; then
    smoke_log "installing into /proc ended with $status and $(uninstall_entry_exists && echo an || echo no) entry"
    return 1
  fi
  # A folder standing where the archive goes stops the install half-way.
  mkdir -p "$dir/blocked/glimmerdrop.vxz"
  timeout -k 5 60 wine "$SMOKE_SETUP" /S "/D=$(winepath -w "$dir/blocked")" >"$dir/setup-2.log" 2>&1
  status=$?
  if [ $status -eq 0 ] || uninstall_entry_exists || [ -n "$(shortcuts)" ]; then
    smoke_log "an install stopped half-way ended with $status, entry: $(uninstall_entry_exists && echo yes || echo no)," \
      "shortcuts: $(shortcuts | tr '\n' ' ')"
    return 1
  fi
  smoke_log "both refused (exit status $status) and left no entry"
}

# Each field of the uninstall entry, against the folder it was installed to.
installed_entry_is_complete() {
  local location=$1 name value size
  local -A wanted=(
    [DisplayName]=Glimmerdrop [DisplayVersion]=$SMOKE_VERSION [Publisher]=Vantorix
    [DisplayIcon]="$location\\glimmerdrop.exe,0" [UninstallString]="\"$location\\uninstall.exe\""
    [QuietUninstallString]="\"$location\\uninstall.exe\" /S" [NoModify]=0x1 [NoRepair]=0x1
  )
  for name in "${!wanted[@]}"; do
    value=$(uninstall_value "$name")
    if [ "$value" != "${wanted[$name]}" ]; then
      smoke_log "the entry's $name is \"$value\", not \"${wanted[$name]}\""
      return 1
    fi
  done
  # Kilobytes: at least the archive's, and no more than the folder holds.
  size=$(($(uninstall_value EstimatedSize)))
  if [ "$size" -lt $(($(stat -c %s "$WINDOWS_BUILD/glimmerdrop.vxz") / 1024)) ] ||
    [ "$size" -gt "$(du -sk "$(winepath -u "$location")" | cut -f1)" ]; then
    smoke_log "the entry's EstimatedSize is $size KB"
    return 1
  fi
}

installed_files_are_the_packages() {
  local folder=$1 expected actual
  expected=$(printf '%s\n' $SMOKE_PACKAGE_FILES uninstall.exe | sort)
  actual=$(cd "$folder" && find . -mindepth 1 | sed 's|^\./||' | sort)
  if [ "$actual" != "$expected" ]; then
    smoke_log "the program's folder holds: $(echo "$actual" | tr '\n' ' ')"
    return 1
  fi
  cmp -s "$folder/glimmerdrop.exe" "$SMOKE_EXE" || { smoke_log "the installed program is not the one built"; return 1; }
}

smoke_installer_installs_upgrades_plays_and_uninstalls_keeping_the_scores() {
  local dir=$1 location folder quiet uninstaller expected deadline
  installer_leftovers_remove
  if ! timeout -k 5 120 wine "$SMOKE_SETUP" /S >"$dir/setup.log" 2>&1; then
    smoke_log "the silent install failed"
    return 1
  fi
  location=$(uninstall_value InstallLocation)
  case $location in
    'C:\users\'*'\AppData\Local\Programs\Glimmerdrop') ;;
    *) smoke_log "installed to \"$location\", not the user's own programs folder"; return 1 ;;
  esac
  folder=$(winepath -u "$location")
  installed_files_are_the_packages "$folder" && installed_entry_is_complete "$location" || return 1
  if [ "$(shortcuts)" != "AppData/Roaming/Microsoft/Windows/Start Menu/Programs/Glimmerdrop.lnk" ]; then
    smoke_log "the shortcuts are: $(shortcuts | tr '\n' ' '); only the Start menu's was asked for"
    return 1
  fi
  smoke_log "installed to $location with its entry and Start-menu shortcut"

  # Installing the same version again replaces it in place.
  if ! timeout -k 5 120 wine "$SMOKE_SETUP" /S >"$dir/setup-again.log" 2>&1 ||
    [ "$(uninstall_value InstallLocation)" != "$location" ] || ! installed_files_are_the_packages "$folder"; then
    smoke_log "installing again did not replace the install in place"
    return 1
  fi

  # The installed program, with the archive it was installed with, plays the recorded game.
  expected=$(cat "$SMOKE_GOLDEN/screens-hs0.txt")
  GAME_EXE=$folder/glimmerdrop.exe play_journal "$dir" screens || return 1
  if [ "$(registry_binary HS:0)" != "$expected" ]; then
    smoke_log "the installed program stored HS:0 \"$(registry_binary HS:0)\", the Linux program \"$expected\""
    return 1
  fi
  smoke_log "the installed program stored the Linux program's HS:0"

  # The entry's own quiet command; the uninstaller goes on from a copy of itself, so wait.
  quiet=$(uninstall_value QuietUninstallString)
  uninstaller=${quiet#\"}
  uninstaller=${uninstaller%%\"*}
  wine "$(winepath -u "$uninstaller")" ${quiet##*\" } >"$dir/uninstall.log" 2>&1
  deadline=$((SECONDS + 60))
  while { uninstall_entry_exists || [ -e "$folder" ]; } && [ $SECONDS -lt $deadline ]; do
    sleep 0.5
  done
  if uninstall_entry_exists || [ -e "$folder" ] || [ -n "$(shortcuts)" ]; then
    smoke_log "after the quiet uninstall: entry $(uninstall_entry_exists && echo kept || echo gone)," \
      "folder $([ -e "$folder" ] && ls "$folder" | tr '\n' ' ' || echo gone), shortcuts $(shortcuts | tr '\n' ' ')"
    return 1
  fi
  registry_holds HS:0 "$expected" || return 1
  smoke_log "uninstalled: files, entry and shortcut gone, the high scores kept"
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
  smoke_check version_resources_and_manifests
  smoke_check portable_zip_holds_exactly_the_listed_files
  smoke_check installer_refuses_what_it_cannot_write_and_registers_nothing_then
  smoke_check installer_installs_upgrades_plays_and_uninstalls_keeping_the_scores
  smoke_check a_missing_archive_is_a_failed_start

  # Wine keeps display modes per prefix, so the session starts again for each other screen: one
  # with room for twice the frame, then 640 x 480, the only size where DirectDraw sets that mode.
  # The journal recorded on Linux in a window of the frame's size plays back at twice the size.
  wine_session_stop
  if wine_session_start "$1" 1600x1200x24; then
    smoke_check a_large_screen_doubles_the_window_and_clicks_land_on_their_cells
    smoke_check recorded_game_stores_its_high_score_in_the_registry
    smoke_check keyboard_game_stores_its_high_score_in_the_registry
  else
    failed=$((failed + 1))
  fi
  wine_session_stop
  if wine_session_start "$1" 640x480x24; then
    smoke_check full_screen_on_a_640_by_480_display
    smoke_check full_screen_switch_with_alt_return
  else
    failed=$((failed + 1))
  fi
}
