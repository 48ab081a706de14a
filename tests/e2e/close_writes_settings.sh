#!/usr/bin/env bash
# Starts the real program under Xvfb with a window manager, closes its window through the
# window manager (Alt+F4 sends WM_DELETE_WINDOW) and checks the exit code and Kor2.ini.
set -euo pipefail
binary=$1
work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
pids+=($!)
for _ in $(seq 50); do [[ -s "$work/display" ]] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$work/display")"
openbox >"$work/openbox.log" 2>&1 &
pids+=($!)
sleep 0.5

export HOME="$work/home" XDG_CONFIG_HOME="$work/config" XDG_CACHE_HOME="$work/cache"
export XDG_RUNTIME_DIR="$work/runtime" XDG_DATA_HOME="$work/data"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
unset QT_QPA_PLATFORM
ini="$XDG_CONFIG_HOME/Korvane/Kor2.ini"

# run_and_close: starts the program, waits for its window, closes it, returns its exit code.
run_and_close() {
  "$binary" >"$work/korvane.log" 2>&1 &
  local app=$! id=""
  for _ in $(seq 150); do
    id=$(xdotool search --onlyvisible --name '^Korvane$' 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && break
    sleep 0.2
  done
  if [[ -z "$id" ]]; then echo "no Korvane window appeared"; cat "$work/korvane.log"; kill $app; return 1; fi
  # On a loaded machine the first request can come before the window manager has taken
  # the window over; ask again until it closes.
  for _ in $(seq 6); do
    sleep 0.5
    xdotool windowactivate --sync "$id" key --clearmodifiers alt+F4 2>/dev/null || true
    for _ in $(seq 25); do kill -0 $app 2>/dev/null || break; sleep 0.2; done
    kill -0 $app 2>/dev/null || break
  done
  if kill -0 $app 2>/dev/null; then
    echo "Korvane did not close"; cat "$work/korvane.log"; kill $app; return 1
  fi
  wait $app
}

run_and_close || { echo "first run exited with $?"; exit 1; }
[[ -f "$ini" ]] || { echo "Kor2.ini was not written"; exit 1; }
grep -qx '\[TKorMain\]' "$ini" || { echo "no section TKorMain"; cat "$ini"; exit 1; }
grep -qx 'DrivePanel_Visible=True' "$ini" || { echo "DrivePanel_Visible missing"; cat "$ini"; exit 1; }
grep -qx 'DriveBar1_Checked=True' "$ini" || { echo "DriveBar1_Checked missing"; cat "$ini"; exit 1; }

# A hidden drive bar stays hidden across a run: it is read on show and written back on close.
printf '[TKorMain]\nDrivePanel_Visible=False\nDriveBar1_Checked=False\n' >"$ini"
run_and_close || { echo "second run exited with $?"; exit 1; }
grep -qx 'DrivePanel_Visible=False' "$ini" || { echo "stored hidden drive bar was not kept"; cat "$ini"; exit 1; }
echo "ok"
