#!/usr/bin/env bash
# Builds the Debian package kwloutman10_VERSION_ARCH.deb in build/ (after setting up the machine and
# building, as run-tests.sh does). Install it with: sudo apt install ./build/kwloutman10_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
(cd build && cpack -G DEB)
ls build/kwloutman10_*.deb
