#!/usr/bin/env bash
# Builds the Windows program with MinGW-w64 into build-windows/.
#
# The libraries come from Debian's source packages, fetched with `apt-get source` through a
# private source list and private apt state (the system's apt configuration is only read),
# and are built static for x86_64-w64-mingw32 into build-windows/deps/prefix. Each is rebuilt
# only when its Debian version or its recipe below changes, so a second run goes straight
# to our own code.
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
PREFIX=$DEPS/prefix
APT_DIR=$DEPS/apt
SRC_DIR=$DEPS/src
WORK_DIR=$DEPS/work
STAMPS=$DEPS/stamps
LOGS=$DEPS/logs
JOBS=${GLIMMERDROP_JOBS:-2}
TRIPLE=x86_64-w64-mingw32
TOOLCHAIN=$ROOT/cmake/mingw-w64-x86_64.cmake
CC_W="$TRIPLE-gcc-posix"
AR_W="$TRIPLE-gcc-ar-posix"
mkdir -p "$PREFIX/lib/pkgconfig" "$PREFIX/include" "$SRC_DIR" "$WORK_DIR" "$STAMPS" "$LOGS"

# ---------------------------------------------------------------------------------------------
# Sources

# Writes the system's Debian entries as deb-src lines into the private source list.
write_source_list() {
  local codename list=$APT_DIR/sources.list
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  : >"$list"
  local file
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$file" ] || continue
    # One-line form: deb [options] URI suite components...
    awk -v codename="$codename" '
      $1 == "deb" {
        options = ""; i = 2
        if ($2 ~ /^\[/) { while (i <= NF && $i !~ /\]$/) { options = options $i " "; i++ } options = options $i " "; i++ }
        if ($(i + 1) ~ ("^" codename)) { $1 = "deb-src"; print }
      }' "$file" >>"$list"
  done
  for file in /etc/apt/sources.list.d/*.sources; do
    [ -f "$file" ] || continue
    # deb822 form: paragraphs of Types/URIs/Suites/Components/Signed-By.
    awk -v codename="$codename" '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && enabled != "no" && uris != "") {
          n = split(uris, u, " "); m = split(suites, s, " ")
          for (a = 1; a <= n; a++) for (b = 1; b <= m; b++) if (s[b] ~ ("^" codename)) {
            line = "deb-src "
            if (signed != "") line = line "[signed-by=" signed "] "
            print line u[a] " " s[b] " " components
          }
        }
        types = uris = suites = components = signed = enabled = ""
      }
      /^[ \t]*#/ { next }
      /^[ \t]*$/ { flush(); next }
      {
        key = tolower($1); sub(/:$/, "", key); value = $0; sub(/^[^:]*:[ \t]*/, "", value)
        if (key == "types") types = value
        else if (key == "uris") uris = value
        else if (key == "suites") suites = value
        else if (key == "components") components = value
        else if (key == "signed-by") signed = value
        else if (key == "enabled") enabled = tolower(value)
      }
      END { flush() }' "$file" >>"$list"
  done
  if [ ! -s "$list" ]; then
    echo "build-windows: no Debian package source found in /etc/apt to fetch sources from" >&2
    return 1
  fi
}

APT_OPTS=()
apt_private() {
  apt-get -q "${APT_OPTS[@]}" "$@"
}

APT_READY=0
# Only a cold run needs the package index; a warm run never touches the network.
prepare_apt() {
  [ "$APT_READY" = 1 ] && return 0
  mkdir -p "$APT_DIR/state/lists/partial" "$APT_DIR/cache/archives/partial" "$APT_DIR/parts"
  write_source_list
  APT_OPTS=(
    -o "Dir::Etc::SourceList=$APT_DIR/sources.list"
    -o "Dir::Etc::SourceParts=$APT_DIR/parts"
    -o "Dir::State=$APT_DIR/state"
    -o "Dir::State::status=/var/lib/dpkg/status"
    -o "Dir::Cache=$APT_DIR/cache"
    -o "APT::Sandbox::User=root"
    -o "Acquire::Languages=none"
  )
  echo "-- fetching the package index of the sources"
  if ! apt_private update >"$LOGS/apt-update.log" 2>&1; then
    cat "$LOGS/apt-update.log" >&2
    return 1
  fi
  APT_READY=1
}

