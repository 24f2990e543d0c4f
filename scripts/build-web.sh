#!/usr/bin/env bash
# Builds the game for the browser with Debian's Emscripten into build-web/: index.html, the
# program's glimmerdrop.js and glimmerdrop.wasm, and glimmerdrop.vxz.
#
# SDL2 and the libraries come from Debian's source packages (scripts/debian-sources.sh), built
# static into build-web/deps/prefix, each again only when its version or recipe changes. The
# archive comes from a native build of our generator: the build folder GLIMMERDROP_HOST_BUILD
# names (./test.sh passes its own build/), else build-web/host.
#
# Usage: scripts/build-web.sh [--deps-only]
# GLIMMERDROP_WEB_BUILD names another build folder (default: build-web).
set -euo pipefail
cd "$(dirname "$0")/.."
ROOT=$PWD
source scripts/deps.sh

ensure_packages "${BUILD_PACKAGES[@]}" "${WEB_BUILD_PACKAGES[@]}"

WEB_BUILD=${GLIMMERDROP_WEB_BUILD:-$ROOT/build-web}
case $WEB_BUILD in /*) ;; *) WEB_BUILD=$ROOT/$WEB_BUILD ;; esac
# Emscripten's linker needs Debian's node modules (acorn) on the module path.
export NODE_PATH=/usr/share/nodejs${NODE_PATH:+:$NODE_PATH}

DEPS=$WEB_BUILD/deps
JOBS=${GLIMMERDROP_JOBS:-2}
TOOLCHAIN=$ROOT/cmake/emscripten.cmake
DEP_NAME=build-web
DEP_CC=emcc
DEP_AR=emar
# zlib learns of unistd.h from its configure script, which is not run here.
DEP_CFLAGS=(-DZ_HAVE_UNISTD_H)
DEP_CMAKE=(cmake)
DEP_CMAKE_ARGS=(-DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DGLIMMERDROP_WEB_PREFIX="$DEPS/prefix")
TOOLCHAIN_KEY="$(sha256sum "$TOOLCHAIN" | cut -c1-16) $(emcc --version | sed -n 1p | sha256sum | cut -c1-16)"
source scripts/debian-sources.sh

# ---------------------------------------------------------------------------------------------
# Recipes. Each gets the unpacked source tree and installs into $PREFIX.

recipe_sdl2() {
  # Emscripten runs SDL on the page's own thread: no threads, no dynamic loading.
  cmake_dependency sdl2 "$1" -DSDL_SHARED=OFF -DSDL_STATIC=ON -DSDL_TEST=OFF -DSDL_PTHREADS=OFF \
    -DSDL_THREADS=OFF -DSDL_LOADSO=OFF
}

recipe_libpng() {
  cmake_dependency libpng "$1" -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
    -DSKIP_INSTALL_PROGRAMS=ON -DPNG_HARDWARE_OPTIMIZATIONS=OFF -DM_LIBRARY=
}

# CMake measures a type by reading its size out of the program it built, which here is JavaScript
# with the WebAssembly beside it: so the sizes of wasm32 are given, as cache entries the checks keep.
type_sizes() {
  local pair
  for pair in "$@"; do
    printf -- '-DHAVE_%s=TRUE -D%s\n' "${pair%%=*}" "$pair"
  done
}

recipe_libjpeg() {
  # shellcheck disable=SC2046
  cmake_dependency libjpeg-turbo "$1" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=OFF $(type_sizes SIZE_T=4 UNSIGNED_LONG=4) \
    -DCMAKE_INSTALL_DOCDIR="$WORK_DIR/discard" -DCMAKE_INSTALL_MANDIR="$WORK_DIR/discard" \
    -DCMAKE_INSTALL_BINDIR="$WORK_DIR/discard"
}

recipe_libogg() {
  # shellcheck disable=SC2046
  cmake_dependency libogg "$1" -DINSTALL_DOCS=OFF $(type_sizes INT16_SIZE=2 UINT16_SIZE=2 U_INT16_SIZE=2 \
    INT32_SIZE=4 UINT32_SIZE=4 U_INT32_SIZE=4 INT64_SIZE=8 SHORT_SIZE=2 INT_SIZE=4 LONG_SIZE=4 LONG_LONG_SIZE=8)
}

recipe_libvorbis() {
  cmake_dependency libvorbis "$1" -DINSTALL_CMAKE_PACKAGE_MODULE=ON
}

build_dependencies() {
  local start=$SECONDS
  build_dependency libsdl2 recipe_sdl2
  build_game_libraries
  flatten_pkgconfig
  echo "-- dependencies ready in $((SECONDS - start)) s: $PREFIX"
}

HOST=${GLIMMERDROP_HOST_BUILD:-$WEB_BUILD/host}
case $HOST in /*) ;; *) HOST=$ROOT/$HOST ;; esac
build_archive() {
  local start=$SECONDS
  if [ ! -f "$HOST/CMakeCache.txt" ]; then
    cmake -S "$ROOT" -B "$HOST" -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLIMMERDROP_TESTS=OFF \
      -DGLIMMERDROP_BENCH=OFF >"$LOGS/host-configure.log" 2>&1 || { cat "$LOGS/host-configure.log" >&2; return 1; }
  fi
  if ! cmake --build "$HOST" -j "$JOBS" --target glimmerdrop_assets >"$LOGS/host-build.log" 2>&1; then
    tail -n 60 "$LOGS/host-build.log" >&2
    return 1
  fi
  if ! cmp -s "$HOST/glimmerdrop.vxz" "$WEB_BUILD/glimmerdrop.vxz"; then
    cp "$HOST/glimmerdrop.vxz" "$WEB_BUILD/glimmerdrop.vxz.part"
    mv "$WEB_BUILD/glimmerdrop.vxz.part" "$WEB_BUILD/glimmerdrop.vxz"
  fi
  echo "-- resource archive ready in $((SECONDS - start)) s"
}

build_program() {
  local start=$SECONDS
  cmake -S "$ROOT" -B "$WEB_BUILD" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" \
    -DGLIMMERDROP_WEB_PREFIX="$PREFIX" -DCMAKE_BUILD_TYPE=Release -DGLIMMERDROP_TESTS=OFF -DGLIMMERDROP_BENCH=OFF \
    >"$WEB_BUILD/configure.log" 2>&1 || { cat "$WEB_BUILD/configure.log" >&2; return 1; }
  cmake --build "$WEB_BUILD" -j "$JOBS" --target glimmerdrop
  echo "-- web build done in $((SECONDS - start)) s: $WEB_BUILD"
}

build_dependencies
[ "${1:-}" = "--deps-only" ] && exit 0
build_archive
build_program
echo "-- $WEB_BUILD/index.html with glimmerdrop.js, glimmerdrop.wasm and glimmerdrop.vxz"
