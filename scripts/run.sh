#!/usr/bin/env bash
# Sets up the machine, builds the programs and runs the main job: a simulated unit on a
# pseudo-terminal and the settings editor attached to it, so that "Auto Detect" finds the
# unit and reads its settings. With no display the same job runs in the terminal instead.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
scripts/configure.sh release
cmake --build --preset release --target unit_simulator velmarctl settings_editor

bin=build/release
run_dir=$(mktemp -d "${TMPDIR:-/tmp}/velmar-run.XXXXXX")
link="$run_dir/ttyVELMAR"
sim_args=(--link "$link" --model "QRX 30")

# The simulated unit starts with factory settings in its settings EEPROM.
"$bin/tools/velmarctl" defaults "$run_dir/factory.q20"
srec_cat "$run_dir/factory.q20" -fill 0xff 0 4096 -o "$run_dir/eeprom.bin" -binary 2>/dev/null
sim_args+=(--eeprom "$run_dir/eeprom.bin")

"$bin/simulator/unit_simulator" "${sim_args[@]}" >"$run_dir/simulator.log" 2>&1 &
sim_pid=$!
cleanup() {
  kill "$sim_pid" 2>/dev/null || true
  wait "$sim_pid" 2>/dev/null || true
  rm -rf "$run_dir"
}
trap cleanup EXIT

for _ in $(seq 100); do
  [ -e "$link" ] && break
  sleep 0.1
done
[ -e "$link" ] || { cat "$run_dir/simulator.log"; echo "The simulated unit did not start." >&2; exit 1; }
echo "Simulated QRX 30 on $link"

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  echo "Opening the settings editor on it: press \"Auto Detect\"."
  "$bin/editor/settings_editor" --ports "$link"
  exit 0
fi

echo "No display (\$DISPLAY and \$WAYLAND_DISPLAY are empty): running the same job in the terminal."
"$bin/tools/velmarctl" detect --ports "$link"
"$bin/tools/velmarctl" backup --ports "$link" "$run_dir/unit.q20"
"$bin/tools/velmarctl" dump "$run_dir/unit.q20"
