# shellcheck shell=bash
# What the project's scripts share; sourced by them, not run.
#   kinshu_root              the source tree
#   kinshu_configure PRESET  configures a CMake preset quietly
#   kinshu_build PRESET TARGET...  builds targets of a preset quietly
#   kinshu_wine_display      the display on which tools/wine-run runs programs

kinshu_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Configures a preset, keeping CMake's output in build/PRESET-configure.log;
# prints the log and fails when the configuration fails.
kinshu_configure() {
  local log="$kinshu_root/build/$1-configure.log"
  mkdir -p "$kinshu_root/build"
  if ! (cd "$kinshu_root" && cmake --preset "$1") >"$log" 2>&1; then
    cat "$log"
    echo "configuring the $1 preset failed (the log: $log)" >&2
    return 1
  fi
}

# Builds the targets of a configured preset, keeping the build's output in
# build/PRESET-build.log; prints the log and fails when the build fails.
kinshu_build() {
  local preset=$1 log="$kinshu_root/build/$1-build.log"
  shift
  echo "$(basename "$0"): building $* (the log: $log)"
  if ! (cd "$kinshu_root" && cmake --build --preset "$preset" --target "$@") \
    >"$log" 2>&1; then
    cat "$log"
    echo "building $* failed (the log: $log)" >&2
    return 1
  fi
}

# The X display of the project's own Xvfb, where tools/wine-run runs every
# program (it starts the Xvfb when it is not running yet).
kinshu_wine_display() {
  "$kinshu_root/tools/wine-run" --env | sed -n 's/.*DISPLAY=\([^ ]*\).*/\1/p'
}
