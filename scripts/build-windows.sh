#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build-windows/.
#
# The libraries come from Debian's source packages (scripts/debian-sources.sh) and are built
# static for x86_64-w64-mingw32 into build-windows/deps/prefix. Each is rebuilt only when its
# Debian version or its recipe changes, so a second run goes straight to our own code.
#
# It ends with glimmerdrop.exe and, beside it, glimmerdrop.vxz made by a native build of our
# asset generator in build-windows/host (which also draws the program's icon); then
# scripts/package-windows.sh packs both into the installer and the portable zip.
#
# Usage: scripts/build-windows.sh [--deps-only]
# GLIMMERDROP_WINDOWS_BUILD names another build folder (default: build-windows).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/deps.sh
source scripts/windows-env.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${WINDOWS_BUILD_PACKAGES[@]}"

DEPS=$WINDOWS_BUILD/deps
JOBS=${GLIMMERDROP_JOBS:-2}
TRIPLE=x86_64-w64-mingw32
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
DEP_NAME=build-windows
DEP_CC="$TRIPLE-gcc-posix"
DEP_AR="$TRIPLE-gcc-ar-posix"
DEP_CFLAGS=()
DEP_CMAKE=(cmake)
DEP_CMAKE_ARGS=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DGLIMMERDROP_WINDOWS_PREFIX="$DEPS/prefix")
TOOLCHAIN_KEY=$(sha256sum "$TOOLCHAIN" | cut -c1-16)
source scripts/debian-sources.sh

# ---------------------------------------------------------------------------------------------
# Recipes. Each gets the unpacked source tree and installs into $PREFIX.

recipe_libpng() {
  cmake_dependency libpng "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DSKIP_INSTALL_PROGRAMS=ON
}

recipe_libjpeg() {
  cmake_dependency libjpeg-turbo "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DCMAKE_ASM_NASM_COMPILER=nasm -DCMAKE_INSTALL_DOCDIR="$WORK_DIR/discard" \
    -DCMAKE_INSTALL_MANDIR="$WORK_DIR/discard" -DCMAKE_INSTALL_BINDIR="$WORK_DIR/discard"
}

recipe_libogg() {
  cmake_dependency libogg "$1" -DINSTALL_DOCS=OFF
}

recipe_libvorbis() {
  cmake_dependency libvorbis "$1" -DINSTALL_CMAKE_PACKAGE_MODULE=ON
}

recipe_googletest() {
  cmake_dependency googletest "$1" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=ON
}

build_dependencies() {
  local start=$SECONDS
  build_game_libraries
  # GoogleTest is Debian's own source package, already unpacked by libgtest-dev's dependency.
  local key
  key="$(dpkg-query -W -f='${Version}' googletest) $(declare -f recipe_googletest cmake_dependency | sha256sum | cut -c1-16) $TOOLCHAIN_KEY"
  if [ ! -f "$STAMPS/googletest" ] || [ "$(cat "$STAMPS/googletest")" != "$key" ]; then
    echo "-- building googletest"
    if ! recipe_googletest /usr/src/googletest >"$LOGS/build-googletest.log" 2>&1; then
      tail -n 60 "$LOGS/build-googletest.log" >&2
      return 1
    fi
    echo "$key" >"$STAMPS/googletest"
  fi
  flatten_pkgconfig
  echo "-- dependencies ready in $((SECONDS - start)) s: $PREFIX"
}

# ccache, where installed, shares compiled objects between build folders and worktrees.
COMPILER_LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
  COMPILER_LAUNCHER=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

build_program() {
  local start=$SECONDS
  # Compiler settings of the toolchain are cached at the first configure; start afresh when it changes.
  local toolchain_key
  toolchain_key=$(sha256sum "$TOOLCHAIN" | cut -c1-16)
  if [ "$(cat "$WINDOWS_BUILD/.toolchain-key" 2>/dev/null)" != "$toolchain_key" ]; then
    rm -rf "$WINDOWS_BUILD/CMakeCache.txt" "$WINDOWS_BUILD/CMakeFiles"
  fi
  cmake -S "$ROOT" -B "$WINDOWS_BUILD" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DGLIMMERDROP_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DGLIMMERDROP_BENCH=OFF -DGLIMMERDROP_WINDOWS_ICON="$HOST/glimmerdrop.ico" \
    "${COMPILER_LAUNCHER[@]}" >"$WINDOWS_BUILD/configure.log" 2>&1 \
    || { cat "$WINDOWS_BUILD/configure.log" >&2; return 1; }
  echo "$toolchain_key" >"$WINDOWS_BUILD/.toolchain-key"
  cmake --build "$WINDOWS_BUILD" -j "$JOBS"
  echo "-- Windows build done in $((SECONDS - start)) s: $WINDOWS_BUILD"
}

# The resource archive and the window icon are made by our own generators, which run on the
# build machine: a native build of just those targets in build-windows/host. The archive goes
# beside the program; the icon into its resources. Nothing of it is cross-built.
HOST=$WINDOWS_BUILD/host
build_host_tools() {
  local start=$SECONDS
  cmake -S "$ROOT" -B "$HOST" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLIMMERDROP_TESTS=OFF -DGLIMMERDROP_BENCH=OFF \
    "${COMPILER_LAUNCHER[@]}" >"$LOGS/host-configure.log" 2>&1 || { cat "$LOGS/host-configure.log" >&2; return 1; }
  if ! cmake --build "$HOST" -j "$JOBS" --target glimmerdrop_assets glimmerdrop_icon >"$LOGS/host-build.log" 2>&1; then
    tail -n 60 "$LOGS/host-build.log" >&2
    return 1
  fi
  echo "-- resource archive and icon ready in $((SECONDS - start)) s"
}

place_archive() {
  if ! cmp -s "$HOST/glimmerdrop.vxz" "$WINDOWS_BUILD/glimmerdrop.vxz"; then
    cp "$HOST/glimmerdrop.vxz" "$WINDOWS_BUILD/glimmerdrop.vxz.part"
    mv "$WINDOWS_BUILD/glimmerdrop.vxz.part" "$WINDOWS_BUILD/glimmerdrop.vxz"
  fi
}

build_dependencies
[ "${1:-}" = "--deps-only" ] && exit 0
build_host_tools
build_program
place_archive
echo "-- $WINDOWS_BUILD/glimmerdrop.exe with glimmerdrop.vxz beside it"
scripts/package-windows.sh
