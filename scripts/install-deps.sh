#!/usr/bin/env bash
# Installs every Debian package the build, the tests and the tools need. Idempotent: when everything is
# there already it only checks and returns.
set -euo pipefail

packages=(
  build-essential cmake pkg-config git
  postgresql
  libsqlite3-dev libpq-dev libpng-dev libjpeg62-turbo-dev libgif-dev
  libzip-dev libssl-dev nlohmann-json3-dev
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-translations-l10n fonts-dejavu-core
  clang libclang-rt-14-dev clang-format
  chromium
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# The contrast test installs axe-core with npm; a machine whose Node.js brings its own npm keeps it.
command -v npm >/dev/null 2>&1 || missing+=(npm)
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
