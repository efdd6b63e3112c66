#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Builds the Debian package in build/ and checks it: lintian must report no
# error and no warning, and the installed binary no search path into the
# current directory. Prints the package's path last.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/bootstrap.sh"
noctivue_install_missing lintian

cmake --build "$NOCTIVUE_BUILD"
rm -f "$NOCTIVUE_BUILD"/noctivue_*.deb
(cd "$NOCTIVUE_BUILD" && cpack -G DEB)
deb=$(ls "$NOCTIVUE_BUILD"/noctivue_*.deb)

lintian --display-info --fail-on error,warning "$deb"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
cmake -DREADELF=readelf -DFILES="$unpacked/usr/bin/noctivue" \
    -P "$NOCTIVUE_ROOT/tests/packaging/check_runpath.cmake"
echo "$deb"
