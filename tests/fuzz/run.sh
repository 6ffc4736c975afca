#!/bin/sh
# Runs every built fuzz target for a bounded time each; a crash, a broken invariant or one input
# that runs longer than the per-input bound (a search gone quadratic) fails.
# Build them first: cmake --preset fuzz && cmake --build --preset fuzz
# Usage: tests/fuzz/run.sh [seconds per target, default 12]
set -eu

seconds=${1:-12}
# Far above any input a target is meant to take (the largest tables the recognition target
# builds take about 7 s with the sanitizers on a loaded 2-core machine), so only a real blow-up
# trips it.
input_seconds=30
root=$(cd "$(dirname "$0")/../.." && pwd)
bin="$root/build/fuzz/bin"
data="$root/tests/data"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

status=0
found=0
for source in "$root"/tests/fuzz/*.cpp; do
  name=$(basename "$source" .cpp)
  target="$bin/$name"
  if [ ! -x "$target" ]; then
    echo "missing $target: build the fuzz preset first" >&2
    status=1
    continue
  fi
  found=$((found + 1))
  # Start from the target's seeds and the golden files of the format it reads.
  corpus="$work/$name"
  mkdir -p "$corpus"
  if [ -d "$root/tests/fuzz/corpus/$name" ]; then cp "$root/tests/fuzz/corpus/$name"/* "$corpus"/; fi
  case "$name" in
    *dxf*) cp "$data"/dxf/*.dxf "$data"/dxf/*.dwg "$corpus"/ ;;
    *base_parts*) cp "$data"/reference/base_parts_*.txt "$corpus"/ ;;
    *prohibited*) cp "$data"/reference/prohibited_words_*.txt "$corpus"/ ;;
  esac
  echo "== $name: ${seconds}s"
  if ! (cd "$work" && "$target" -max_total_time="$seconds" -timeout="$input_seconds" \
          -print_final_stats=1 "$corpus" >"$work/$name.log" 2>&1); then
    tail -n 40 "$work/$name.log" >&2
    # Keep the reproducer: the work folder goes away.
    cp "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$root/build/fuzz/" 2>/dev/null || true
    echo "FAILED: $name (reproducer, if any, copied to build/fuzz/)" >&2
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$work/$name.log" || true
  fi
done

[ "$found" -gt 0 ] || { echo "no fuzz targets found" >&2; exit 1; }
exit $status
