# Every library comes from Debian's packages; ./run.sh and ./test.sh install them.
find_package(PkgConfig REQUIRED)
find_package(Threads REQUIRED)
find_package(ZLIB REQUIRED)

pkg_check_modules(MINIZIP REQUIRED IMPORTED_TARGET minizip)
pkg_check_modules(LUA REQUIRED IMPORTED_TARGET lua5.4)
if(NOT WIN32)
  pkg_check_modules(SDL2 REQUIRED IMPORTED_TARGET sdl2)
endif()
pkg_check_modules(VORBIS REQUIRED IMPORTED_TARGET vorbisfile vorbisenc vorbis ogg)
