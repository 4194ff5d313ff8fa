# Cross-building the Windows program on Debian with mingw-w64 (package
# g++-mingw-w64-x86-64-posix). The posix thread model is Debian's default for
# this compiler; the program itself starts no threads.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(QUARVEL_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${QUARVEL_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUARVEL_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${QUARVEL_MINGW_PREFIX}-windres)

# Headers and libraries come from the mingw-w64 tree only; programs (the
# build's own tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${QUARVEL_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
