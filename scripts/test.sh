#!/usr/bin/env bash
# Sets up the machine, builds the project with warnings as errors and runs the test suite.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/configure.sh ci
cmake --build --preset ci
ctest --preset ci -j"$(nproc)"
