#!/usr/bin/env bash
# Makes docs/screenshot.png again from the real program: built as run.sh
# builds it, started with the sample files on a virtual display with a
# window manager, in English, with a home folder of its own (your settings
# are not touched), and photographed once its window is up.
set -euo pipefail
CORVANTA_TARGETS=corvanta
CORVANTA_EXTRA_PACKAGES="imagemagick x11-utils"
source "$(dirname "${BASH_SOURCE[0]}")/setup.sh"

work=/tmp/corvanta-screenshot
rm -rf "$work"
mkdir -p "$work/home" "$work/Samples"
trap 'rm -rf "$work"' EXIT
cp "$CORVANTA_BUILD"/app/Samples/*.pdf "$work/Samples/"
output="$CORVANTA_ROOT/docs/screenshot.png"

HOME="$work/home" XDG_CONFIG_HOME="$work/home/.config" LANG=C.UTF-8 LC_ALL=C.UTF-8 LANGUAGE= \
xvfb-run -a -s "-screen 0 1024x768x24" bash -s "$CORVANTA_BUILD/app/corvanta" "$output" "$work"/Samples/*.pdf <<'SHOT'
set -eu
program=$1
output=$2
shift 2
openbox >/dev/null 2>&1 &
sleep 1
"$program" "$@" >/dev/null 2>&1 &
started=$!
window=
# The window on the screen, not one of the hidden ones that share its title.
for _ in $(seq 100); do
    for candidate in $(xwininfo -root -tree | awk '/"Corvanta"/ { print $1 }'); do
        if xwininfo -id "$candidate" | grep -q 'Map State: IsViewable'; then
            window=$candidate
        fi
    done
    [ -n "$window" ] && break
    sleep 0.1
done
if [ -z "$window" ]; then
    echo "The window did not appear." >&2
    kill "$started"
    exit 1
fi
# The list and the icons are drawn a moment after the window appears.
sleep 2
import -window "$window" "$output"
kill "$started"
SHOT
echo "Made $output"
