#!/usr/bin/env bash
# The Linux program as a player gets it, from a built tree (default build/; nothing is compiled):
# installed under a prefix with a space in it and unpacked from its Debian package, each run from
# outside the build tree on the recorded game "screens" to the high-score row the build's own
# program stores; the desktop entry, metainfo, icons and man page checked; lintian asked about
# the package. Ends with "N passed, N failed".
set -uo pipefail
cd "$(dirname "$0")/.."
ROOT=$(pwd)
BUILD=$(cd "${1:-build}" && pwd) || { echo "0 passed, 1 failed"; exit 1; }
APP_ID=example.vantorix.Glimmerdrop
GOLDEN_ROW=$(cat "$ROOT/tests/integration/golden/screens-hs0.txt")
WORK=$(mktemp -d)
PREFIX="$WORK/install prefix"
DEB_DIR=$BUILD/packages
XVFB_PID=
trap '[ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null; rm -rf "$WORK"' EXIT

passed=0
failed=0

# Runs one check and counts it, showing what it printed (the last of it when it failed).
check() {
  local name=$1
  shift
  if "$@" >"$WORK/check.log" 2>&1; then
    passed=$((passed + 1))
    echo "ok   $name"
    [ -s "$WORK/check.log" ] && sed 's/^/     /' "$WORK/check.log"
  else
    failed=$((failed + 1))
    echo "FAIL $name"
    tail -n 40 "$WORK/check.log" | sed 's/^/     /'
  fi
  return 0
}

install_tree() {
  cmake --install "$BUILD" --prefix "$PREFIX" >/dev/null
}

installed_files_are_in_place() {
  local file missing=0
  for file in bin/glimmerdrop share/glimmerdrop/glimmerdrop.vxz share/man/man6/glimmerdrop.6 \
    share/applications/$APP_ID.desktop share/metainfo/$APP_ID.metainfo.xml \
    share/doc/glimmerdrop/LICENSE share/doc/glimmerdrop/THIRD-PARTY-LICENSES.txt share/doc/glimmerdrop/README.md; do
    [ -s "$PREFIX/$file" ] || { echo "missing: $file"; missing=1; }
  done
  [ -x "$PREFIX/bin/glimmerdrop" ] || { echo "bin/glimmerdrop is not executable"; missing=1; }
  return $missing
}

icons_have_every_size() {
  local size file got bad=0
  for size in 16 24 32 48 64 128 256 512; do
    file="$PREFIX/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
    got=$(identify -format '%m %wx%h' "$file" 2>&1)
    [ "$got" = "PNG ${size}x${size}" ] || { echo "$file: '$got'"; bad=1; }
  done
  return $bad
}

desktop_files_validate() {
  local desktop=$PREFIX/share/applications/$APP_ID.desktop
  desktop-file-validate "$desktop" || return 1
  # The tree, not just the file: the entry the metainfo launches must be there too.
  appstreamcli validate-tree --no-net "$PREFIX" >"$WORK/appstream.log" 2>&1 || { cat "$WORK/appstream.log"; return 1; }
  # The entry, the icons and the window's class all go by the one id.
  grep -qx "Icon=$APP_ID" "$desktop" && grep -qx "StartupWMClass=$APP_ID" "$desktop" &&
    grep -q "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" \
      "$PREFIX/share/metainfo/$APP_ID.metainfo.xml" || { echo "the files disagree on the id $APP_ID"; return 1; }
}

man_page_covers_every_switch() {
  local page=$PREFIX/share/man/man6/glimmerdrop.6 switch text missing=0
  text=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>"$WORK/man.log") || { cat "$WORK/man.log"; return 1; }
  [ -s "$WORK/man.log" ] && { cat "$WORK/man.log"; return 1; }
  for switch in $("$PREFIX/bin/glimmerdrop" --help | sed -n 's/^  \(-[-a-z]*\).*/\1/p'); do
    grep -qE -- "(^ *|, )$switch\b" <<<"$text" || { echo "the man page lacks $switch"; missing=1; }
  done
  return $missing
}

