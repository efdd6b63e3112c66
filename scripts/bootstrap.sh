#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Noctivue needs that are not there yet, then
# configures and builds into build/. Sourced by run.sh and test.sh.
set -euo pipefail

NOCTIVUE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
NOCTIVUE_BUILD="${NOCTIVUE_BUILD:-$NOCTIVUE_ROOT/build}"

packages=(
    cmake ninja-build g++ pkgconf
    qt6-base-dev qt6-base-private-dev libgl-dev
    libgtest-dev
    libturbojpeg0-dev libspng-dev libdeflate-dev
    fonts-dejavu-core
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if ((${#missing[@]})); then
    echo "Installing: ${missing[*]}"
    sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
fi

cmake -S "$NOCTIVUE_ROOT" -B "$NOCTIVUE_BUILD" -G Ninja ${NOCTIVUE_CMAKE_ARGS:-}
cmake --build "$NOCTIVUE_BUILD"
