# shellcheck shell=bash
# What the project's scripts share; sourced by them, not run.
#   kinshu_root              the source tree
#   kinshu_logged LOG WHAT COMMAND...  runs a command quietly into LOG
#   kinshu_configure PRESET  configures a CMake preset quietly
#   kinshu_build PRESET TARGET...  builds targets of a preset quietly
#   kinshu_wine_display      the display on which tools/wine-run runs programs

kinshu_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Runs a command in the source tree, keeping its output in LOG; prints the
# log and fails, saying that WHAT failed, when the command fails.
kinshu_logged() { # LOG WHAT COMMAND...
  local log=$1 what=$2
  shift 2
  mkdir -p "$kinshu_root/build"
  if ! (cd "$kinshu_root" && "$@") >"$log" 2>&1; then
    cat "$log"
    echo "$what failed (the log: $log)" >&2
    return 1
  fi
}

# Configures a preset quietly, into build/PRESET-configure.log.
kinshu_configure() {
  kinshu_logged "$kinshu_root/build/$1-configure.log" \
    "configuring the $1 preset" cmake --preset "$1"
}

# Builds the targets of a configured preset quietly, into
# build/PRESET-build.log.
kinshu_build() {
  local preset=$1 log="$kinshu_root/build/$1-build.log"
  shift
  echo "$(basename "$0"): building $* (the log: $log)"
  kinshu_logged "$log" "building $*" cmake --build --preset "$preset" --target "$@"
}

# The X display of the project's own Xvfb, where tools/wine-run runs every
# program (it starts the Xvfb when it is not running yet).
kinshu_wine_display() {
  "$kinshu_root/tools/wine-run" --env | sed -n 's/.*DISPLAY=\([^ ]*\).*/\1/p'
}
