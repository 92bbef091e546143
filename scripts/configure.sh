#!/usr/bin/env bash
# Configures a CMake preset, compiling through ccache when it is installed. The cache keys on
# paths relative to the checkout, so a fresh clone reuses what an earlier build compiled.
set -euo pipefail
preset=${1:?usage: scripts/configure.sh PRESET}
cd "$(dirname "$0")/.."
launcher=()
if command -v ccache >/dev/null 2>&1; then
  through="env;CCACHE_BASEDIR=$PWD;CCACHE_NOHASHDIR=true;ccache"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER="$through" -DCMAKE_C_COMPILER_LAUNCHER="$through")
fi
cmake --preset "$preset" "${launcher[@]}" >/dev/null
