#!/usr/bin/env bash
# Installs, from Debian's archive, every package the build, the tests and the tools need,
# skipping the ones already present. Safe to run again.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config clang libclang-rt-14-dev clang-format clang-tidy
  libgtest-dev libgmock-dev libbenchmark-dev
  libpugixml-dev libplist-dev libcli11-dev libglib2.0-dev
  libcairo2-dev libpango1.0-dev zlib1g-dev fonts-liberation2
  libsdl2-dev
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if ((${#missing[@]})); then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
