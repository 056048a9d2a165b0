#!/usr/bin/env bash
# Sets up, builds and runs every test: on the SQLite file, and part of them again
# on a private PostgreSQL server that CTest starts and stops itself.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
ctest --preset dev -j"$(nproc)"
