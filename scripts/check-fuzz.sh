#!/usr/bin/env bash
# Builds the libFuzzer targets as the README says and replays each one's committed seeds once, so that a
# fuzz build that no longer links, or a seed that now crashes a reader, fails here and not in the next
# campaign. The campaigns themselves (minutes per target) are run by hand, see docs/image.md.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --preset fuzz >/dev/null
cmake --build build-fuzz -j"$(nproc)"

# fuzz_<target> and its seed folder under fuzz/corpus/.
declare -A seeds=(
  [asp_readers]=asp [bmp]=bmp [bundle_reader]=bundle [css]=css [gif]=gif [jpeg]=jpeg [layout_reader]=layout [png]=png [xbm]=xbm
  [publish_journal]=journal [start_page]=startpage
)
artifacts=$(mktemp -d)
for target in "${!seeds[@]}"; do
  # -runs=0 reads every seed once; a crash or sanitizer report ends the program with a non-zero status.
  if out=$(build-fuzz/bin/"fuzz_$target" -runs=0 -artifact_prefix="$artifacts/" "fuzz/corpus/${seeds[$target]}" 2>&1); then
    echo "fuzz_$target: $(grep -o 'Done .*' <<<"$out")"
  else
    echo "$out" | tail -40 >&2
    echo "fuzz_$target fails on its seeds in fuzz/corpus/${seeds[$target]} (the input: $artifacts)" >&2
    exit 1
  fi
done
