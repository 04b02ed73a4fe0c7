# Cross-compiling Vexil for 64-bit Windows with Debian's mingw-w64 (posix threads).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(VEXIL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER   ${VEXIL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VEXIL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER  ${VEXIL_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VEXIL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Tests and tools run under Wine on Linux.
find_program(VEXIL_WINE NAMES wine64 wine PATHS /usr/lib/wine)
if(VEXIL_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${VEXIL_WINE})
endif()
