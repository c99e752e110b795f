#!/usr/bin/env bash
# Makes the Windows installer build-windows/Corvanta-<version>-setup.exe from
# the Windows build (run scripts/build-windows.sh first) with NSIS.
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="$ROOT/build-windows"
if [ ! -f "$BUILD_DIR/windows-prefix.txt" ] || [ ! -f "$BUILD_DIR/app/corvanta.exe" ]; then
  echo "No Windows build in $BUILD_DIR: run scripts/build-windows.sh first." >&2
  exit 1
fi
PREFIX="$(cat "$BUILD_DIR/windows-prefix.txt")"
VERSION="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$BUILD_DIR/CMakeCache.txt")"
STAGE="$BUILD_DIR/installer-stage"
OUTFILE="$BUILD_DIR/Corvanta-$VERSION-setup.exe"

rm -rf "$STAGE"
mkdir -p "$STAGE/platforms" "$STAGE/styles" "$STAGE/imageformats"
cp "$BUILD_DIR/app/corvanta.exe" "$BUILD_DIR/app/corvanta-check.exe" "$STAGE/"
x86_64-w64-mingw32-strip "$STAGE/corvanta.exe" "$STAGE/corvanta-check.exe"
# Qt's own texts (the Yes and No buttons, the file dialog) in each language
# the program speaks. A catalogue is the same file on every platform, so
# Debian's (qt6-translations-l10n, installed by build-windows.sh) serve.
mkdir -p "$STAGE/translations"
for ts in "$ROOT"/translations/corvanta_*.ts; do
  language="$(basename "$ts" .ts)"
  cp "/usr/share/qt6/translations/qtbase_${language#corvanta_}.qm" "$STAGE/translations/"
done
cp -r "$BUILD_DIR/app/Samples" "$BUILD_DIR/app/Video" "$STAGE/"
cp "$ROOT/resources/icons/corvanta.ico" "$STAGE/"
for dll in Qt6Core Qt6Gui Qt6Widgets libstdc++-6 libgcc_s_seh-1 libwinpthread-1; do
  cp "$PREFIX/bin/$dll.dll" "$STAGE/"
done
# Qt looks for plugins in folders beside the executable.
cp "$PREFIX/plugins/platforms/qwindows.dll" "$STAGE/platforms/"
cp "$PREFIX/plugins/styles/qwindowsvistastyle.dll" "$STAGE/styles/"
cp "$PREFIX"/plugins/imageformats/*.dll "$STAGE/imageformats/" 2>/dev/null || rmdir "$STAGE/imageformats"

# Every staged file gets one File line and one Delete line; the uninstaller
# then removes exactly these files and leaves anything else in the folder.
install_list="$STAGE/install-files.nsh"
uninstall_list="$STAGE/uninstall-files.nsh"
: >"$install_list"
: >"$uninstall_list"
file_list="$(mktemp)"
trap 'rm -f "$file_list"' EXIT
(cd "$STAGE" && find . -type f ! -name '*.nsh' | sed 's|^\./||' | LC_ALL=C sort) >"$file_list"
current_dir=
while IFS= read -r file; do
  dir="$(dirname "$file")"
  windows_dir="${dir//\//\\}"
  windows_file="${file//\//\\}"
  if [ "$dir" != "$current_dir" ]; then
    if [ "$dir" = . ]; then
      echo 'SetOutPath "$INSTDIR"' >>"$install_list"
    else
      echo "SetOutPath \"\$INSTDIR\\$windows_dir\"" >>"$install_list"
    fi
    current_dir="$dir"
  fi
  echo "File \"$STAGE/$file\"" >>"$install_list"
  echo "Delete \"\$INSTDIR\\$windows_file\"" >>"$uninstall_list"
done <"$file_list"
# Folders deepest first, each removed only when empty.
(cd "$STAGE" && find . -mindepth 1 -type d | sed 's|^\./||' | awk -F/ '{ print NF "\t" $0 }' \
   | sort -rn | cut -f2-) | while IFS= read -r dir; do
  echo "RMDir \"\$INSTDIR\\${dir//\//\\}\"" >>"$uninstall_list"
done

makensis -V2 -DVERSION="$VERSION" -DSTAGE="$STAGE" -DOUTFILE="$OUTFILE" "$ROOT/windows/installer.nsi"
echo "Installer: $OUTFILE"
