# A second compiler for the 32-bit Windows program: LLVM clang and its linker
# (lld) targeting mingw-w64, with the same headers, libraries and C++ library
# (libstdc++) as the GCC cross toolchain, and the same Wine for running what
# it builds.
include("${CMAKE_CURRENT_LIST_DIR}/mingw-i686-target.cmake")

set(CMAKE_C_COMPILER clang)
set(CMAKE_C_COMPILER_TARGET ${mingw_triple})
set(CMAKE_CXX_COMPILER clang++)
set(CMAKE_CXX_COMPILER_TARGET ${mingw_triple})
set(CMAKE_OBJDUMP ${mingw_triple}-objdump)
set(CMAKE_SYSROOT /usr/${mingw_triple})

# clang does not find the C++ headers and libraries of Debian's mingw GCC,
# whose folder is named for its version and thread model ("12-posix" on
# Debian 12, "14-posix" on 13): name the newest one. The POSIX-threads
# variant, like the GCC build; its libstdc++ and libgcc_eh need winpthread,
# which -pthread links after them. (GNU ld would warn about every type-name
# section that clang and GCC sized differently; lld does not.)
file(GLOB gcc_dirs /usr/lib/gcc/${mingw_triple}/*-posix)
if(NOT gcc_dirs)
  message(FATAL_ERROR
    "No mingw-w64 GCC with POSIX threads in /usr/lib/gcc/${mingw_triple}/: "
    "clang takes its C++ library from there (Debian's "
    "g++-mingw-w64-i686-posix; tools/setup installs it)")
endif()
list(SORT gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET gcc_dirs 0 gcc)
set(CMAKE_CXX_STANDARD_INCLUDE_DIRECTORIES
    ${gcc}/include/c++ ${gcc}/include/c++/${mingw_triple}
    ${gcc}/include/c++/backward)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${gcc} -pthread -fuse-ld=lld")
