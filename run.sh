#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds the viewer, and starts it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/bootstrap.sh"
if [ ! -x "$NOCTIVUE_BUILD/app/noctivue" ]; then
    echo "First build: about 4 minutes on 2 cores, as the 31 pictures are" \
        "rendered and built into the program. Later runs rebuild only what changed."
fi
cmake --build "$NOCTIVUE_BUILD" --target noctivue
exec "$NOCTIVUE_BUILD/app/noctivue" "$@"
