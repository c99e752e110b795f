#!/usr/bin/env bash
# Records the demo video that "Watch Old Demo Video" opens: the real program,
# on a virtual display, loads the sample files and joins them. It also saves a
# screenshot of the window with the samples in its list.
#
#   tools/record_demo.sh [build folder]
#
# Needs xvfb-run, xdotool, ffmpeg (with libx264) and ImageMagick's import. The
# build folder (default: build) must hold a built app/corvanta with its
# Samples/ beside it. Writes resources/Video/corvanta-demo.mp4 and
# docs/screenshot.png; re-run CMake afterwards so the build copies the video.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
program="$build/app/corvanta"
video="$root/resources/Video/corvanta-demo.mp4"
screenshot="$root/docs/screenshot.png"

if [ -z "${CORVANTA_DEMO_DISPLAY:-}" ]; then
  for tool in xvfb-run xdotool ffmpeg import; do
    command -v "$tool" >/dev/null || { echo "record_demo: $tool is missing" >&2; exit 1; }
  done
  [ -x "$program" ] || { echo "record_demo: build the program first ($program)" >&2; exit 1; }
  [ -d "$build/app/Samples" ] || { echo "record_demo: $build/app/Samples is missing" >&2; exit 1; }
  export CORVANTA_DEMO_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1024x700x24" "$0" "$build"
fi

# The program runs from a copy with its Samples, under a home of its own, so
# the joined file lands on a throw-away Desktop, no settings of the user's are
# read or written, and the paths on screen are short.
stage="${TMPDIR:-/tmp}/corvanta-demo"
rm -rf "$stage"
home="$stage/home"
work="$stage/work"
mkdir -p "$stage/Corvanta" "$home/Desktop" "$work"
chmod 700 "$work"
cp "$program" "$stage/Corvanta/"
cp -r "$build/app/Samples" "$stage/Corvanta/"
app_pid=""
recorder_pid=""
cleanup() {
  [ -n "$recorder_pid" ] && kill -INT "$recorder_pid" 2>/dev/null || true
  [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
  rm -rf "$stage"
}
trap cleanup EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" XDG_DATA_HOME="$home/.local/share"
export XDG_RUNTIME_DIR="$work" QT_QPA_PLATFORM=xcb

"$stage/Corvanta/corvanta" &
app_pid=$!
window="$(xdotool search --sync --onlyvisible --name '^Corvanta$' | head -1)"
sleep 1
eval "$(xdotool getwindowgeometry --shell "$window")"   # X, Y, WIDTH, HEIGHT
# The password prompt is a little wider than the window: record a margin on
# either side. x264 wants even dimensions.
margin=24
width=$(( (WIDTH + 2 * margin) / 2 * 2 ))
height=$(( HEIGHT / 2 * 2 ))

pointer_x=$(( X + WIDTH / 2 ))
pointer_y=$(( Y + HEIGHT - 40 ))
xdotool mousemove "$pointer_x" "$pointer_y"

# Moves the pointer to a point of the main window in small steps, as a hand would.
glide() {
  local to_x=$(( X + $1 )) to_y=$(( Y + $2 )) steps=12 i
  for (( i = 1; i <= steps; i++ )); do
    xdotool mousemove $(( pointer_x + (to_x - pointer_x) * i / steps )) \
                      $(( pointer_y + (to_y - pointer_y) * i / steps ))
    sleep 0.03
  done
  pointer_x=$to_x
  pointer_y=$to_y
}

# Waits until a message box (a second window titled "Corvanta") is showing.
wait_for_box() {
  local tries
  for (( tries = 0; tries < 100; tries++ )); do
    if [ "$(xdotool search --onlyvisible --name '^Corvanta$' | wc -l)" -ge 2 ]; then
      sleep 0.8
      return 0
    fi
    sleep 0.1
  done
  import -window root "${TMPDIR:-/tmp}/record_demo_failure.png"
  echo "record_demo: no message box appeared; the screen is in ${TMPDIR:-/tmp}/record_demo_failure.png" >&2
  return 1
}

# Answers the next password prompt with the given text ("" for no password).
answer_prompt() {
  local prompt="" tries=0
  while [ -z "$prompt" ] && [ "$tries" -lt 100 ]; do
    prompt="$(xdotool search --onlyvisible --name '^Input Password$' | head -1 || true)"
    [ -n "$prompt" ] || sleep 0.1
    tries=$(( tries + 1 ))
  done
  [ -n "$prompt" ] || { echo "record_demo: no password prompt appeared" >&2; return 1; }
  sleep 0.7
  [ -z "$1" ] || xdotool type --delay 200 "$1"
  sleep 0.4
  xdotool key Return
  while xdotool search --onlyvisible --name '^Input Password$' | grep -qx "$prompt"; do sleep 0.05; done
}

wait_for_no_box() {
  while [ "$(xdotool search --onlyvisible --name '^Corvanta$' | wc -l)" -ge 2 ]; do sleep 0.1; done
}

ffmpeg -loglevel error -y -f x11grab -draw_mouse 1 -framerate 12 -video_size "${width}x${height}" \
  -i "${DISPLAY}.0+$(( X - margin )),${Y}" -c:v libx264 -preset veryslow -tune animation -crf 30 \
  -pix_fmt yuv420p -movflags +faststart "$work/demo.mp4" </dev/null &
recorder_pid=$!
sleep 1.5

# Help > Load Sample/Example Files To Test With; no need to look at the folder.
glide 62 10
xdotool click 1
sleep 0.8
glide 150 33
sleep 0.3
xdotool click 1
wait_for_box
xdotool key n
wait_for_no_box
glide 300 300
sleep 1.2
import -window "$window" "$work/screenshot.png"

# One sample is protected: tick the password option, start joining and type
# its password (named in its file name) when the program asks for it. The
# prompts come in list order, which for these names is plain name order.
glide 110 $(( HEIGHT - 98 ))
sleep 0.3
xdotool click 1
sleep 0.8
glide 272 60
sleep 0.4
xdotool click 1
while IFS= read -r sample; do
  answer_prompt "$(printf '%s\n' "$sample" | sed -n 's/.*(password \([^)]*\)).*/\1/p')"
done < <(ls -1 "$stage/Corvanta/Samples" | sort -f)
wait_for_box
xdotool key Return
wait_for_box
sleep 0.4
xdotool key n
wait_for_no_box
sleep 1.5

kill -INT "$recorder_pid"
wait "$recorder_pid" || true
recorder_pid=""

[ -f "$home/Desktop/joined.pdf" ] || { echo "record_demo: the join made no joined.pdf" >&2; exit 1; }
mkdir -p "$(dirname "$video")" "$(dirname "$screenshot")"
cp "$work/demo.mp4" "$video"
cp "$work/screenshot.png" "$screenshot"
echo "Wrote $video ($(stat -c %s "$video") bytes) and $screenshot"
