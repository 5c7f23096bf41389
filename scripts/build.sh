#!/usr/bin/env bash
# Configures and builds into a folder (default build/): scripts/build.sh [folder] [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
cmake -S . -B "$dir" -G Ninja "$@" >/dev/null
cmake --build "$dir"