# Sets SOURCE to the unpacked tree of a Debian source package, fetching it when missing.
fetch_source() {
  local package=$1
  local stamp=$SRC_DIR/$package.dir
  if [ -f "$stamp" ] && [ -d "$(cat "$stamp")" ]; then
    SOURCE=$(cat "$stamp")
    return 0
  fi
  prepare_apt
  echo "-- fetching the source of $package"
  local into=$SRC_DIR/$package
  rm -rf "$into"
  mkdir -p "$into"
  # The newest version first; when a suite's pool cannot serve it (a security mirror that
  # holds the index but not the files, say), the same package from each suite in turn.
  local log=$LOGS/source-$package.log target fetched=0
  : >"$log"
  for target in "$package" $(awk '{ for (i = 1; i <= NF; i++) if ($i ~ /^[a-z]+:\/\//) { print $(i + 1); break } }' \
      "$APT_DIR/sources.list" | sed "s|^|$package/|" | awk '!seen[$0]++'); do
    rm -rf "$into" && mkdir -p "$into"
    if (cd "$into" && apt_private source "$target") >>"$log" 2>&1; then
      fetched=1
      break
    fi
  done
  if [ "$fetched" != 1 ]; then
    cat "$log" >&2
    return 1
  fi
  SOURCE=$(find "$into" -mindepth 1 -maxdepth 1 -type d | head -n 1)
  [ -n "$SOURCE" ] || { echo "build-windows: apt-get source $package unpacked nothing" >&2; return 1; }
  echo "$SOURCE" >"$stamp"
}

# The Debian version of an unpacked source tree.
source_version() {
  dpkg-parsechangelog -l "$1/debian/changelog" -S Version 2>/dev/null || basename "$1"
}

# Runs one recipe unless its stamp says this version was built with this very recipe.
build_dependency() {
  local package=$1 recipe=$2
  fetch_source "$package"
  local key
  key="$(source_version "$SOURCE") $(declare -f "$recipe" cmake_dependency | sha256sum | cut -c1-16) $(sha256sum "$TOOLCHAIN" | cut -c1-16)"
  if [ -f "$STAMPS/$package" ] && [ "$(cat "$STAMPS/$package")" = "$key" ]; then
    return 0
  fi
  echo "-- building $package ($(source_version "$SOURCE"))"
  local start=$SECONDS
  rm -f "$STAMPS/$package"
  if ! "$recipe" "$SOURCE" >"$LOGS/build-$package.log" 2>&1; then
    tail -n 60 "$LOGS/build-$package.log" >&2
    echo "build-windows: building $package failed (log: $LOGS/build-$package.log)" >&2
    return 1
  fi
  echo "$key" >"$STAMPS/$package"
  echo "   $package built in $((SECONDS - start)) s"
}

# Configures, builds and installs a CMake project with the cross toolchain.
cmake_dependency() {
  local name=$1 source=$2; shift 2
  local dir=$WORK_DIR/$name
  rm -rf "$dir"
  cmake -S "$source" -B "$dir" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$TOOLCHAIN" -DGLIMMERDROP_WINDOWS_PREFIX="$PREFIX" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@"
  cmake --build "$dir" -j "$JOBS"
  cmake --install "$dir"
}

# ---------------------------------------------------------------------------------------------
# Recipes. Each gets the unpacked source tree and installs into $PREFIX.

recipe_zlib() {
  local src=$1 dir=$WORK_DIR/zlib
  rm -rf "$dir" && mkdir -p "$dir"
  local objects=() file
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
      trees uncompr zutil; do
    "$CC_W" -O2 -I"$src" -c "$src/$file.c" -o "$dir/$file.o"
    objects+=("$dir/$file.o")
  done
  rm -f "$PREFIX/lib/libz.a"
  "$AR_W" rcs "$PREFIX/lib/libz.a" "${objects[@]}"
  cp "$src/zlib.h" "$src/zconf.h" "$PREFIX/include/"
  local version
  version=$(sed -n 's/^#define ZLIB_VERSION "\(.*\)".*/\1/p' "$src/zlib.h")
  cat >"$PREFIX/lib/pkgconfig/zlib.pc" <<EOF
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: zlib
Description: zlib compression library
Version: $version
Libs: -L\${libdir} -lz
Cflags: -I\${includedir}
EOF

  # minizip ships with zlib's sources; its unzip reader is what the archive file system uses.
  local mz=$src/contrib/minizip
  objects=()
  for file in ioapi unzip zip mztools; do
    "$CC_W" -O2 -I"$PREFIX/include" -I"$mz" -c "$mz/$file.c" -o "$dir/mz-$file.o"
    objects+=("$dir/mz-$file.o")
  done
  rm -f "$PREFIX/lib/libminizip.a"
  "$AR_W" rcs "$PREFIX/lib/libminizip.a" "${objects[@]}"
  mkdir -p "$PREFIX/include/minizip"
  cp "$mz"/{ioapi,unzip,zip,mztools,crypt}.h "$PREFIX/include/minizip/"
  cat >"$PREFIX/lib/pkgconfig/minizip.pc" <<EOF
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: minizip
Description: zip archive reader and writer from zlib's sources
Version: $version
Requires: zlib
Libs: -L\${libdir} -lminizip
Cflags: -I\${includedir}/minizip
EOF
}

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

