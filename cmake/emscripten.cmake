# Builds for the browser with Debian's Emscripten.
#
# Libraries come from GLIMMERDROP_WEB_PREFIX (scripts/build-web.sh builds them there); only that
# prefix's pkg-config files are read, so no library of the build machine reaches the link.

# Emscripten's own wrapper hands node a threads flag that Node 20 refuses, which breaks every
# try_run; nothing built here uses threads, so plain node runs the checks.
find_program(GLIMMERDROP_NODE NAMES node nodejs REQUIRED)
set(CMAKE_CROSSCOMPILING_EMULATOR ${GLIMMERDROP_NODE} CACHE FILEPATH "Runs what the build made" FORCE)

include(/usr/share/emscripten/cmake/Modules/Platform/Emscripten.cmake)

if(NOT GLIMMERDROP_WEB_PREFIX AND DEFINED ENV{GLIMMERDROP_WEB_PREFIX})
  set(GLIMMERDROP_WEB_PREFIX $ENV{GLIMMERDROP_WEB_PREFIX})
endif()
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES GLIMMERDROP_WEB_PREFIX)
if(GLIMMERDROP_WEB_PREFIX)
  list(APPEND CMAKE_FIND_ROOT_PATH ${GLIMMERDROP_WEB_PREFIX})
  list(PREPEND CMAKE_PREFIX_PATH ${GLIMMERDROP_WEB_PREFIX})
  set(ENV{PKG_CONFIG_LIBDIR} ${GLIMMERDROP_WEB_PREFIX}/lib/pkgconfig)
  set(ENV{PKG_CONFIG_PATH} "")
endif()
