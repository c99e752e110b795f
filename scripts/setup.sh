#!/usr/bin/env bash
# Installs whatever the build, the program and the tests need and is missing,
# then configures and builds into build/: the targets named in
# CORVANTA_TARGETS (run.sh: the program and its helpers), or everything.
# Sourced by run.sh and test.sh.
set -euo pipefail

CORVANTA_ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
CORVANTA_BUILD="${CORVANTA_BUILD:-$CORVANTA_ROOT/build}"

packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools libgl-dev libfontconfig-dev
  qt6-tools-dev qt6-l10n-tools  # lupdate and lrelease, and CMake's LinguistTools
  qt6-translations-l10n         # Qt's own dialog texts in the user's language
  pdftk-java libqpdf-dev
  qpdf zlib1g-dev  # the tests make PDF files that pdftk cannot
  poppler-utils    # the tests read joined files with another library's eyes
  fonts-crosextra-carlito fonts-liberation2
  adwaita-qt6  # a dark and a high-contrast style the window is tested under
  xvfb xauth openbox libxcb1-dev  # a virtual display; the start-up benchmark
  dpkg-dev file appstream  # make and check the Debian package
  clang-format             # the test that src/ stays formatted
)

# A script that needs more (the screenshot's tools) names them here.
read -r -a extra <<< "${CORVANTA_EXTRA_PACKAGES:-}"
packages+=("${extra[@]}")

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
  fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

cmake -S "$CORVANTA_ROOT" -B "$CORVANTA_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
targets=()
for target in ${CORVANTA_TARGETS:-}; do
  targets+=(--target "$target")
done
cmake --build "$CORVANTA_BUILD" --parallel "$(nproc)" "${targets[@]}"