# Plays the recorded game with the program given, in a fresh folder outside the build tree, and
# prints the "HS:0" row it stored as hexadecimal digits.
stored_row() {
  local program=$1 dir
  dir=$(mktemp -d "$WORK/run.XXXX")
  gzip -dc "$ROOT/tests/integration/journals/screens.journal.gz" >"$dir/journal.bin" || return 1
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\SOFTWARE\\Vantorix\\Glimmerdrop]\n"Did Tutorial"=hex:01,00,00,00\n' \
    >"$dir/registry.reg"
  (cd "$dir" && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GLIMMERDROP_REGISTRY="$dir/registry.reg" \
    HOME="$dir" XDG_CONFIG_HOME="$dir" timeout 300 "$program" -demo screens -trace >"$dir/output.txt" 2>&1) ||
    { echo "exit code $?" >&2; cat "$dir/output.txt" >&2; return 1; }
  # Values longer than a line go on after a backslash.
  sed -e ':a' -e '/\\$/{N;s/\\\n//;ba' -e '}' "$dir/registry.reg" |
    sed -n 's/^"HS:0"=hex:\(.*\)$/\1/p' | tr -d ', \r'
}

plays_back_to_the_builds_row() {
  local row
  row=$(stored_row "$1") || return 1
  [ "$row" = "$GOLDEN_ROW" ] || { echo "HS:0 is '$row', the build's program stores '$GOLDEN_ROW'"; return 1; }
}

a_tree_without_its_archive_fails_and_says_where_it_looked() {
  local tree="$WORK/no archive" code
  mkdir -p "$tree/bin"
  cp "$PREFIX/bin/glimmerdrop" "$tree/bin/"
  (cd "$WORK" && env SDL_VIDEODRIVER=dummy SDL_AUDIODRIVER=dummy GLIMMERDROP_REGISTRY="$WORK/none.reg" \
    "$tree/bin/glimmerdrop" >"$WORK/missing.txt" 2>&1)
  code=$?
  [ $code -ne 0 ] || { echo "exit code 0"; return 1; }
  grep -qF "Could not load the resource file '$tree/bin/glimmerdrop.vxz' or '$tree/share/glimmerdrop/glimmerdrop.vxz'" \
    "$WORK/missing.txt" || { cat "$WORK/missing.txt"; return 1; }
}

