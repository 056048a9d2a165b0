#!/usr/bin/env bash
# Sets up, builds and runs every test: on the SQLite file, and the statement,
# server and grid-loading tests again on a private PostgreSQL server.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
source tests/postgresql_cluster.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j"$(nproc)"
