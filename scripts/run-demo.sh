#!/usr/bin/env bash
# Sets up the machine, builds, creates the demo portal (once) and shows it.
# The portal lives in ${KW_DEMO_PORTAL:-$HOME/.local/share/KwLOutMan10/demo-portal}.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
cmake --build --preset default -j"$(nproc)"
portal="${KW_DEMO_PORTAL:-$HOME/.local/share/KwLOutMan10/demo-portal}"
kwlayout=build/bin/kwlayout
if [ ! -f "$portal/KwPortal.sqlite" ]; then
  mkdir -p "$portal"
  "$kwlayout" --portal "$portal" portal-init --demo
fi
echo "Demo portal: $portal"
