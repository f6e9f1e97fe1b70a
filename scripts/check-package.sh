#!/usr/bin/env bash
# Builds the package, installs it on this machine with apt (which must pull every run-time dependency),
# and checks the installed programs and files only: nothing from build/ is run after the install.
# Needs root (CI runs as root).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/make-package.sh
deb=$(ls build/kwloutman10_*.deb)

export DEBIAN_FRONTEND=noninteractive
apt-get install -y -qq --no-install-recommends desktop-file-utils appstream lintian >/dev/null
apt-get install -y -qq "./$deb"

echo "== lintian (errors fail, warnings are listed)"
lintian_out=$(lintian "$deb" 2>&1 || true)
echo "${lintian_out:-no tags}"
if grep -q '^E: ' <<<"$lintian_out"; then
  echo "lintian reports errors" >&2
  exit 1
fi

echo "== dependencies"
# Qt's German texts for the window's buttons, edit menus and standard dialogs.
dpkg-deb -f "$deb" Depends | grep -q 'qt6-translations-l10n' || { echo "qt6-translations-l10n is not a dependency" >&2; exit 1; }

echo "== desktop entry and metainfo"
desktop-file-validate /usr/share/applications/org.example.kwloutman10.LayoutManager.desktop
appstreamcli validate --no-net /usr/share/metainfo/org.example.kwloutman10.LayoutManager.metainfo.xml

echo "== installed files"
for f in /usr/bin/kwconsole /usr/bin/kwlayout /usr/share/man/man1/kwlayout.1.gz /usr/share/man/man1/kwconsole.1.gz \
  /usr/share/bash-completion/completions/kwlayout /usr/share/icons/hicolor/scalable/apps/kwloutman10.svg \
  /usr/share/icons/hicolor/48x48/apps/kwloutman10.png; do
  [ -f "$f" ] || { echo "missing: $f" >&2; exit 1; }
done
ls /usr/lib/*/KwLOutMan10/libKwLOutMan10.so

echo "== the installed programs on a fresh demo portal"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
portal="$work/portal"
/usr/bin/kwlayout --version
/usr/bin/kwlayout --portal "$portal" portal-init --demo
/usr/bin/kwlayout --portal "$portal" list | tee "$work/list"
grep -qx "Blau" "$work/list"
/usr/bin/kwlayout --portal "$portal" --yes activate Blau
grep -qi "background" "$portal/_KwStyle/global.css"
/usr/bin/kwlayout --portal "$portal" export Blau "$work/Blau.kwlayout"
/usr/bin/kwlayout --portal "$work/other" portal-init
/usr/bin/kwlayout --portal "$work/other" import "$work/Blau.kwlayout"
/usr/bin/kwlayout --portal "$work/other" list | grep -qx "Blau"
for pane in start app; do
  /usr/bin/kwconsole --portal "$portal" --open "Aktives Layout" --pane "$pane" --render "$work/$pane.png"
  [ -s "$work/$pane.png" ] || { echo "no picture of the $pane pane" >&2; exit 1; }
done
HOME="$work" /usr/bin/kwconsole -platform offscreen --portal "$portal" --check
echo "package check passed"
