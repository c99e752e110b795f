#!/bin/sh
# The emulator through which CMake and ctest run this build's Windows
# programs (build-windows.sh passes it as CORVANTA_WINE). It runs them only
# in a prefix that scripts/test-windows.sh has prepared: in Wine's default
# prefix the Desktop, Documents and other user folders are links into the
# Unix home, and a test that empties its Desktop would empty the home.
# CORVANTA_WINE_TIMEOUT (seconds) ends a program that hangs.
if [ -z "${WINEPREFIX:-}" ] || [ ! -d "$WINEPREFIX/drive_c/users" ]; then
  echo "wine-run: no prepared WINEPREFIX; run the tests with scripts/test-windows.sh" >&2
  exit 125
fi
# Links the tests make in their own folders lead into the prefix and pass.
escaping="$(find "$WINEPREFIX/drive_c/users" -type l -exec sh -c '
  for link; do
    case "$(realpath -m -- "$link")" in "$0"/*) ;; *) echo "$link" ;; esac
  done' "$(realpath "$WINEPREFIX")" {} + 2>/dev/null | head -n 1)"
if [ -n "$escaping" ]; then
  echo "wine-run: $escaping leads out of the prefix; not running $1" >&2
  exit 125
fi
if [ -n "${CORVANTA_WINE_TIMEOUT:-}" ]; then
  exec timeout -k 10 "$CORVANTA_WINE_TIMEOUT" wine "$@"
fi
exec wine "$@"
