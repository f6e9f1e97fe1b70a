#!/usr/bin/env bash
# Runs a command beside a throwaway PostgreSQL cluster: initdb into a temporary folder, the server on a
# Unix socket only (no TCP), run as the `postgres` user when started by root. The command gets the
# cluster's URL in KW_TEST_POSTGRES; the cluster is stopped and removed when it ends.
#   scripts/with-test-postgres.sh ctest --preset default
# The throwaway cluster does not fsync (KW_TEST_POSTGRES_FSYNC=on makes it, for benchmarks).
set -euo pipefail
bindir=$(ls -d /usr/lib/postgresql/*/bin 2>/dev/null | sort -V | tail -n1)
if [ -z "$bindir" ] || [ ! -x "$bindir/initdb" ]; then
  echo "with-test-postgres: no PostgreSQL server found (apt-get install postgresql)" >&2
  exit 1
fi
work=$(mktemp -d /tmp/kw-pg-XXXXXX)
socket="$work/socket"
mkdir -p "$socket"
as=()
owner=$(id -un)
if [ "$(id -u)" -eq 0 ]; then
  owner=postgres
  chown -R postgres: "$work"
  as=(runuser -u postgres --)
fi
cleanup() {
  "${as[@]}" "$bindir/pg_ctl" -D "$work/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$work"
}
trap cleanup EXIT
"${as[@]}" "$bindir/initdb" -D "$work/data" -U "$owner" --auth=trust -E UTF8 --locale=C.UTF-8 >/dev/null
"${as[@]}" "$bindir/pg_ctl" -D "$work/data" -l "$work/server.log" -w \
  -o "-k $socket -c listen_addresses='' -c max_connections=100 -c fsync=${KW_TEST_POSTGRES_FSYNC:-off}" start >/dev/null
export KW_TEST_POSTGRES="postgresql:///postgres?host=$socket&user=$owner"
echo "with-test-postgres: $KW_TEST_POSTGRES" >&2
"$@"
