# Cross-compiles the 32-bit Windows program with mingw-w64 GCC (POSIX threads
# variant) and runs what it builds under Wine.
include("${CMAKE_CURRENT_LIST_DIR}/mingw-i686-target.cmake")

set(CMAKE_C_COMPILER ${mingw_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triple}-g++-posix)
