#!/usr/bin/env bash
# Installs the axe-core package from the npm registry into FOLDER (the build folder's axe/) for the
# contrast test; the product never uses it. Does nothing when that version is there already.
set -euo pipefail
folder=$1
version=4.14.1
if [ -f "$folder/node_modules/axe-core/axe.min.js" ] &&
   grep -q "\"version\": \"$version\"" "$folder/node_modules/axe-core/package.json"; then
  exit 0
fi
mkdir -p "$folder"
npm install --prefix "$folder" --no-audit --no-fund --no-save --loglevel=error "axe-core@$version" >&2
