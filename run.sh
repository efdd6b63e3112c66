#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Installs what is missing, builds, and starts the viewer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/bootstrap.sh"
exec "$NOCTIVUE_BUILD/app/noctivue" "$@"
