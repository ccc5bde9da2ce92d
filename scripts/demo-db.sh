#!/usr/bin/env bash
# The demo database: the sample schemas in a cluster that lives on between
# runs.   scripts/demo-db.sh start|stop|status
# Folder: $LUMIDEX_DEMO_DIR, else /var/lib/lumidex/demo for root, else
# ~/.local/share/lumidex/demo; a new or empty one, or one the cluster script
# made (it refuses any other).
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

if [ -n "${LUMIDEX_DEMO_DIR:-}" ]; then
  dir=$LUMIDEX_DEMO_DIR
elif [ "$(id -u)" -eq 0 ]; then
  dir=/var/lib/lumidex/demo
else
  dir=${XDG_DATA_HOME:-$HOME/.local/share}/lumidex/demo
fi

case "${1:-}" in
  start|stop|status) PGCLUSTER_FSYNC=on exec bash "$top/ocipg/tests/fixture/pgcluster.sh" "$1" "$dir" ;;
  dir) echo "$dir" ;;
  *) echo "usage: scripts/demo-db.sh start|stop|status|dir" >&2; exit 2 ;;
esac
