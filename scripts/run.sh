#!/usr/bin/env bash
# Installs what is missing, builds, starts the demo database and tells how to
# reach it.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=$top/build

bash "$top/scripts/install.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"
bash "$top/scripts/demo-db.sh" start
dir=$(bash "$top/scripts/demo-db.sh" dir)

cat <<TXT

The demo database is running (stop it with scripts/demo-db.sh stop).
  net service name: LUMIDEX   accounts: hr/hr, app/app, system/manager (superuser),
                              or blank user and password as $(id -un)
  export TNS_ADMIN=$dir/admin
  export LUMIDEX_OCI_LIBRARY=$build/ocipg/libocipg.so
  psql: psql -h $dir/run -p 55432 -U hr lumidex
TXT
