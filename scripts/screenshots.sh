#!/usr/bin/env bash
# Makes the README's pictures again (docs/connect.png, docs/main-window.png):
# starts the demo as scripts/run.sh does, under a virtual display of its own,
# and follows the README's steps with the keyboard as a user would.
#
#   scripts/screenshots.sh
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

bash "$top/scripts/install.sh"
if ! command -v xdotool >/dev/null || ! command -v import >/dev/null; then
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  "${sudo[@]}" apt-get install -y -q --no-install-recommends xdotool imagemagick
fi

display=:$((90 + RANDOM % 100))
Xvfb "$display" -screen 0 1280x800x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
log=$(mktemp)
cleanup() {
  kill "$lumidex" 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
  rm -f "$log"
}
lumidex=
trap cleanup EXIT
export DISPLAY=$display
sleep 1

# scripts/run.sh builds, starts the demo database and runs Lumidex in the
# foreground: here in the background, on the virtual display.
bash "$top/scripts/run.sh" >"$log" 2>&1 &
lumidex=$!

# Waits for a window of this title and prints its id.
window() {
  for _ in $(seq 600); do
    if id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) && [ -n "$id" ]; then
      echo "$id"
      return
    fi
    kill -0 "$lumidex" 2>/dev/null || { cat "$log" >&2; echo "screenshots: Lumidex ended" >&2; exit 1; }
    sleep 0.5
  done
  echo "screenshots: no window \"$1\" appeared" >&2
  exit 1
}

mkdir -p "$top/docs"
connect=$(window "Connect")
sleep 1
import -window "$connect" "$top/docs/connect.png"

# The README's words: Tab to the Password field, the password, Enter.
password=$(sed -n 's/^PGPASSWORD=//p' "$(bash "$top/scripts/demo-db.sh" dir)/fixture.env")
xdotool windowfocus --sync "$connect"
xdotool key Tab
xdotool type --delay 50 "$password"
xdotool key Return

sleep 2
main=$(xdotool search --onlyvisible --name "Lumidex" | head -n 1)
# In the tree: a click on the first category (Tables), opened, then its "All" node.
xdotool windowfocus --sync "$main"
xdotool mousemove --window "$main" 84 75 click 1
xdotool key Right Down Down
sleep 3
import -window "$main" "$top/docs/main-window.png"
echo "screenshots: docs/connect.png and docs/main-window.png written"
