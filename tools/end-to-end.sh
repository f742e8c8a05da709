#!/usr/bin/env bash
# The program end to end as a user runs it: on a virtual display, against the loopback page
# server, with the stand-in converter beside it. A link is typed into the link box and Enter
# pressed; the download and its conversion must lie in the save folder within 60 s, and closing
# the window must end the program with 0. Says PASSED, or FAILED with the reason, in one line.
#
#   tools/end-to-end.sh [BUILD_DIR]     (default build/test; it must hold the tools)
set -uo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build/test}" && pwd)
work=$(mktemp -d)
pids=()

cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  sleep 0.5
  for pid in "${pids[@]}"; do kill -9 "$pid" 2>/dev/null; done
  wait 2>/dev/null
  rm -rf "$work"
}
fail() {
  [ -n "${E2E_VERBOSE:-}" ] && [ -f "$work/program.log" ] && tail -20 "$work/program.log"
  # E2E_SHOT=file.png keeps a picture of the screen as it was.
  [ -n "${E2E_SHOT:-}" ] && command -v import >/dev/null && import -window root "$E2E_SHOT" 2>/dev/null
  echo "end-to-end: FAILED: $*"
  cleanup
  exit 1
}
# Waits up to $1 seconds for the command after it to succeed.
wait_for() {
  local limit=$(( $1 * 10 )); shift
  for _ in $(seq "$limit"); do "$@" && return 0; sleep 0.1; done
  return 1
}

for tool in quillory-launcher quillory-page-server vidmorf; do
  [ -x "$build/tools/$tool" ] || fail "$build/tools/$tool is not built"
done
command -v Xvfb >/dev/null && command -v xdotool >/dev/null || fail "Xvfb or xdotool is missing (run setup.sh)"

# The program's folder holds the converter under its own name; its user has a home of its own,
# and the desktop's opener only notes what it is asked to open.
mkdir -p "$work/app" "$work/state" "$work/save" "$work/home" "$work/config" "$work/bin"
cp "$build/tools/quillory-launcher" "$work/app/"
cp "$build/tools/vidmorf" "$work/app/vidmorf.exe"
printf '#!/bin/sh\necho "$@" >> "%s/opened"\n' "$work" > "$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

display=""
for n in $(seq 90 130); do
  [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { display=":$n"; break; }
done
[ -n "$display" ] || fail "no free display number"
Xvfb "$display" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_for 10 test -e "/tmp/.X11-unix/X${display#:}" || fail "Xvfb did not start on $display"

# E2E_HOLD_MS holds the page back that long (the wait window shows meanwhile).
"$build/tools/quillory-page-server" "$work/state" "${E2E_HOLD_MS:-0}" >"$work/server.log" 2>&1 &
pids+=($!)
wait_for 20 test -s "$work/state/port" || fail "the page server did not start"

export DISPLAY="$display" HOME="$work/home" XDG_CONFIG_HOME="$work/config" PATH="$work/bin:$PATH"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# The tests check leaks; here the program's behaviour is what counts.
export ASAN_OPTIONS="detect_leaks=0:abort_on_error=1" UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"
"$work/app/quillory-launcher" "$work/state" "path=$work/save" auto=1 format=1 >"$work/program.log" 2>&1 &
program=$!
pids+=($program)

window=$(timeout 60 xdotool search --sync --onlyvisible --name "^Quillory Video Downloader" 2>/dev/null | head -1)
[ -n "$window" ] || fail "the main window did not show within 60 s"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH:-0}x${HEIGHT:-0}" = "613x557" ] || fail "the main window's client area is ${WIDTH:-?}x${HEIGHT:-?}, not 613x557"

# The link box lies at 45, 37 (its panel at 9, 8, the box at 36, 29 in it), 350 x 19.
xdotool mousemove --window "$window" 100 46 click 1
sleep 0.3
xdotool type --delay 5 "https://www.quillory.com/video/video.php?v=12345678901234567"
xdotool key Return

flv="$work/save/Loopback clip.flv"
avi="$work/save/Loopback clip.avi"
wait_for 60 test -s "$flv" -a -s "$avi" ||
  fail "after 60 s the save folder holds: $(ls "$work/save" | tr '\n' ' ')"

# Closing the window: the program hides it, waits 5 s, opens the maker's page and ends.
kill -TERM "$program"
wait_for 30 sh -c "! kill -0 $program 2>/dev/null" || fail "the program did not end after its window was closed"
wait "$program"
code=$?
[ "$code" = 0 ] || fail "the program ended with $code"
grep -q "^https://" "$work/opened" 2>/dev/null || fail "closing did not open the maker's page"

echo "end-to-end: PASSED (link typed, page read, downloaded and converted, closed with 0)"
cleanup
