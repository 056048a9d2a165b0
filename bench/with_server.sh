#!/usr/bin/env bash
# Runs a benchmark program against a private PostgreSQL server started for the
# run (tests/postgresql_cluster.sh, as CTest starts one for the tests), and stops
# it afterwards:
#   bench/with_server.sh build/bench/bench_server [arguments]
set -euo pipefail
cluster="$(dirname "$0")/../tests/postgresql_cluster.sh"
carpeta=/tmp/quendra-pg-banco-$$
trap '"$cluster" stop "$carpeta"' EXIT
trap 'exit 130' INT TERM
QUENDRA_SERVIDOR_PRUEBAS=$("$cluster" start "$carpeta" 5432)
export QUENDRA_SERVIDOR_PRUEBAS
"$@"
