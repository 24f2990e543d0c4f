# Cross-compiles for 64-bit Windows with Debian's MinGW-w64.
# The -posix compilers are the only ones whose C++ library has std::thread and std::mutex;
# linking fully static keeps the program free of the compiler's DLLs.
#
# Libraries come from GLIMMERDROP_WINDOWS_PREFIX (scripts/build-windows.sh builds them there);
# it is searched before MinGW's own folder, so a stray MinGW zlib is never picked by accident.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(GLIMMERDROP_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${GLIMMERDROP_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GLIMMERDROP_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${GLIMMERDROP_MINGW_TRIPLE}-windres)
set(CMAKE_AR ${GLIMMERDROP_MINGW_TRIPLE}-gcc-ar-posix CACHE FILEPATH "Archiver")
set(CMAKE_RANLIB ${GLIMMERDROP_MINGW_TRIPLE}-gcc-ranlib-posix CACHE FILEPATH "Archive indexer")

if(NOT GLIMMERDROP_WINDOWS_PREFIX AND DEFINED ENV{GLIMMERDROP_WINDOWS_PREFIX})
  set(GLIMMERDROP_WINDOWS_PREFIX $ENV{GLIMMERDROP_WINDOWS_PREFIX})
endif()
# try_compile projects do not see the cache; pass the prefix on to them.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GLIMMERDROP_WINDOWS_PREFIX)

set(CMAKE_FIND_ROOT_PATH ${GLIMMERDROP_WINDOWS_PREFIX} /usr/${GLIMMERDROP_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
if(GLIMMERDROP_WINDOWS_PREFIX)
  list(PREPEND CMAKE_PREFIX_PATH ${GLIMMERDROP_WINDOWS_PREFIX})
  # Only the prefix's .pc files: the host's would hand Linux libraries to the Windows link.
  set(ENV{PKG_CONFIG_LIBDIR} ${GLIMMERDROP_WINDOWS_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()

# g++ on Linux always defines _GNU_SOURCE, which brings M_PI and friends; MinGW wants this instead.
set(CMAKE_C_FLAGS_INIT "-D_USE_MATH_DEFINES")
set(CMAKE_CXX_FLAGS_INIT "-D_USE_MATH_DEFINES")

# Static archives only, and the C and C++ run-times and winpthreads linked in.
set(CMAKE_FIND_LIBRARY_SUFFIXES .a)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Lets CMake run what it built (test discovery, try_run) through Wine.
find_program(GLIMMERDROP_WINE NAMES wine)
if(GLIMMERDROP_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${GLIMMERDROP_WINE})
endif()
