# Shell functions for driving a graphics benchmark in a private Xvfb, for
# scripts/run and the benchmark scripts. Source it; needs Xvfb and xdotool.

# Starts an Xvfb on a free display and exports DISPLAY.
start_display() {
  session_dir=$(mktemp -d)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$session_dir/display" >/dev/null 2>&1 &
  session_xvfb=$!
  while [ ! -s "$session_dir/display" ]; do sleep 0.1; done
  export DISPLAY=":$(head -n 1 "$session_dir/display")"
}

stop_display() {
  kill "$session_xvfb" 2>/dev/null || true
  wait "$session_xvfb" 2>/dev/null || true
  rm -rf "$session_dir"
  unset DISPLAY
}

# start_program EXE OUTPUT: starts EXE with a held-open pipe on standard
# input (descriptor 4 of this shell) and its console to the file OUTPUT.
start_program() {
  local exe=$1 output=$2
  rm -f "$session_dir/input"
  mkfifo "$session_dir/input"
  "$exe" <"$session_dir/input" >"$output" &
  session_program=$!
  exec 4>"$session_dir/input"
}

# find_window TITLE: waits for the window and prints its id.
find_window() {
  xdotool search --sync --name "^$1\$" | head -n 1
}

# press WINDOW KEY...: types keys on the window.
press() {
  local window=$1
  shift
  xdotool windowfocus --sync "$window" key "$@"
}

# finish_program: sends Enter to the program's prompt, waits for its end and
# returns its exit status.
finish_program() {
  local status=0
  echo >&4
  wait "$session_program" || status=$?
  exec 4>&-
  return $status
}

# wait_for_line FILE TEXT [COUNT]: waits until FILE holds COUNT lines that
# begin with TEXT (default 1); fails if the program ends before.
wait_for_line() {
  local count=${3:-1}
  until [ "$(grep -c "^$2" "$1" 2>/dev/null || true)" -ge "$count" ]; do
    kill -0 "$session_program" 2>/dev/null || return 1
    sleep 0.1
  done
}
