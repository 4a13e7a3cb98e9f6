# A second compiler for the 32-bit Windows program: LLVM clang and its linker
# (lld) targeting mingw-w64, with the same headers, libraries and C++ library
# (libstdc++) as the GCC cross toolchain, and the same Wine for running what
# it builds.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
set(triple i686-w64-mingw32)

set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${triple})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${triple})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_OBJDUMP ${triple}-objdump)
set(CMAKE_SYSROOT /usr/${triple})

# clang does not find the C++ headers and libraries of Debian's mingw GCC
# (its folder is named "12-posix", not a bare version): name them. The
# POSIX-threads variant, like the GCC build; its libstdc++ and libgcc_eh need
# winpthread, which -pthread links after them. (GNU ld would warn about every
# type-name section that clang and GCC sized differently; lld does not.)
file(GLOB gcc_dirs /usr/lib/gcc/${triple}/*-posix)
list(GET gcc_dirs 0 gcc)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${gcc}/include/c++ ${gcc}/include/c++/${triple} ${gcc}/include/c++/backward)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${gcc} -pthread -fuse-ld=lld")

set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run")
