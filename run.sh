#!/usr/bin/env bash
# Sets up, builds, creates a demo database when the program folder has none, and starts Quendra.
set -euo pipefail
cd "$(dirname "$0")"
./setup.sh
base=build/src/app/quendra.accdb
if [ ! -f "$base" ]; then
  build/tools/quendra-db demo "$base"
  echo "Base de demostración creada en $base"
fi
exec build/src/app/quendra
