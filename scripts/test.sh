#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$CORVANTA_BUILD"
ctest --output-on-failure --timeout 600 --parallel "$(nproc)" "$@"
