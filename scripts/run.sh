#!/usr/bin/env bash
# Builds and starts the editor on the sample (or on the path given).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh build -DTOVIN_TESTS=OFF
exec build/tovin "${@:-samples/hello.cpp}"
