#!/usr/bin/env bash
# Installs what is missing, builds, and makes the Debian package
# corvanta_<version>_<arch>.deb at the top of the clone.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"
cd "$CORVANTA_BUILD"
rm -f package/corvanta_*.deb
cpack -G DEB
cp package/corvanta_*.deb "$CORVANTA_ROOT/"
echo "Built: $(cd "$CORVANTA_ROOT" && ls corvanta_*.deb)"