the_window_has_the_entrys_class() {
  local display window class pid
  exec 3>"$WORK/display"
  Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  exec 3>&-
  for _ in $(seq 50); do
    display=$(cat "$WORK/display")
    [ -n "$display" ] && break
    sleep 0.1
  done
  [ -n "$display" ] || { echo "Xvfb did not start"; return 1; }
  DISPLAY=:$display SDL_AUDIODRIVER=dummy GLIMMERDROP_REGISTRY="$WORK/window.reg" HOME="$WORK" \
    "$PREFIX/bin/glimmerdrop" >"$WORK/window.txt" 2>&1 &
  pid=$!
  for _ in $(seq 100); do
    window=$(DISPLAY=:$display xdotool search --name '^Glimmerdrop' 2>/dev/null | head -n 1)
    [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] && class=$(DISPLAY=:$display xprop -id "$window" WM_CLASS)
  kill "$pid" 2>/dev/null
  for _ in $(seq 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  kill -KILL "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  kill "$XVFB_PID" 2>/dev/null
  wait "$XVFB_PID" 2>/dev/null
  XVFB_PID=
  [ "${class:-}" = "WM_CLASS(STRING) = \"$APP_ID\", \"$APP_ID\"" ] ||
    { echo "the window's class: '${class:-no window}'"; cat "$WORK/window.txt"; return 1; }
}

make_package() {
  mkdir -p "$DEB_DIR"
  rm -f "$DEB_DIR"/glimmerdrop_*.deb
  "$ROOT/packaging/linux/make-deb.sh" "$BUILD" "$DEB_DIR" >"$WORK/deb-path" || return 1
  DEB=$(cat "$WORK/deb-path")
  echo "$(basename "$DEB"): $(stat -c %s "$DEB") bytes"
}

package_declares_its_dependencies() {
  local info
  info=$(dpkg-deb --info "$DEB") || return 1
  grep -E '^ (Depends|Section|Installed-Size):' <<<"$info"
  grep -q '^ Section: games$' <<<"$info" && grep -q '^ Depends: .*libc6 (>=' <<<"$info" &&
    grep -q '^ Depends: .*libsdl2-2.0-0 (>=' <<<"$info"
}

package_holds_the_installed_files() {
  local file missing=0 list
  list=$(dpkg-deb -c "$DEB" | awk '{print $NF}')
  for file in ./usr/games/glimmerdrop ./usr/share/glimmerdrop/glimmerdrop.vxz ./usr/share/man/man6/glimmerdrop.6.gz \
    ./usr/share/applications/$APP_ID.desktop ./usr/share/metainfo/$APP_ID.metainfo.xml \
    ./usr/share/icons/hicolor/512x512/apps/$APP_ID.png ./usr/share/doc/glimmerdrop/copyright \
    ./usr/share/doc/glimmerdrop/changelog.gz; do
    grep -qxF "$file" <<<"$list" || { echo "not in the package: $file"; missing=1; }
  done
  return $missing
}

unpacked_package_plays_back() {
  rm -rf "$WORK/deb root"
  dpkg-deb -x "$DEB" "$WORK/deb root" || return 1
  plays_back_to_the_builds_row "$WORK/deb root/usr/games/glimmerdrop"
}

packaged_menu_entry_starts_the_packaged_program() {
  local desktop="$WORK/deb root/usr/share/applications/$APP_ID.desktop"
  desktop-file-validate "$desktop" || return 1
  grep -qx 'Exec=/usr/games/glimmerdrop' "$desktop" || { grep '^Exec=' "$desktop"; return 1; }
}

apt_would_install_it() {
  apt-get install --simulate "$DEB" >"$WORK/apt.log" 2>&1 || { tail -n 20 "$WORK/apt.log"; return 1; }
  grep -q '^Inst glimmerdrop ' "$WORK/apt.log" || { tail -n 20 "$WORK/apt.log"; return 1; }
}

lintian_finds_no_errors() {
  local code
  lintian --no-tag-display-limit --display-info --pedantic "$DEB" >"$WORK/lintian.log" 2>&1
  code=$?
  grep -E '^[EWI]: ' "$WORK/lintian.log"
  ! grep -q '^E: ' "$WORK/lintian.log" && [ $code -eq 0 ]
}

start=$SECONDS
echo "== package (from $BUILD)"
check "cmake --install into a prefix with a space" install_tree
check "installed files in place" installed_files_are_in_place
check "one PNG icon per size, of that size" icons_have_every_size
check "desktop entry and metainfo validate" desktop_files_validate
check "man page clean and naming every switch" man_page_covers_every_switch
check "installed program plays the recorded game to the build's row" plays_back_to_the_builds_row \
  "$PREFIX/bin/glimmerdrop"
check "no archive: non-zero exit, both places named" a_tree_without_its_archive_fails_and_says_where_it_looked
check "the window's class is the desktop entry's" the_window_has_the_entrys_class
DEB=
check "Debian package made" make_package
if [ -n "$DEB" ]; then
  check "package declares section and computed dependencies" package_declares_its_dependencies
  check "package holds the installed files" package_holds_the_installed_files
  check "unpacked package plays the recorded game to the build's row" unpacked_package_plays_back
  check "packaged menu entry names the packaged program" packaged_menu_entry_starts_the_packaged_program
  check "apt would install it with its dependencies" apt_would_install_it
  check "lintian reports no errors" lintian_finds_no_errors
fi
echo "package stage: $((SECONDS - start)) s"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
