#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs the Debian packages Noctivue needs that are not there yet, then
# configures build/ when it has no configured tree or NOCTIVUE_CMAKE_ARGS
# changed since the last time. Sourced by run.sh, test.sh and
# scripts/package.sh, which build what they need.
set -euo pipefail

NOCTIVUE_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
NOCTIVUE_BUILD="${NOCTIVUE_BUILD:-$NOCTIVUE_ROOT/build}"

# To build; to run the tests (appstream and desktop-file-utils check the
# desktop entry and the AppStream metadata); and for cpack -G DEB, whose
# dependency lookup runs dpkg-shlibdeps and file.
packages=(
    cmake ninja-build g++ pkgconf
    qt6-base-dev qt6-base-private-dev libgl-dev
    libgtest-dev
    libturbojpeg0-dev libspng-dev libdeflate-dev
    fonts-dejavu-core
    appstream desktop-file-utils
    dpkg-dev file
)

noctivue_install_missing() {
    local missing=() p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        sudo=(sudo)
    fi
    "${sudo[@]}" apt-get update
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive \
        apt-get install -y --no-install-recommends "${missing[@]}"
}

noctivue_install_missing "${packages[@]}"

# The arguments of the last successful configure.
args_file="$NOCTIVUE_BUILD/.noctivue-cmake-args"
if [ ! -f "$NOCTIVUE_BUILD/build.ninja" ] || [ ! -f "$args_file" ] ||
    [ "$(cat "$args_file")" != "${NOCTIVUE_CMAKE_ARGS:-}" ]; then
    echo "Configuring $NOCTIVUE_BUILD"
    # Status lines (which optional packages Qt found) are left out; warnings
    # and errors still show.
    # shellcheck disable=SC2086 # NOCTIVUE_CMAKE_ARGS is a list of arguments
    cmake -S "$NOCTIVUE_ROOT" -B "$NOCTIVUE_BUILD" -G Ninja --log-level=WARNING \
        ${NOCTIVUE_CMAKE_ARGS:-} >/dev/null
    printf '%s' "${NOCTIVUE_CMAKE_ARGS:-}" >"$args_file"
fi
