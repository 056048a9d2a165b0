#!/usr/bin/env bash
# Sets up, builds and runs every test: on the SQLite file, and part of them again
# on a private PostgreSQL server that CTest starts and stops itself; then the
# tests of the rooms without widgets once more under the address and
# undefined-behaviour sanitizers (the asan preset, in build-asan).
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
ctest --preset dev -j"$(nproc)"
cmake --preset asan >/dev/null
cmake --build --preset asan -j"$(nproc)"
ctest --preset asan -j"$(nproc)"
