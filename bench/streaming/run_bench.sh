#!/usr/bin/env bash
# Set-up time of the streaming benchmark, both builds, with 1, 2, 4 and 8
# threads: the time the program itself reports for its three workloads, the
# speed-up over one thread, and the peak resident size of the process.
#
#   bench/streaming/run_bench.sh [BIN_DIR]    (default: build/bin)
#
# Each run holds the full workloads (about 6.2 GB in the x86-64 build), so the
# runs are made one after another, never side by side. Rendering is switched
# off (GALLIUM_NOOP): the window shows only black anyway.
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$top/build/bin}
work=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null || true; rm -rf "$work"' EXIT

display=:$((200 + RANDOM % 300))
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
sleep 1

# Runs one build with a thread count; prints "seconds peak_kB".
run_once() {
  local exe=$1 threads=$2 title=$3
  local dir=$work/run
  rm -rf "$dir"; mkdir "$dir"
  (cd "$dir" && DISPLAY=$display GALLIUM_NOOP=1 OMP_NUM_THREADS=$threads \
     /usr/bin/time -f '%M' -o time.txt "$exe" >console.txt 2>stderr.txt </dev/null) &
  local pid=$!
  local n=0
  until grep -q '^window: ' "$dir/console.txt" 2>/dev/null; do
    sleep 0.5; n=$((n + 1))
    if [ $n -gt 2400 ] || ! kill -0 $pid 2>/dev/null; then echo "run failed: $exe" >&2; return 1; fi
  done
  local window
  window=$(DISPLAY=$display xdotool search --name "^$title\$" | head -1)
  DISPLAY=$display xdotool key --window "$window" Escape
  wait $pid
  local seconds
  seconds=$(sed -n 's/^For window: [0-9]*, the system spent: \(.*\) Secs to Initialize\.$/\1/p' "$dir/console.txt")
  echo "$seconds $(cat "$dir/time.txt")"
}

printf '| build | threads | set-up (s) | speed-up | peak RSS (MB) |\n'
printf '|---|---|---|---|---|\n'
for build in streaming_64 streaming_32; do
  exe=$bin/$build
  [ -x "$exe" ] || { echo "no $exe" >&2; continue; }
  title="OPENGL Streaming ${build##*_}"
  base=""
  for threads in 1 2 4 8; do
    read -r seconds peak < <(run_once "$exe" "$threads" "$title")
    [ -n "$base" ] || base=$seconds
    speedup=$(awk -v b="$base" -v s="$seconds" 'BEGIN { printf "%.2f", b / s }')
    mb=$(awk -v k="$peak" 'BEGIN { printf "%.0f", k / 1024 }')
    printf '| %s | %d | %s | %s | %s |\n' "$build" "$threads" "$seconds" "$speedup" "$mb"
  done
done
