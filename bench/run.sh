#!/usr/bin/env bash
# The benchmark: builds lumidex_bench (Release) in its own build folder, starts
# a cluster of its own, generates the bench tables, runs every figure in a
# process of its own and prints one Markdown table.
#
#   bench/run.sh            everything: a few minutes once built, on two cores
#   BENCH_CLUSTER=DIR       keep the cluster in DIR and reuse its tables next time
#   BENCH_BUILD=DIR         build folder (default: build-bench in the source tree)
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BENCH_BUILD:-$top/build-bench}

bash "$top/scripts/install.sh"
cmake -S "$top" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j 2 --target lumidex_bench ocipg >/dev/null
ls /usr/lib/postgresql/*/bin/psql >/dev/null 2>&1 ||
  { echo "bench: no PostgreSQL under /usr/lib/postgresql/*/bin; run scripts/install.sh first" >&2; exit 1; }

if [ -n "${BENCH_CLUSTER:-}" ]; then
  cluster=$BENCH_CLUSTER
  keep=1
else
  cluster=$(mktemp -d /tmp/lumidex-bench.XXXXXX)
  keep=0
fi
work=$(mktemp -d /tmp/lumidex-bench-out.XXXXXX)
cleanup() {
  rm -rf "$work"
  [ "$keep" = 1 ] || bash "$top/ocipg/tests/fixture/pgcluster.sh" destroy "$cluster" >/dev/null 2>&1 || true
}
trap cleanup EXIT

PGBIN=$(dirname "$(ls /usr/lib/postgresql/*/bin/psql 2>/dev/null | head -n 1)")
psql_as() { PGUSER=$1 PGPASSWORD=$2 "$PGBIN/psql" -X -q "${@:3}"; }

bash "$top/ocipg/tests/fixture/pgcluster.sh" start "$cluster" >/dev/null
# The cluster's address, superuser and net service names, for psql and the figures.
for key in PGHOST PGPORT PGDATABASE PGUSER PGPASSWORD TNS_ADMIN; do export "$key=$(sed -n "s/^$key=//p" "$cluster/fixture.env")"; done
if [ "$(psql_as "$PGUSER" "$PGPASSWORD" -At -c "SELECT count(*) FROM pg_tables WHERE schemaname = 'wide'")" != 10000 ]; then
  echo "bench: generating the tables (about a minute)" >&2
  psql_as postgres postgres -c "DROP SCHEMA IF EXISTS bench CASCADE" -c "DROP SCHEMA IF EXISTS wide CASCADE" 2>/dev/null
  psql_as postgres postgres -v owner="$PGUSER" -f "$top/bench/tables.sql" >/dev/null
fi

export LUMIDEX_OCI_LIBRARY=$build/ocipg/libocipg.so
export QT_QPA_PLATFORM=offscreen
bin=$build/bench/lumidex_bench
# Save XML data reads Lumidex.ini of the current folder: the defaults apply here.
cd "$work"

# run_fig FIGURE TABLE PATH REPEATS [LABEL]: one figure run; its values land in
# result[FIGURE.LABEL.NAME], LABEL being TABLE unless given.
declare -A result
run_fig() {
  local out
  out=$("$bin" "$1" "$2" "$3" "$4" 2>"$work/stderr") || { cat "$work/stderr" >&2; echo "bench: $1 $2 failed" >&2; exit 1; }
  while read -r key value; do result[$1.${5:-$2}.$key]=$value; done <<<"$out"
}

# Wall times of a command run N times, in seconds, sorted.
wall_times() {
  local n=$1; shift
  local i t0 t1
  for ((i = 0; i < n; i++)); do
    t0=$EPOCHREALTIME
    "$@" >/dev/null
    t1=$EPOCHREALTIME
    echo "$t0 $t1"
  done | awk '{ print $2 - $1 }' | sort -g
}
wall_median() { wall_times "$@" | awk '{ a[NR] = $1 } END { print a[int((NR + 1) / 2)] }'; }
wall_best() { wall_times "$@" | head -n 1; }

sizes=(t10k t100k t1m)
declare -A label=([t10k]=10k [t100k]=100k [t1m]=1M)
declare -A reps=([t10k]=5 [t100k]=3 [t1m]=2)

echo "bench: logon" >&2
run_fig logon - - 20
psql_connect=$(wall_median 20 "$PGBIN/psql" -X -c 'SELECT 1')

echo "bench: schema tree of 10,000 tables" >&2
run_fig tree - - 3

for t in "${sizes[@]}"; do
  echo "bench: fetch, list fill, sort, export at ${label[$t]} rows" >&2
  run_fig fetch "$t" - "${reps[$t]}"
  run_fig libpq "$t" - "${reps[$t]}"
  run_fig ocifetch "$t" - "${reps[$t]}"
  run_fig libpqrow "$t" - "${reps[$t]}"
  # psql's time without its own connect, so that both read the same thing
  p=$(wall_best "${reps[$t]}" "$PGBIN/psql" -X -At -c "SELECT * FROM bench.$t" -o /dev/null)
  result[psql.$t.seconds]=$(awk -v a="$p" -v b="$psql_connect" 'BEGIN { print a - b }')
  run_fig list "$t" - "${reps[$t]}"
  run_fig sort "$t" - "${reps[$t]}"
  run_fig baresort "$t" - "${reps[$t]}"
  psql_as "$PGUSER" "$PGPASSWORD" -At -c "SELECT name FROM bench.$t" >"$work/column.txt"
  result[gnusort.$t.seconds]=$(LC_ALL=C wall_best "${reps[$t]}" sort -f "$work/column.txt" -o /dev/null)
  run_fig export "$t" "$work" "${reps[$t]}"
  run_fig plainwrite "${result[export.$t.bytes]}" "$work" "${reps[$t]}" "$t"
  rm -f "$work"/bench.xml "$work"/bench.xsl "$work"/plain.bin
