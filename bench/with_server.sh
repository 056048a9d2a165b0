#!/usr/bin/env bash
# Runs a benchmark program against a private PostgreSQL server started for the
# run, as ./test.sh starts one for the tests, and stops it afterwards:
#   bench/with_server.sh build/bench/bench_server [arguments]
set -euo pipefail
source "$(dirname "$0")/../tests/postgresql_cluster.sh"
"$@"
