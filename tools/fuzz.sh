#!/usr/bin/env bash
# Runs every libFuzzer target for a bounded time from its committed seed corpus. New inputs go
# to a scratch copy; an input that crashes is added to the committed corpus (so the replay
# test keeps it) and the run fails.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${TORVIN_FUZZ_SECONDS:-20}
status=0
for target in "$root"/build/fuzz/tests/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=${target##*/fuzz_}
  corpus="$root/tests/fuzz/corpus/$name"
  scratch=$(mktemp -d)
  cp -r "$corpus/." "$scratch/"
  echo "fuzz: $name for ${seconds}s"
  if ! (cd "$scratch" && "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
        -rss_limit_mb=2048 -print_final_stats=0 -artifact_prefix="$scratch/" "$scratch" >"$scratch/log" 2>&1); then
    for crash in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-* "$scratch"/oom-*; do
      [ -f "$crash" ] && cp "$crash" "$corpus/regression-${crash##*/}" && echo "fuzz: $name found ${crash##*/}, added to $corpus"
    done
    tail -n 30 "$scratch/log"
    status=1
  else
    grep -E '^(#[0-9]+|Done)' "$scratch/log" | tail -n 1
  fi
  rm -rf "$scratch"
done
exit $status