done

ms() { awk -v s="$1" 'BEGIN { printf "%.1f ms", s * 1000 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
growth() { awk -v a="$1" -v b="$2" 'BEGIN { printf "x%.0f", a / b }'; }
mib() { awk -v s="$1" 'BEGIN { printf "%.0f MiB/s", s }'; }

echo
echo "| figure | size | Lumidex | anchor | ratio | target | growth 10k to 1M (rows x100) |"
echo "|---|---|---|---|---|---|---|"
row() { echo "| $1 | $2 | $3 | $4 | $5 | $6 | $7 |"; }
for t in "${sizes[@]}"; do
  g=; gl=; gs=; ge=
  if [ "$t" = t1m ]; then
    g=$(growth "${result[fetch.t1m.seconds]}" "${result[fetch.t10k.seconds]}")
    gl=$(growth "${result[list.t1m.seconds]}" "${result[list.t10k.seconds]}")
    gs=$(growth "${result[sort.t1m.seconds]}" "${result[sort.t10k.seconds]}")
    ge=$(growth "${result[export.t1m.seconds]}" "${result[export.t10k.seconds]}")
  fi
  row fetch "${label[$t]}" "$(ms "${result[fetch.$t.seconds]}")" "psql $(ms "${result[psql.$t.seconds]}")" \
    "$(ratio "${result[fetch.$t.seconds]}" "${result[psql.$t.seconds]}")" "<= 1.3" "$g"
  row fetch "${label[$t]}" "$(ms "${result[fetch.$t.seconds]}")" "libpq $(ms "${result[libpq.$t.seconds]}")" \
    "$(ratio "${result[fetch.$t.seconds]}" "${result[libpq.$t.seconds]}")" "" ""
  row "OCI fetch, prefetch 1000" "${label[$t]}" "$(ms "${result[ocifetch.$t.seconds]}")" \
    "libpq single-row $(ms "${result[libpqrow.$t.seconds]}")" \
    "$(ratio "${result[ocifetch.$t.seconds]}" "${result[libpqrow.$t.seconds]}")" "<= 1.3" ""
  row "list fill" "${label[$t]}" "$(ms "${result[list.$t.seconds]}")" "fetch $(ms "${result[fetch.$t.seconds]}")" \
    "$(ratio "${result[list.$t.seconds]}" "${result[fetch.$t.seconds]}")" "<= 1.5" "$gl"
  row "list fill, first run" "${label[$t]}" "$(ms "${result[list.$t.first_seconds]}")" \
    "fetch, first run $(ms "${result[fetch.$t.first_seconds]}")" \
    "$(ratio "${result[list.$t.first_seconds]}" "${result[fetch.$t.first_seconds]}")" "" ""
  row "list memory" "${label[$t]}" \
    "$(awk -v b="${result[list.$t.peak_growth_bytes]}" 'BEGIN { printf "%.1f MiB", b / 1048576 }')" \
    "text $(awk -v b="${result[list.$t.text_bytes]}" 'BEGIN { printf "%.1f MiB", b / 1048576 }')" \
    "$(ratio "${result[list.$t.peak_growth_bytes]}" "${result[list.$t.text_bytes]}")" "<= 3" ""
  row sort "${label[$t]}" "$(ms "${result[sort.$t.seconds]}")" "stable_sort $(ms "${result[baresort.$t.seconds]}")" \
    "$(ratio "${result[sort.$t.seconds]}" "${result[baresort.$t.seconds]}")" "<= 1.3" "$gs"
  row sort "${label[$t]}" "$(ms "${result[sort.$t.seconds]}")" "sort -f $(ms "${result[gnusort.$t.seconds]}")" \
    "$(ratio "${result[sort.$t.seconds]}" "${result[gnusort.$t.seconds]}")" "" ""
  row export "${label[$t]}" "$(mib "${result[export.$t.mib_per_second]}") ($(ms "${result[export.$t.seconds]}"))" \
    "fwrite $(mib "${result[plainwrite.$t.mib_per_second]}")" \
    "$(ratio "${result[export.$t.mib_per_second]}" "${result[plainwrite.$t.mib_per_second]}")" ">= 0.5" "$ge"
done
row tree "10k tables (${result[tree.-.rows]%.*} rows)" "$(ms "${result[tree.-.seconds]}")" \
  "list fill $(ms "${result[tree.-.list_seconds]}")" \
  "$(ratio "${result[tree.-.seconds]}" "${result[tree.-.list_seconds]}")" "<= 2" ""
row logon "" "$(ms "${result[logon.-.seconds]}")" "psql $(ms "$psql_connect")" \
  "$(ratio "${result[logon.-.seconds]}" "$psql_connect")" "<= 3" ""
echo
echo "Times are the best of 5, 3 and 2 runs at 10k, 100k and 1M rows (tree: best of 3); logon times the median of 20."
echo "psql's fetch time is its whole run less the median of its connect (the logon anchor)."
echo "OCI fetch: libocipg called directly, OCI_ATTR_PREFETCH_ROWS 1000, one row per OCIStmtFetch into buffers of display size + 1."
echo "First run: the first of a process, which also takes its memory from the system and warms the caches."
echo "The list memory is the growth of the process's peak resident set over the fill."
