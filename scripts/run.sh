#!/usr/bin/env bash
# Installs what is missing, builds Orvanta and starts it in the current directory.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVANTA_BENCH=OFF >/dev/null
cmake --build "$root/build/release" -j "$(nproc)" --target orvanta
exec "$root/build/release/app/orvanta" "$@"
