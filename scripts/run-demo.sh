#!/usr/bin/env bash
# Sets up the machine, builds, creates the demo portal (once) and starts the designer on it in kwconsole.
# The portal lives in ${KW_DEMO_PORTAL:-$HOME/.local/share/KwLOutMan10/demo-portal}; further arguments go to
# kwconsole (for example --user gast). Without a display the window cannot open: the script says so and
# shows the demo portal's layouts on the command line instead.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake --preset default >/dev/null
# Only what the demo runs, so that the window opens soonest: the console, the command-line tool and the
# module (kwconsole builds it along). scripts/run-tests.sh builds the tests and benchmarks.
cmake --build --preset default -j"$(nproc)" --target kwconsole kwlayout KwLOutMan10
portal="${KW_DEMO_PORTAL:-$HOME/.local/share/KwLOutMan10/demo-portal}"
kwlayout=build/bin/kwlayout
kwconsole=build/bin/kwconsole
if [ ! -f "$portal/KwPortal.sqlite" ]; then
  mkdir -p "$portal"
  "$kwlayout" --portal "$portal" portal-init --demo
fi
echo "Demo portal: $portal"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$kwconsole" --portal "$portal" "$@"
fi

echo "No display found (DISPLAY and WAYLAND_DISPLAY are not set), so the designer's window cannot open here."
echo "Run this script in a graphical session to work in the window. The layouts of the demo portal:"
"$kwlayout" --portal "$portal" list
# The panes of the active layout, drawn without a window.
out="${KW_DEMO_RENDER:-build/demo-render}"
mkdir -p "$out"
rendered=yes
for pane in start app; do
  "$kwconsole" --portal "$portal" --open "Aktives Layout" --pane "$pane" --render "$out/$pane.png" || rendered=no
done
if [ "$rendered" = yes ]; then
  echo "The active layout's panes, drawn without a window: $out/start.png and $out/app.png"
fi
