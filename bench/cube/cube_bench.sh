#!/usr/bin/env bash
# Cube benchmark, both builds: runs the real cube_64 / cube_32 in their own
# Xvfb with real rendering (animated with R, stopped with P, ended with Esc
# and Enter) and the reference programs cube_reference_64 / _32, which do
# the same list compile and frames with nothing around them. Prints the
# reported list-compilation time, the median frame time (the first frame,
# which pays for llvmpipe's pipeline build, left out), the peak resident
# size, and the program-to-reference ratios.
#
#   bench/cube/cube_bench.sh [BIN_DIR]      (default: build/bin)
#   FRAMES=N        frames per run (default 8)
#   BUILDS="64 32"  the builds to run (default both; a really rendered
#                   32-bit frame takes minutes under user-mode emulation)
#   BENCH_NOOP=1    GALLIUM_NOOP=1: GL calls without rasterization
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
bin=${1:-$top/build/bin}
frames=${FRAMES:-8}
work=$(mktemp -d)
xvfb_pid=
program_pid=
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null || true
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

[ "${BENCH_NOOP:-0}" = 1 ] && export GALLIUM_NOOP=1

# An Xvfb of our own on a free display.
exec 3> >(cat > "$work/display")
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(head -1 "$work/display")

median() { sort -g | awk '{ v[NR] = $1 } END { if (NR == 0) print "nan"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
peak_rss_mb() { awk '/Maximum resident set size/ { printf "%.0f", $NF / 1024 }' "$1"; }
wait_for() {   # wait_for FILE PATTERN COUNT
  while [ "$(grep -c -- "$2" "$1" 2>/dev/null || true)" -lt "$3" ]; do
    kill -0 "$program_pid" 2>/dev/null || return 1
    sleep 0.2
  done
}

run_reference() {   # run_reference BITS -> ref_compile ref_frame ref_rss
  local out=$work/reference_$1.txt
  /usr/bin/time -v -o "$work/reference_$1.time" "$bin/cube_reference_$1" "$frames" > "$out"
  ref_compile=$(awk '$1 == "compile" { print $2 }' "$out")
  ref_frame=$(awk '$1 == "frame" && ++n > 1 { print $2 }' "$out" | median)
  ref_rss=$(peak_rss_mb "$work/reference_$1.time")
}

run_program() {   # run_program BITS -> prog_compile prog_frame prog_rss
  local dir=$work/program_$1 console
  mkdir -p "$dir"
  console=$dir/console.txt
  mkfifo "$dir/input"
  ( cd "$dir" && exec /usr/bin/time -v -o "$dir/time.txt" "$bin/cube_$1" < "$dir/input" > "$console" ) &
  program_pid=$!
  exec 4> "$dir/input"
  wait_for "$console" '^window: ' 1
  local window
  window=$(xdotool search --name "^OPENGL Cube $1\$" | head -1)
  xdotool windowfocus --sync "$window"
  xdotool key --window "$window" r
  wait_for "$console" '^window: ' "$frames"
  xdotool key --window "$window" p
  sleep 1
  xdotool key --window "$window" Escape
  wait_for "$console" '^Press Enter to Exit\.$' 1
  echo >&4
  exec 4>&-
  wait "$program_pid" || true
  program_pid=
  prog_compile=$(sed -n 's/^For window: .*, the system spent: \(.*\) Secs to Initialize\.$/\1/p' "$console")
  prog_frame=$(sed -n 's/^The system spent: \(.*\) Secs\. $/\1/p' "$console" | tail -n +2 | head -n $((frames - 1)) | median)
  prog_rss=$(peak_rss_mb "$dir/time.txt")
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b + 0 == 0) print "-"; else printf "%.3f", a / b }'; }

[ -n "${GALLIUM_NOOP:-}" ] && echo "GALLIUM_NOOP=1: no rasterization"
printf '%-6s | %-28s | %-28s | %-22s\n' build "list compile s (ref, ratio)" "frame s, median (ref, ratio)" "peak RSS MB (ref)"
for bits in ${BUILDS:-64 32}; do
  if [ ! -x "$bin/cube_$bits" ] || [ ! -x "$bin/cube_reference_$bits" ]; then
    echo "cube_$bits or cube_reference_$bits missing in $bin" >&2
    continue
  fi
  run_reference "$bits"
  run_program "$bits"
  printf '%-6s | %-28s | %-28s | %-22s\n' "cube_$bits" \
    "$prog_compile ($ref_compile, $(ratio "$prog_compile" "$ref_compile"))" \
    "$prog_frame ($ref_frame, $(ratio "$prog_frame" "$ref_frame"))" \
    "$prog_rss ($ref_rss)"
done
