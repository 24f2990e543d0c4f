#!/usr/bin/env bash
# Packs the Windows program that scripts/build-windows.sh built: the portable zip
# glimmerdrop-VERSION-win64.zip and the installer glimmerdrop-VERSION-setup.exe (NSIS), both in
# the Windows build folder. Both hold the same files, staged once in package/; the installer
# script is packaging/windows/glimmerdrop.nsi. Nothing is redone while no input changed.
#
# Usage: scripts/package-windows.sh
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/windows-env.sh

VERSION=$(sed -n 's/^project(Glimmerdrop VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
[ -n "$VERSION" ] || { echo "package-windows: no version in CMakeLists.txt" >&2; exit 1; }
# 1.50.07 as the four numbers of a version resource.
VERSION_NUMBERS=$(echo "$VERSION" | awk -F. '{ printf "%d.%d.%d.0", $1, $2, $3 }')
NAME=glimmerdrop-$VERSION-win64
STAGE=$WINDOWS_BUILD/package/$NAME
ZIP=$WINDOWS_BUILD/$NAME.zip
SETUP=$WINDOWS_BUILD/glimmerdrop-$VERSION-setup.exe
ICON=$WINDOWS_BUILD/host/glimmerdrop.ico
NSI=$ROOT/packaging/windows/glimmerdrop.nsi

# What the player gets, in this order: the name in the package, then where it comes from.
# The installer lists the same names (PROGRAM_FILES in the .nsi); the tests hold both to it.
FILES=(
  glimmerdrop.exe "$WINDOWS_BUILD/glimmerdrop.exe"
  glimmerdrop.vxz "$WINDOWS_BUILD/glimmerdrop.vxz"
  README.txt "$ROOT/packaging/windows/README.txt"
  LICENSE.txt "$ROOT/LICENSE"
  THIRD-PARTY-LICENSES.txt "$ROOT/THIRD-PARTY-LICENSES.txt"
  MINGW-W64-RUNTIME-LICENSES.txt "$ROOT/packaging/windows/MINGW-W64-RUNTIME-LICENSES.txt"
)

inputs=("$NSI" "$ICON" "$0")
for ((i = 1; i < ${#FILES[@]}; i += 2)); do
  inputs+=("${FILES[i]}")
done
for input in "${inputs[@]}"; do
  [ -f "$input" ] || { echo "package-windows: $input is missing" >&2; exit 1; }
done

key=$(sha256sum "${inputs[@]}" | sha256sum | cut -c1-32)
if [ -f "$ZIP" ] && [ -f "$SETUP" ] && [ "$(cat "$WINDOWS_BUILD/package/.key" 2>/dev/null)" = "$key" ]; then
  exit 0
fi
start=$SECONDS
rm -f "$WINDOWS_BUILD/package/.key"
rm -rf "$STAGE"
mkdir -p "$STAGE"
# The zip's times are those of the last commit, so the same sources make the same zip.
stamp=$(git -C "$ROOT" log -1 --format=%ct 2>/dev/null || echo 0)
names=()
for ((i = 0; i < ${#FILES[@]}; i += 2)); do
  name=${FILES[i]} from=${FILES[i + 1]}
  case $name in
    # Text for Notepad: CRLF line ends.
    *.txt) sed 's/\r$//; s/$/\r/' "$from" >"$STAGE/$name" ;;
    *) cp "$from" "$STAGE/$name" ;;
  esac
  touch -d "@$stamp" "$STAGE/$name"
  names+=("$NAME/$name")
done

rm -f "$ZIP.part"
(cd "$WINDOWS_BUILD/package" && TZ=UTC zip -q -X -D -9 "$ZIP.part" "${names[@]}")
mv "$ZIP.part" "$ZIP"

rm -f "$SETUP.part"
if ! makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$VERSION" -DVERSION_NUMBERS="$VERSION_NUMBERS" -DSTAGE="$STAGE" \
    -DICON="$ICON" -DOUTFILE="$SETUP.part" "$NSI" >"$WINDOWS_BUILD/package/makensis.log" 2>&1; then
  cat "$WINDOWS_BUILD/package/makensis.log" >&2
  echo "package-windows: makensis failed" >&2
  exit 1
fi
mv "$SETUP.part" "$SETUP"
echo "$key" >"$WINDOWS_BUILD/package/.key"
echo "-- packed in $((SECONDS - start)) s: $(basename "$ZIP") ($(du -k "$ZIP" | cut -f1) KB)," \
  "$(basename "$SETUP") ($(du -k "$SETUP" | cut -f1) KB)"
