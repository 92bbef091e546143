#!/usr/bin/env bash
# The Windows build: installs what it needs, cross-builds the Qt-free parts and velmarctl with
# MinGW-w64 (warnings as errors), runs their tests under Wine, then drives the Linux
# unit_simulator on a pseudo-terminal from `wine velmarctl.exe` through a Wine COM port:
# detect (through the port list), backup (byte for byte the Linux velmarctl's), restore, verify,
# a port already in use, and Ctrl+C.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh windows

export WINEPREFIX=$root/build/windows/wineprefix WINEDEBUG=-all WINEARCH=win64
# The simulated unit's terminal, which Wine's COM7 names.
link=$root/build/windows/unit-run/ttyVELMAR
com=COM7

# A prefix of our own, with COM7 pointed at the link: Wine maps its ports when its server starts.
ports_stamp=$WINEPREFIX/velmar-ports
if [ "$(cat "$ports_stamp" 2>/dev/null)" != "$com=$link" ]; then
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1
  wine reg add 'HKLM\Software\Wine\Ports' /v "$com" /d "$link" /f >/dev/null
  wineserver -w
  echo "$com=$link" >"$ports_stamp"
fi
# One Wine server for the whole run rather than one per program (one already running is kept),
# with Wine's own services started before ctest lists the test programs' cases (it allows each
# listing 5 s).
wineserver -p 2>/dev/null || true
wine cmd /c exit >/dev/null 2>&1
trap 'wineserver -k 2>/dev/null || true' EXIT

scripts/configure.sh windows
cmake --build --preset windows
# A test program that Wine fails to start on a loaded machine ends at once with no output at
# all (seen once in many runs, never reproduced alone): such a case gets one more run, and a
# case that fails twice fails the script.
ctest --preset windows -j"$(nproc)" --repeat until-pass:2

# The Linux side: the simulator, and velmarctl for the reference backup.
[ -f build/ci/build.ninja ] || scripts/configure.sh ci
cmake --build --preset ci --target unit_simulator velmarctl
linux_ctl=$root/build/ci/tools/velmarctl
win_ctl=$root/build/windows/bin/velmarctl.exe

run=$root/build/windows/unit-run
rm -rf "$run"
mkdir -p "$run"
cd "$run"

"$root/build/ci/simulator/unit_simulator" --link "$link" --eeprom ee.bin --flash flash.bin >simulator.log 2>&1 &
simulator=$!
trap 'kill $simulator 2>/dev/null || true; wineserver -k 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q 'listening on' simulator.log && break
  sleep 0.1
done
grep -q 'listening on' simulator.log || { cat simulator.log; exit 1; }

step() { printf '\n== %s\n' "$*"; }
fail() {
  echo "FAILED: $*" >&2
  exit 1
}
expect_in() { grep -qF -- "$1" "$2" || { cat "$2"; fail "$2 lacks \"$1\""; }; }

step "detect through Windows' port list"
wine "$win_ctl" detect >detect.txt 2>&1 || { cat detect.txt; fail "detect found no unit"; }
cat detect.txt
expect_in "($com)" detect.txt

step "backup: the same bytes as the Linux velmarctl's"
"$linux_ctl" backup linux.q20 --ports "$link"
wine "$win_ctl" backup windows.q20 --ports "$com"
cmp linux.q20 windows.q20 || fail "the Windows backup differs from the Linux one"

step "restore factory settings written by the Windows velmarctl"
wine "$win_ctl" defaults factory.q20
cmp -s factory.q20 linux.q20 && fail "the unit already holds factory settings: restore would prove nothing"
wine "$win_ctl" restore factory.q20 --ports "$com"
# What the unit now holds is read back by the next backup (below).

step "verify: fails against another flash, passes once the main image is flashed"
if wine "$win_ctl" verify --ports "$com" >verify-before.txt 2>&1; then
  cat verify-before.txt
  fail "verify passed against a flash that does not hold the main image"
fi
wine "$win_ctl" flash main --ports "$com"
wine "$win_ctl" verify --ports "$com"

# Starts a Windows backup into $1 in the background (its output in $1.txt) and waits until it
# is retrieving; sets $backup to its process.
start_backup() {
  wine "$win_ctl" backup "$1" --ports "$com" >"$1.txt" 2>&1 &
  backup=$!
  for _ in $(seq 200); do
    grep -q 'Retrieving' "$1.txt" && return 0
    sleep 0.1
  done
  cat "$1.txt"
  fail "the backup into $1 did not start retrieving"
}

step "a port in use by another program is refused, and the transfer on it goes on"
start_backup busy.q20
if wine "$win_ctl" detect --ports "$com" >second.txt 2>&1; then
  cat second.txt
  fail "a second program opened the port in use"
fi
expect_in "in use by another program" second.txt
wait "$backup" || { cat busy.q20.txt; fail "the backup beside the refused program failed"; }
cmp factory.q20 busy.q20 || fail "the unit does not hold the restored settings, or the backup was disturbed"

step "Ctrl+C during a backup: exit 130, no file, the unit runs"
start_backup stopped.q20
sleep 1
kill -INT "$backup"
status=0
wait "$backup" || status=$?
cat stopped.q20.txt
[ "$status" -eq 130 ] || fail "Ctrl+C ended the backup with $status, not 130"
[ ! -e stopped.q20 ] || fail "a stopped backup wrote its file"
wine "$win_ctl" detect --ports "$com" >after-stop.txt 2>&1 || { cat after-stop.txt; fail "no unit after Ctrl+C"; }
expect_in "mode: Application" after-stop.txt

echo
echo "windows-unit-run: 6 passed, 0 failed"
