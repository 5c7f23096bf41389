#!/usr/bin/env bash
# Builds the fuzz targets with clang and runs them.
#   scripts/fuzz.sh SECONDS [target...]   runs each target that long, growing a scratch
#                                          corpus from the checked-in seeds
#   scripts/fuzz.sh --seeds [target...]   runs each target once over its seeds (CI)
# The build goes to build-fuzz/ (TOVIN_FUZZ_BUILD changes it); new inputs, and any input
# that fails, go to $TOVIN_FUZZ_WORK (default build-fuzz/work/<target>/).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 1 ]; then
  echo "usage: scripts/fuzz.sh SECONDS|--seeds [target...]" >&2
  exit 2
fi
mode=$1
shift
all=(csp_fuzzer import_vs_fuzzer import_dsp_fuzzer import_vb_fuzzer textload_fuzzer settings_fuzzer tools_fuzzer)
targets=("${@:-${all[@]}}")
dir=${TOVIN_FUZZ_BUILD:-build-fuzz}
work=${TOVIN_FUZZ_WORK:-$dir/work}
cxx=${TOVIN_FUZZ_CXX:-$(command -v clang++-14 || command -v clang++)}
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" "${launcher[@]}" \
  -DTOVIN_FUZZ=ON -DTOVIN_TESTS=OFF >/dev/null
cmake --build "$dir" --target "${targets[@]}"

# The text loader reads in blocks of 32768 bytes: let its inputs cross one.
max_len() { [ "$1" = textload_fuzzer ] && echo 40000 || echo 8192; }

export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
status=0
for t in "${targets[@]}"; do
  seeds=fuzz/corpus/${t%_fuzzer}
  mkdir -p "$work/$t/corpus" "$work/$t/artifacts"
  if [ "$mode" = --seeds ]; then
    echo "fuzz: $t over $seeds"
    "$dir/fuzz/$t" -runs=0 -artifact_prefix="$work/$t/artifacts/" "$seeds" || status=1
  else
    echo "fuzz: $t for $mode s"
    "$dir/fuzz/$t" -max_total_time="$mode" -max_len="$(max_len "$t")" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/$t/artifacts/" "$work/$t/corpus" "$seeds" || status=1
  fi
done
exit $status
