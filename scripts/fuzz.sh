#!/usr/bin/env bash
# Builds the libFuzzer targets and runs each for SECONDS seconds from its committed seeds.
# Fails on any crash, leak, time-out or sanitizer report; the input that did it is kept in
# build/fuzz/artifacts/. New inputs found during the run go to a scratch copy of the corpus.
set -euo pipefail
seconds=${1:?usage: scripts/fuzz.sh SECONDS}
cd "$(dirname "$0")/.."

scripts/configure.sh fuzz
cmake --build --preset fuzz -j2

build=build/fuzz
artifacts=$build/artifacts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
mkdir -p "$artifacts"

status=0
for fuzzer in "$build"/fuzzers/*; do
  [ -x "$fuzzer" ] || continue
  name=$(basename "$fuzzer")
  corpus=("$scratch/$name")
  mkdir -p "${corpus[0]}"
  [ -d "fuzz/corpus/$name" ] && corpus+=("fuzz/corpus/$name")
  options=(-max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=8192
           -artifact_prefix="$artifacts/$name-" -print_final_stats=1)
  [ -f "fuzz/$name.dict" ] && options+=(-dict="fuzz/$name.dict")
  echo "== $name: ${seconds}s"
  if ! "$fuzzer" "${options[@]}" "${corpus[@]}" >"$scratch/$name.log" 2>&1; then
    tail -n 60 "$scratch/$name.log"
    echo "== $name FAILED (artifacts in $artifacts)"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^Done' "$scratch/$name.log" || true
  fi
done
exit $status
