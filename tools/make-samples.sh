#!/usr/bin/env bash
# Writes the sample PDF files in resources/Samples anew: three ordinary ones
# drawn with Qt's PDF writer, and one that pdftk encrypts with the password
# its name tells. Usage: tools/make-samples.sh [build-folder]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-${CORVANTA_BUILD:-$root/build}}"
samples="$root/resources/Samples"
password="1234"

cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" --target corvanta_make_samples

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

QT_QPA_PLATFORM="${QT_QPA_PLATFORM:-offscreen}" \
  "$build/tools/corvanta_make_samples" "$samples" "$work/protected.pdf" "$password"

# Only a user password: pdftk refuses an owner password equal to it, and the
# user password alone is enough to open the file and to join it.
pdftk "$work/protected.pdf" output "$samples/Sample 4 - Protected (password $password).pdf" \
  user_pw "$password"

ls -l "$samples"
