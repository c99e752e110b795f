#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvanta.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$CORVANTA_BUILD/app/corvanta" "$@"
