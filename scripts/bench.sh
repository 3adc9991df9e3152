#!/usr/bin/env bash
# Installs what is missing, builds the engine benchmarks in an optimised build and runs them.
# Everything but the benchmark's own report goes to standard error, so that
# `--benchmark_format=json` leaves clean JSON on standard output.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh" >&2
cmake -S "$root" -B "$root/build/bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DORVANTA_BENCH=ON \
  -DORVANTA_TESTS=OFF -DORVANTA_PLATFORM=OFF >&2
cmake --build "$root/build/bench" -j "$(nproc)" --target engine_bench >&2
exec "$root/build/bench/bench/engine_bench" --benchmark_counters_tabular=true "$@"
