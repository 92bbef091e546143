#!/usr/bin/env bash
# Installs the Debian packages the project builds, tests and runs with; `setup.sh windows` adds
# what the Windows build needs (the MinGW-w64 cross compiler, GoogleTest's sources, Wine), which
# only scripts/test-windows.sh asks for.
# Idempotent: asks apt only for what is missing.
set -euo pipefail

packages=(
  cmake ninja-build ccache g++ clang libclang-rt-14-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libcli11-dev nlohmann-json3-dev
  qt6-base-dev xvfb xauth
  srecord desktop-file-utils
  locales
)
if [ "${1:-}" = windows ]; then
  packages+=(g++-mingw-w64-x86-64-posix googletest wine wine64)
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

if ((${#missing[@]})); then
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The tests run the programs under a locale that writes decimals with a comma.
if ! locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
  echo "Generating the de_DE.UTF-8 locale"
  $sudo sed -i 's/^# *\(de_DE\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -q '^de_DE\.UTF-8 UTF-8' /etc/locale.gen || echo 'de_DE.UTF-8 UTF-8' | $sudo tee -a /etc/locale.gen >/dev/null
  $sudo locale-gen
fi
