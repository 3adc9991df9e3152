#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and starts it in run/ of the clone: the program
# keeps its files (output.txt, options.inf, Puzzles/) in its current directory, and run/ is
# ignored by git, so they stay out of version control.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_BENCH=OFF >/dev/null
cmake --build "$root/build/release" -j "$(nproc)" --target orvanta
# Saved puzzles go into Puzzles/ when it exists, else beside the log.
mkdir -p "$root/run/Puzzles"
cd "$root/run"
exec "$root/build/release/app/orvanta" "$@"
