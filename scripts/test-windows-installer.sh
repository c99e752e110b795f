#!/usr/bin/env bash
# Installs build-windows/Corvanta-<version>-setup.exe silently under Wine,
# checks what it put on disk and in the registry, starts the installed
# program once, then uninstalls silently and checks that all of it is gone
# and a file the user put in the folder stayed. Run scripts/build-windows.sh
# and scripts/package-windows.sh first.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$ROOT/build-windows"
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt" 2>/dev/null || true)"
SETUP="$BUILD_DIR/Corvanta-$VERSION-setup.exe"
if [ -z "$VERSION" ] || [ ! -f "$SETUP" ]; then
  echo "No installer in $BUILD_DIR: run scripts/build-windows.sh and scripts/package-windows.sh first." >&2
  exit 1
fi
started=$(date +%s)

# shellcheck source=scripts/wine-prefix.sh
source "$ROOT/scripts/wine-prefix.sh"
trap remove_wine_prefix EXIT
make_wine_prefix

passed=0
failed=0
check() {
  local what="$1"; shift
  if "$@"; then
    passed=$((passed + 1)); echo "  ok    $what"
  else
    failed=$((failed + 1)); echo "  FAIL  $what"
  fi
}
reg_has() { wine reg query "$1" ${2:+/v "$2"} >/dev/null 2>&1; }
reg_lacks() { ! reg_has "$@"; }

install_dir="$WINEPREFIX/drive_c/Program Files/Corvanta"
classes='HKLM\Software\Classes'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Corvanta'
start_menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Corvanta.lnk"

echo "== installing $(basename "$SETUP") silently"
timeout 300 wine "$SETUP" /S
check "corvanta.exe installed" test -f "$install_dir/corvanta.exe"
for file in Qt6Core.dll Qt6Gui.dll Qt6Widgets.dll libstdc++-6.dll libgcc_s_seh-1.dll libwinpthread-1.dll \
            platforms/qwindows.dll styles/qwindowsvistastyle.dll Uninstall.exe \
            corvanta-check.exe translations/qtbase_de.qm translations/qtbase_pt_BR.qm; do
  check "$file installed" test -f "$install_dir/$file"
done
check "Samples/ installed" test -n "$(find "$install_dir/Samples" -name '*.pdf' 2>/dev/null)"
check "Video/ installed" test -n "$(find "$install_dir/Video" -type f 2>/dev/null)"
check "Start-menu entry" test -f "$start_menu"
check "Open with: application entry" reg_has "$classes\\Applications\\corvanta.exe\\shell\\open\\command"
check "Open with: .pdf lists Corvanta" reg_has "$classes\\.pdf\\OpenWithProgids" Corvanta.PDF
check "uninstall entry" reg_has "$uninstall_key" UninstallString

echo "== starting the installed program (offscreen, ended after 20 s)"
# There is no window system here, so the offscreen platform plugin (not
# shipped) is put beside the shipped one for this run only: the installed
# DLLs must be enough for the program to start and keep running until it
# is ended, not fail at once.
QT_PREFIX="$(cat "$BUILD_DIR/windows-prefix.txt")"
cp "$QT_PREFIX/plugins/platforms/qoffscreen.dll" "$install_dir/platforms/"
fonts="$WINEPREFIX/drive_c/fonts"
mkdir -p "$fonts"
find /usr/share/fonts/truetype/dejavu -name '*.ttf' -exec cp -t "$fonts" {} + 2>/dev/null || true
program_status=0
WINEQT_QPA_PLATFORM=offscreen WINEQT_QPA_FONTDIR='C:\fonts' \
  timeout 20 wine "$install_dir/corvanta.exe" >/dev/null 2>&1 || program_status=$?
check "installed program starts and runs (ended by the time limit: status 124)" test "$program_status" -eq 124
rm -f "$install_dir/platforms/qoffscreen.dll"

echo "== uninstalling silently"
echo "mine" >"$install_dir/user-note.txt"
# The uninstaller copies itself away and runs the copy; _?= runs it in place.
# Under Wine it still ends before its files are gone, and the prefix's
# wineserver stays up, so waiting for that would never end: the uninstaller
# removes itself last.
timeout 300 wine "$install_dir/Uninstall.exe" /S '_?=C:\Program Files\Corvanta'
for _ in $(seq 120); do [ -e "$install_dir/Uninstall.exe" ] || break; sleep 1; done
check "program files removed" test ! -e "$install_dir/corvanta.exe" -a ! -e "$install_dir/Qt6Core.dll" \
  -a ! -e "$install_dir/platforms" -a ! -e "$install_dir/Samples"
check "a file the user added stays" test -f "$install_dir/user-note.txt"
check "Start-menu entry removed" test ! -e "$start_menu"
check "Open with entries removed" reg_lacks "$classes\\Applications\\corvanta.exe"
check ".pdf no longer lists Corvanta" reg_lacks "$classes\\.pdf\\OpenWithProgids" Corvanta.PDF
check "uninstall entry removed" reg_lacks "$uninstall_key"
check "user folders still plain folders" wine_prefix_still_safe

echo
echo "Windows installer test: $passed passed, $failed failed"
printf 'elapsed %ds\n' $(( $(date +%s) - started ))
[ "$failed" -eq 0 ]
