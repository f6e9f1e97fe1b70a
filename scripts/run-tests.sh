#!/usr/bin/env bash
# Sets up the machine, builds and runs every test. With --asan the same under AddressSanitizer and
# UndefinedBehaviorSanitizer (build folder build-asan).
set -euo pipefail
cd "$(dirname "$0")/.."
preset=default
[ "${1:-}" = "--asan" ] && preset=asan
bash scripts/install-deps.sh
cmake --preset "$preset" >/dev/null
cmake --build --preset "$preset" -j"$(nproc)"
ctest --preset "$preset"
