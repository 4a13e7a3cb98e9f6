# shellcheck shell=bash
# What the project's scripts share; sourced by them, not run.
#   kinshu_root              the source tree
#   kinshu_logged LOG WHAT COMMAND...  runs a command quietly, adding its
#                            output to LOG
#   kinshu_configure PRESET  configures a CMake preset quietly
#   kinshu_build PRESET TARGET...  builds targets of a preset quietly
#   kinshu_start_wine_display  starts what tools/wine-run runs programs on
#                            (where it is not running yet) and prints the display

kinshu_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Runs a command in the source tree, with no input, adding its output to
# LOG; when it fails, prints the log's end and says that WHAT failed and
# where the whole output is.
kinshu_logged() { # LOG WHAT COMMAND...
  local log=$1 what=$2
  shift 2
  mkdir -p "$(dirname "$log")"
  if ! (cd "$kinshu_root" && "$@") </dev/null >>"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "$what failed; the whole output is in $log" >&2
    return 1
  fi
}

# Configures a preset quietly, into build/PRESET-configure.log.
kinshu_configure() {
  mkdir -p "$kinshu_root/build"
  : >"$kinshu_root/build/$1-configure.log"
  kinshu_logged "$kinshu_root/build/$1-configure.log" \
    "configuring the $1 preset" cmake --preset "$1"
}

# Builds the targets of a configured preset quietly, into
# build/PRESET-build.log.
kinshu_build() {
  local preset=$1 log="$kinshu_root/build/$1-build.log"
  shift
  echo "$(basename "$0"): building $* (the log: $log)"
  : >"$log"
  kinshu_logged "$log" "building $*" cmake --build --preset "$preset" --target "$@"
}

# Starts the project's own Xvfb, its wineserver and its Wine prefix where
# they are not ready yet (tools/wine-run --env), and prints the X display on
# which tools/wine-run runs every program.
kinshu_start_wine_display() {
  "$kinshu_root/tools/wine-run" --env | sed -n 's/.*DISPLAY=\([^ ]*\).*/\1/p'
}
