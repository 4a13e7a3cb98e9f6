# GoogleTest as the targets gtest and gtest_main; included by tests/, whose
# options (a quick build) it takes. On a Unix host for the host
# itself, the system's own build (Debian's libgtest-dev) where there is one;
# for Windows, cross-built or built there, from source with the preset's
# compiler, so that the same tests run natively and under Wine.
if(NOT CMAKE_CROSSCOMPILING AND CMAKE_HOST_UNIX)
  find_package(GTest CONFIG QUIET)
endif()
if(GTest_FOUND)
  add_library(gtest INTERFACE)
  target_link_libraries(gtest INTERFACE GTest::gtest)
  add_library(gtest_main INTERFACE)
  target_link_libraries(gtest_main INTERFACE GTest::gtest_main)
  return()
endif()

set(KINSHU_GTEST_SOURCE_DIR "/usr/src/googletest" CACHE PATH
    "GoogleTest source tree (the one with googletest/ and googlemock/)")
if(NOT EXISTS "${KINSHU_GTEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "GoogleTest sources not found in ${KINSHU_GTEST_SOURCE_DIR}; "
                      "run tools/setup or set KINSHU_GTEST_SOURCE_DIR")
endif()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
# MSVC: GoogleTest takes the static run-time (/MT) like the project's own
# targets; the option does nothing elsewhere.
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
add_subdirectory("${KINSHU_GTEST_SOURCE_DIR}" "${CMAKE_BINARY_DIR}/googletest"
                 EXCLUDE_FROM_ALL SYSTEM)
