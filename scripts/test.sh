#!/usr/bin/env bash
# Installs what is missing, builds Orvanta twice (plain, then with AddressSanitizer and
# UndefinedBehaviorSanitizer), both with warnings as errors, and runs every test suite in both
# builds.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh

jobs=$(nproc)
for variant in release asan; do
  dir=build/$variant
  # ON, not left to find GoogleTest: without it the configure fails instead of running no tests.
  flags=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_TESTS=ON -DORVANTA_BENCH=OFF -DORVANTA_WERROR=ON)
  if [[ $variant == asan ]]; then
    flags+=(-DORVANTA_SANITIZE=ON -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DORVANTA_FUZZ=ON)
  fi
  cmake -S . -B "$dir" -G Ninja "${flags[@]}" >/dev/null
  cmake --build "$dir" -j "$jobs"
  echo "== tests: $variant build"
  (cd "$dir" && ctest --output-on-failure -j "$jobs" --timeout 900)
done
