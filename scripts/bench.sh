#!/usr/bin/env bash
# Installs what is missing, builds the engine benchmarks in an optimised build and runs them.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_TESTS=OFF \
  -DORVANTA_PLATFORM=OFF >/dev/null
cmake --build "$root/build/bench" -j "$(nproc)" --target engine_bench
exec "$root/build/bench/bench/engine_bench" --benchmark_counters_tabular=true "$@"
