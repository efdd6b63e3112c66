#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds everything, and runs the whole test suite
# headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/bootstrap.sh"
if [ ! -x "$NOCTIVUE_BUILD/bench/noctivue-bench" ]; then
    echo "First build: about 6 minutes on 2 cores, the viewer, its tests and" \
        "the benchmark. Later runs rebuild only what changed."
fi
cmake --build "$NOCTIVUE_BUILD"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$NOCTIVUE_BUILD" --output-on-failure -j2 "$@"
