# Debian's source packages built for another platform, shared by the Windows and the web builds.
#
# Sources come through `apt-get source` with a private source list and private apt state under
# $DEPS (the system's apt configuration is only read); each library is rebuilt only when its Debian
# version, its recipe or the caller's toolchain changes. The caller sets, before sourcing:
#   DEPS            the folder of sources, work trees, stamps and the install prefix
#   DEP_NAME        the word its messages start with
#   DEP_CC, DEP_AR  the C compiler and archiver of the target
#   DEP_CFLAGS      what that compiler is given besides -O2 (an array)
#   DEP_CMAKE       the command that configures a CMake project (an array)
#   DEP_CMAKE_ARGS  what that command is given for the target (an array)
#   TOOLCHAIN_KEY   a digest of the target's toolchain
#   JOBS            parallel compile jobs

PREFIX=$DEPS/prefix
APT_DIR=$DEPS/apt
SRC_DIR=$DEPS/src
WORK_DIR=$DEPS/work
STAMPS=$DEPS/stamps
LOGS=$DEPS/logs
mkdir -p "$PREFIX/lib/pkgconfig" "$PREFIX/include" "$SRC_DIR" "$WORK_DIR" "$STAMPS" "$LOGS"

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
    echo "$DEP_NAME: no Debian package source found in /etc/apt to fetch sources from" >&2
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
  [ -n "$SOURCE" ] || { echo "$DEP_NAME: apt-get source $package unpacked nothing" >&2; return 1; }
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
  key="$(source_version "$SOURCE") $(declare -f "$recipe" cmake_dependency | sha256sum | cut -c1-16) $TOOLCHAIN_KEY"
  if [ -f "$STAMPS/$package" ] && [ "$(cat "$STAMPS/$package")" = "$key" ]; then
    return 0
  fi
  echo "-- building $package ($(source_version "$SOURCE"))"
  local start=$SECONDS
  rm -f "$STAMPS/$package"
  # In the background, so that set -e holds inside the recipe: a test context would switch it off
  # and let a failed compile pass as long as the recipe's last command worked.
  ( set -e; "$recipe" "$SOURCE" ) >"$LOGS/build-$package.log" 2>&1 &
  if ! wait $!; then
    tail -n 60 "$LOGS/build-$package.log" >&2
    echo "$DEP_NAME: building $package failed (log: $LOGS/build-$package.log)" >&2
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
  "${DEP_CMAKE[@]}" -S "$source" -B "$dir" -G Ninja "${DEP_CMAKE_ARGS[@]}" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_TESTING=OFF "$@"
  cmake --build "$dir" -j "$JOBS"
  cmake --install "$dir"
}

# ---------------------------------------------------------------------------------------------
# Recipes that build with the bare compiler, the same for every target.

recipe_zlib() {
  local src=$1 dir=$WORK_DIR/zlib
  rm -rf "$dir" && mkdir -p "$dir"
  local objects=() file
  for file in adler32 compress crc32 deflate gzclose gzlib gzread gzwrite infback inffast inflate inftrees \
      trees uncompr zutil; do
    "$DEP_CC" -O2 "${DEP_CFLAGS[@]}" -I"$src" -c "$src/$file.c" -o "$dir/$file.o"
    objects+=("$dir/$file.o")
  done
  rm -f "$PREFIX/lib/libz.a"
  "$DEP_AR" rcs "$PREFIX/lib/libz.a" "${objects[@]}"
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
    "$DEP_CC" -O2 "${DEP_CFLAGS[@]}" -I"$PREFIX/include" -I"$mz" -c "$mz/$file.c" -o "$dir/mz-$file.o"
    objects+=("$dir/mz-$file.o")
  done
  rm -f "$PREFIX/lib/libminizip.a"
  "$DEP_AR" rcs "$PREFIX/lib/libminizip.a" "${objects[@]}"
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

recipe_lua() {
  local src=$1/src dir=$WORK_DIR/lua
  rm -rf "$dir" && mkdir -p "$dir"
  local objects=() file name
  # Debian's luaconf.h reads the library folder of its platform from a header its build writes;
  # ours names none, the library being linked in.
  mkdir -p "$PREFIX/include/lua5.4"
  echo '#define DEB_HOST_MULTIARCH "none"' >"$PREFIX/include/lua5.4/lua5.4-deb-multiarch.h"
  for file in "$src"/*.c; do
    name=$(basename "$file" .c)
    # The interpreter and the compiler have main functions of their own.
    [ "$name" = lua ] || [ "$name" = luac ] && continue
    "$DEP_CC" -O2 "${DEP_CFLAGS[@]}" -I"$PREFIX/include/lua5.4" -DLUA_COMPAT_5_3 -c "$file" -o "$dir/$name.o" &
    objects+=("$dir/$name.o")
    while [ "$(jobs -r | wc -l)" -ge "$JOBS" ]; do wait -n; done
  done
  wait
  rm -f "$PREFIX/lib/liblua5.4.a"
  "$DEP_AR" rcs "$PREFIX/lib/liblua5.4.a" "${objects[@]}"
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

# The libraries the game links on every target, each by the caller's recipe for it.
build_game_libraries() {
  build_dependency zlib recipe_zlib
  build_dependency libpng1.6 recipe_libpng
  build_dependency libjpeg-turbo recipe_libjpeg
  build_dependency libogg recipe_libogg
  build_dependency libvorbis recipe_libvorbis
  build_dependency lua5.4 recipe_lua
}
