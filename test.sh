#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and runs the whole test suite headless.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/bootstrap.sh"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$NOCTIVUE_BUILD" --output-on-failure -j2 "$@"
