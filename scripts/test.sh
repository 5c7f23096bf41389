#!/usr/bin/env bash
# Builds and runs every test: scripts/test.sh [folder] [cmake options...]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build}
shift || true
scripts/build.sh "$dir" -DTOVIN_TESTS=ON "$@"
ctest --test-dir "$dir" --output-on-failure -j2
