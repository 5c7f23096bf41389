#!/usr/bin/env bash
# Builds and starts the editor on the sample project (or on the path given). The sample's
# sources and its project file go into the program's own device root as \Samples, where
# the project names them; files already there (a project the user has changed) are kept.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build -DTOVIN_TESTS=OFF
if [ $# -eq 0 ]; then
  root=${TOVIN_ROOT:-${XDG_DATA_HOME:-$HOME/.local/share}/tovin/root}
  mkdir -p "$root/Samples"
  cp -n samples/hello.cpp samples/greeting.cpp samples/greeting.h samples/Sample.csp "$root/Samples/"
  set -- "$root/Samples/Sample.csp"
fi
exec build/tovin "$@"
