#!/usr/bin/env bash
# Runs every Windows test program of build-windows/ (made by
# scripts/build-windows.sh) under Wine, headless, through ctest.
#
# Each run gets a Wine prefix of its own in a temporary folder, made safe by
# scripts/wine-prefix.sh before any test runs: Wine links the prefix's
# Desktop, Documents and other user folders to the Unix home, so a test that
# empties its Desktop would empty the real one.
#
#   bash scripts/test-windows.sh [ctest arguments, e.g. -R test_file_list]
#
# Environment: CORVANTA_TEST_JOBS (ctest -j, default 2),
#              CORVANTA_KEEP_WINEPREFIX=1 keeps the prefix for a look after.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$ROOT/build-windows"
started=$(date +%s)
minutes() { printf '%dm%02ds' $(( $1 / 60 )) $(( $1 % 60 )); }

if [ ! -f "$BUILD_DIR/windows-prefix.txt" ] || [ ! -f "$BUILD_DIR/CTestTestfile.cmake" ]; then
  echo "No Windows build in $BUILD_DIR: run scripts/build-windows.sh first." >&2
  exit 1
fi
QT_PREFIX="$(cat "$BUILD_DIR/windows-prefix.txt")"
if [ ! -f "$QT_PREFIX/bin/Qt6Core.dll" ]; then
  echo "The Windows Qt of this build is gone ($QT_PREFIX): run scripts/build-windows.sh again." >&2
  exit 1
fi

# Fonts for the offscreen platform, which reads font files from one folder:
# DejaVu, and the stand-ins for Arial and Calibri that the window asks for.
font_packages=(fonts-dejavu-core fonts-liberation2 fonts-crosextra-carlito)
missing=()
# Qt's own translations: test_translations puts them beside the program, as
# an installed program has them.
for package in wine wine64 qt6-translations-l10n "${font_packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$package")
  fi
done
if [ "${#missing[@]}" -gt 0 ]; then
  as_root=()
  if [ "$(id -u)" -ne 0 ]; then as_root=(sudo); fi
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# --- a prefix of our own --------------------------------------------------

# shellcheck source=scripts/wine-prefix.sh
source "$ROOT/scripts/wine-prefix.sh"
trap remove_wine_prefix EXIT
make_wine_prefix

# --- what the test programs need -------------------------------------------

# Qt's DLLs, its plugins (found beside Qt6Core.dll's prefix) and mingw's
# runtime are in one folder, put on the Windows PATH.
qt_bin_windows="$(winepath -w "$QT_PREFIX/bin")"
export WINEPATH="$qt_bin_windows"

fonts="$WINEPREFIX/drive_c/fonts"
mkdir -p "$fonts"
find /usr/share/fonts/truetype/dejavu /usr/share/fonts/truetype/liberation2 \
     /usr/share/fonts/truetype/crosextra -name '*.ttf' -exec cp -t "$fonts" {} + 2>/dev/null || true
if [ -z "$(ls -A "$fonts")" ]; then
  echo "No fonts found for the offscreen platform." >&2
  exit 1
fi
# Wine keeps Unix QT_* variables from Windows programs (they would mislead
# a Windows Qt) and passes WINEQT_* on as QT_* instead; the QT_QPA_PLATFORM
# that the tests' CMake ENVIRONMENT sets is therefore not seen.
export WINEQT_QPA_PLATFORM=offscreen
export WINEQT_QPA_FONTDIR='C:\fonts'
# With no console attached (Wine run from a pipe) Qt Test and qDebug write
# to the Windows debug log, which nobody reads; this sends them to the
# streams that ctest shows.
export WINEQT_FORCE_STDERR_LOGGING=1
# A test program still running after this many seconds is ended (ctest's own
# limit per test is 300 s); scripts/wine-run.sh applies it.
export CORVANTA_WINE_TIMEOUT="${CORVANTA_WINE_TIMEOUT:-120}"

# --- the tests ----------------------------------------------------------------

# The first Windows program that touches the desktop starts Wine's
# explorer.exe and rpcss.exe, which then inherit its output pipe and hold it
# open until the prefix ends, so ctest would wait minutes for that test. One
# program run with its output going nowhere starts them first.
warm_up="$(find "$BUILD_DIR/tests" -maxdepth 1 -name 'test_*.exe' | head -n 1)"
if [ -n "$warm_up" ]; then
  "$ROOT/scripts/wine-run.sh" "$warm_up" -functions </dev/null >/dev/null 2>&1 || true
fi

echo "== ctest in $BUILD_DIR"
ctest_status=0
ctest --test-dir "$BUILD_DIR" --output-on-failure -j "${CORVANTA_TEST_JOBS:-2}" "$@" \
  | tee "$BUILD_DIR/test-windows.log" || ctest_status=$?

if ! wine_prefix_still_safe; then
  ctest_status=1
fi

total=$(( $(date +%s) - started ))
echo
echo "Windows test summary"
grep -E '^[[:space:]]*[0-9]+/[0-9]+ Test' "$BUILD_DIR/test-windows.log" \
  | sed -E 's/^[[:space:]]*[0-9]+\/[0-9]+ Test +#[0-9]+: //' | sed 's/^/  /' || true
grep -E 'tests passed|tests failed' "$BUILD_DIR/test-windows.log" | sed 's/^/  /' || true
printf '  elapsed %s  (target: every test program passes in at most 10m00s)\n' "$(minutes "$total")"
exit "$ctest_status"
