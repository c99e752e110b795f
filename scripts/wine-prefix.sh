# Sourced by the Windows test scripts: make_wine_prefix makes a Wine prefix
# of its own in a temporary folder and makes it safe before any Windows
# program runs in it; remove_wine_prefix ends its processes and deletes it.
#
# Wine links the prefix's Desktop, Documents, Downloads, Music, Pictures,
# Videos and Templates to the Unix home, so a program that empties its
# Desktop would empty the real home folder. Every link under drive_c/users
# becomes a plain empty folder, and nothing runs while one is left.

make_wine_prefix() {
  WINEPREFIX="$(mktemp -d -t corvanta-wine.XXXXXXXX)"
  export WINEPREFIX
  # Wine makes its user-folder links from $HOME's folders; a home inside the
  # prefix means even a link that slipped through leads nowhere real.
  export HOME="$WINEPREFIX/unix-home"
  mkdir -p "$HOME"
  unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_CACHE_HOME XDG_DESKTOP_DIR DISPLAY WAYLAND_DISPLAY
  export WINEDEBUG=-all
  # No Mono or Gecko installer dialog, no menu entries on the Unix desktop.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

  echo "== Wine prefix $WINEPREFIX"
  wineboot --init >/dev/null 2>&1
  wineserver -w

  WINE_USERS_DIR="$WINEPREFIX/drive_c/users"
  if [ ! -d "$WINE_USERS_DIR" ] || [ ! -d "$WINEPREFIX/dosdevices" ]; then
    echo "wineboot did not make the prefix; not running any Windows program." >&2
    return 1
  fi

  local link target prefix_real folder user
  while IFS= read -r -d '' link; do
    rm -f -- "$link"
    mkdir -p -- "$link"
  done < <(find "$WINE_USERS_DIR" -type l -print0)

  # Refuse to go on while any link in drive_c still leads out of the prefix.
  prefix_real="$(realpath "$WINEPREFIX")"
  local escaping=()
  while IFS= read -r -d '' link; do
    target="$(realpath -m -- "$link")"
    case "$target" in
      "$prefix_real"/*) ;;
      *) escaping+=("$link -> $target") ;;
    esac
  done < <(find "$WINEPREFIX/drive_c" -type l -print0)
  if [ -n "$(find "$WINE_USERS_DIR" -type l -print | head -n 1)" ] || [ "${#escaping[@]}" -ne 0 ]; then
    echo "REFUSING to run Windows programs: links out of the Wine prefix remain:" >&2
    printf '  %s\n' "${escaping[@]}" >&2
    find "$WINE_USERS_DIR" -type l >&2
    return 1
  fi
  for user in "$WINE_USERS_DIR"/*/; do
    for folder in Desktop Documents Downloads Music Pictures Videos; do
      if [ -L "$user$folder" ] || { [ -e "$user$folder" ] && [ ! -d "$user$folder" ]; }; then
        echo "REFUSING to run Windows programs: $user$folder is not a plain folder." >&2
        return 1
      fi
    done
  done
  # Drive letters other than C: are links to Unix folders (Z: is /, which
  # the programs need to reach the build tree). Say which there are.
  echo "   drives: $(cd "$WINEPREFIX/dosdevices" && for d in *; do printf '%s->%s ' "$d" "$(readlink "$d")"; done)"
  echo "   user folders are plain folders inside the prefix"

  # Keep Wine's server and its service processes (services.exe and others)
  # running from here on with their output going nowhere: started by a test
  # program instead, they would inherit its output pipe and hold it open.
  wineserver -p
  wine cmd /c exit </dev/null >/dev/null 2>&1 || true
  # Wine shows files whose names begin with a dot as hidden, which Windows
  # does not; the tests check the hidden attribute the program sets itself.
  wine reg add 'HKCU\Software\Wine' /v ShowDotFiles /t REG_SZ /d Y /f </dev/null >/dev/null 2>&1
}

# Nothing a program did may have turned a user folder back into a link.
wine_prefix_still_safe() {
  if [ -n "$(find "$WINE_USERS_DIR" -type l -print | head -n 1)" ]; then
    echo "WARNING: links appeared under $WINE_USERS_DIR during the run:" >&2
    find "$WINE_USERS_DIR" -type l >&2
    return 1
  fi
}

remove_wine_prefix() {
  [ -n "${WINEPREFIX:-}" ] || return 0
  wineserver -k >/dev/null 2>&1 || true
  if [ "${CORVANTA_KEEP_WINEPREFIX:-0}" = 1 ]; then
    echo "Wine prefix kept: $WINEPREFIX"
  else
    # rm removes links, never what they point to.
    rm -rf "$WINEPREFIX"
  fi
}
