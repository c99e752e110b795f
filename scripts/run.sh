#!/usr/bin/env bash
# Installs what is missing, builds, and starts Corvanta.
set -euo pipefail
# The program, its helpers, samples and video; the tests and benchmarks
# are built by test.sh.
CORVANTA_TARGETS=corvanta
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
exec "$CORVANTA_BUILD/app/corvanta" "$@"
