# Debian packages the project needs; sourced by run.sh and test.sh.

# To build and run the game, and to generate its resource archive.
BUILD_PACKAGES=(
  cmake ninja-build g++ pkg-config
  libsdl2-dev zlib1g-dev libminizip-dev liblua5.4-dev
  libvorbis-dev libogg-dev
  libpng-dev libjpeg62-turbo-dev
  # The resource archive generator: drawing, text, fonts, encoders, speech.
  libcairo2-dev libpango1.0-dev libfreetype-dev libfontconfig-dev
  fonts-leckerli-one fonts-comic-neue fonts-league-spartan fonts-dejavu-core espeak-ng sox
)

# To run the tests.
TEST_PACKAGES=(
  libgtest-dev libbenchmark-dev libpixman-1-dev zip unzip procps
  imagemagick libjpeg-turbo-progs netpbm xvfb xauth openbox x11-utils
  # Recording journals and screenshots of the real game under Xvfb (scripts/record-journal.py).
  xdotool python3
  # The installed program and its Debian package (scripts/test-package.sh).
  dpkg-dev lintian desktop-file-utils appstream man-db
)

# Installs whatever of the named packages is missing; a warm machine never calls apt-get.
ensure_packages() {
  local missing=()
  local pkg
  for pkg in "$@"; do
    if [ "$(dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null)" != "install ok installed" ]; then
      missing+=("$pkg")
    fi
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing missing packages: ${missing[*]}"
  local sudo=()
  if [ "$(id -u)" -ne 0 ]; then
    sudo=(sudo)
  fi
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -q || return 1
  "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# To cross-build the Windows program (scripts/build-windows.sh): MinGW-w64's -posix compilers,
# nasm for libjpeg-turbo, dpkg-dev to unpack Debian's source packages; NSIS and zip to pack the
# installer and the portable zip (scripts/package-windows.sh).
WINDOWS_BUILD_PACKAGES=(
  gcc-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
  nasm dpkg-dev googletest nsis zip
)

# To run the Windows tests (scripts/test-windows.sh): 64-bit Wine under a virtual X server;
# pefile reads the program's version resource and manifest back.
WINDOWS_TEST_PACKAGES=(
  wine wine64 xvfb xauth x11-utils imagemagick xdotool unzip python3-pefile
)

# To build the game for the browser (scripts/build-web.sh): Emscripten, and dpkg-dev to unpack
# Debian's source packages.
WEB_BUILD_PACKAGES=(
  emscripten dpkg-dev
)

# To test the page (scripts/test-web.sh): headless Chromium, driven over its DevTools pipe.
WEB_TEST_PACKAGES=(
  chromium python3
)
