#!/usr/bin/env bash
# Installs what is missing, builds, starts the demo database and starts Lumidex on it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build

bash "$top/scripts/install.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target lumidex ocipg
bash "$top/scripts/demo-db.sh" start
dir=$(bash "$top/scripts/demo-db.sh" dir)
# What the cluster script wrote about the demo cluster: fact PGPORT.
fact() { sed -n "s/^$1=//p" "$dir/fixture.env"; }

# The demo's own tnsnames.ora: only the name that works (the tests' file also holds names
# that fail on purpose). The library is the OCI client over PostgreSQL.
export TNS_ADMIN=$dir/demo-admin
mkdir -p "$TNS_ADMIN"
cat >"$TNS_ADMIN/tnsnames.ora" <<ORA
# The Lumidex demo database.
LUMIDEX =
  (DESCRIPTION =
    (ADDRESS = (PROTOCOL = IPC)(KEY = $(fact PGHOST)))
    (CONNECT_DATA = (SERVICE_NAME = $(fact PGDATABASE)))
  )
ORA
export LUMIDEX_OCI_LIBRARY=$build/ocipg/libocipg.so

cat <<TXT

The demo database is running (stop it with scripts/demo-db.sh stop).
  net service name: LUMIDEX   accounts: hr/hr, app/app, $(fact PGUSER)/$(fact PGPASSWORD) (superuser),
                              or blank user and password as $(id -un)
  export TNS_ADMIN=$TNS_ADMIN
  export LUMIDEX_OCI_LIBRARY=$LUMIDEX_OCI_LIBRARY
  psql: psql -h $(fact PGHOST) -p $(fact PGPORT) -U hr $(fact PGDATABASE)
TXT

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo
  echo "run: there is no display to show Lumidex on (neither DISPLAY nor WAYLAND_DISPLAY is set)."
  echo "     Start scripts/run.sh from a desktop session, or with a virtual one: xvfb-run -a scripts/run.sh"
  exit 1
fi

# Lumidex keeps its settings in Lumidex.ini of the folder it starts in; the demo's folder
# remembers the account whose listings all work, so the first Connect needs only its
# password.
work=$dir/desktop
mkdir -p "$work"
if [ ! -e "$work/Lumidex.ini" ]; then
  printf '[Lumidex]\nDATABASE=LUMIDEX\nUSER=%s\nMODE=0\n' "$(fact PGUSER)" >"$work/Lumidex.ini"
fi
cd "$work"
echo
echo "Starting Lumidex (settings in $work/Lumidex.ini)."
echo "In the Connect dialog press Tab to reach the Password field, type $(fact PGPASSWORD) and press Enter."
exec "$build/shell/lumidex"
