#!/usr/bin/env bash
# Sets up the machine, builds the programs and runs the main job: for now, writes a settings
# file holding the factory settings of all three sets and shows what it holds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target velmarctl

out=build/factory.q20
build/release/tools/velmarctl defaults "$out"
echo "Wrote $out ($(wc -l <"$out") S-records)."
build/release/tools/velmarctl dump "$out"
