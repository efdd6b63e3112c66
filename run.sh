#!/usr/bin/env bash
# Installs what is missing, builds, and starts the viewer.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/scripts/bootstrap.sh"
exec "$NOCTIVUE_BUILD/app/noctivue" "$@"
