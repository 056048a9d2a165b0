#!/usr/bin/env bash
# Sourced by test.sh: starts a private PostgreSQL cluster in a temporary folder,
# as the postgres user, on a free local port, exports its address in
# QUENDRA_SERVIDOR_PRUEBAS, and stops it and removes it when the shell exits.
pg_bin=/usr/lib/postgresql/15/bin
pg_dir=$(mktemp -d "${TMPDIR:-/tmp}/quendra-pg.XXXXXX")
chown postgres "$pg_dir"
como_postgres() { su postgres -s /bin/sh -c "$1"; }

detener_servidor() {
  como_postgres "$pg_bin/pg_ctl -D '$pg_dir/datos' -m immediate -w stop" >/dev/null 2>&1 || true
  rm -rf "$pg_dir"
}
trap detener_servidor EXIT
trap 'exit 130' INT TERM

como_postgres "$pg_bin/initdb -D '$pg_dir/datos' -A trust -U postgres -E UTF8 --locale=C.UTF-8" >/dev/null
# Durability is of no use to a cluster thrown away after the run.
opciones="-c listen_addresses=127.0.0.1 -k '$pg_dir' -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
pg_puerto=
for _ in $(seq 1 20); do
  p=$((20000 + RANDOM % 40000))
  (: </dev/tcp/127.0.0.1/$p) 2>/dev/null && continue   # someone listens there
  if como_postgres "$pg_bin/pg_ctl -D '$pg_dir/datos' -o \"-p $p $opciones\" -l '$pg_dir/registro' -w start" >/dev/null; then
    pg_puerto=$p
    break
  fi
done
if [ -z "$pg_puerto" ]; then
  echo "No se pudo arrancar el servidor PostgreSQL de las pruebas:" >&2
  cat "$pg_dir/registro" >&2 || true
  exit 1
fi
export QUENDRA_SERVIDOR_PRUEBAS="postgresql://postgres@127.0.0.1:$pg_puerto/postgres"