recipe_lua() {
  local src=$1/src dir=$WORK_DIR/lua
  rm -rf "$dir" && mkdir -p "$dir"
  local objects=() file name
  for file in "$src"/*.c; do
    name=$(basename "$file" .c)
    # The interpreter and the compiler have main functions of their own.
    [ "$name" = lua ] || [ "$name" = luac ] && continue
    "$CC_W" -O2 -DLUA_COMPAT_5_3 -c "$file" -o "$dir/$name.o" &
    objects+=("$dir/$name.o")
    while [ "$(jobs -r | wc -l)" -ge "$JOBS" ]; do wait -n; done
  done
  wait
  rm -f "$PREFIX/lib/liblua5.4.a"
  "$AR_W" rcs "$PREFIX/lib/liblua5.4.a" "${objects[@]}"
  mkdir -p "$PREFIX/include/lua5.4"
  cp "$src"/{lua.h,luaconf.h,lualib.h,lauxlib.h,lua.hpp} "$PREFIX/include/lua5.4/"
  local version
  version=$(sed -n 's/^#define LUA_VERSION_RELEASE[ \t]*"\(.*\)".*/\1/p' "$src/lua.h")
  [ -n "$version" ] || version=5.4
  cat >"$PREFIX/lib/pkgconfig/lua5.4.pc" <<EOF
prefix=$PREFIX
libdir=\${prefix}/lib
includedir=\${prefix}/include

Name: Lua
Description: Lua language engine
Version: $version
Libs: -L\${libdir} -llua5.4
Cflags: -I\${includedir}/lua5.4
EOF
}

recipe_googletest() {
  cmake_dependency googletest "$1" -DBUILD_GMOCK=OFF -DINSTALL_GTEST=ON -Dgtest_force_shared_crt=ON
}

# pkg-config's plain answer leaves out what a static archive needs; in this all-static prefix
# the private requirements and libraries are public ones.
flatten_pkgconfig() {
  local pc
  for pc in "$PREFIX"/lib/pkgconfig/*.pc; do
    awk '
      /^Requires\.private:/ { sub(/^Requires\.private:[ \t]*/, ""); reqp = $0; next }
      /^Libs\.private:/     { sub(/^Libs\.private:[ \t]*/, ""); libp = $0; next }
      { lines[++n] = $0 }
      END {
        for (i = 1; i <= n; i++) {
          line = lines[i]
          if (line ~ /^Requires:/ && reqp != "") { line = line ", " reqp; reqp = "" }
          if (line ~ /^Libs:/ && libp != "") { line = line " " libp; libp = "" }
          print line
        }
        if (reqp != "") print "Requires: " reqp
        if (libp != "") print "Libs: " libp
      }' "$pc" >"$pc.flat"
    mv "$pc.flat" "$pc"
  done
}

build_dependencies() {
  local start=$SECONDS
  build_dependency zlib recipe_zlib
  build_dependency libpng1.6 recipe_libpng
  build_dependency libjpeg-turbo recipe_libjpeg
  build_dependency libogg recipe_libogg
  build_dependency libvorbis recipe_libvorbis
  build_dependency lua5.4 recipe_lua
  # GoogleTest is Debian's own source package, already unpacked by libgtest-dev's dependency.
  local key
  key="$(dpkg-query -W -f='${Version}' googletest) $(declare -f recipe_googletest cmake_dependency | sha256sum | cut -c1-16) $(sha256sum "$TOOLCHAIN" | cut -c1-16)"
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
