#!/usr/bin/env bash
# A private PostgreSQL cluster for the tests and benchmarks, run as the postgres
# user, thrown away afterwards. It listens on no network port, only on a socket in
# FOLDER (named after PORT), so clusters in different folders never meet.
#   postgresql_cluster.sh start FOLDER PORT   prints the address to connect to
#   postgresql_cluster.sh stop FOLDER
# and, for the tests of a program that loses its server and finds it again:
#   postgresql_cluster.sh restart|halt|resume FOLDER   pg_ctl restart; stop keeping the data; start again
# CTest starts and stops it around the entries that use the server (tests/CMakeLists.txt);
# bench/with_server.sh around one benchmark. Start stops first whatever an
# interrupted run left in FOLDER.
set -euo pipefail
pg_bin=/usr/lib/postgresql/15/bin
accion=${1:-}
carpeta=${2:-}
if [[ ! $accion =~ ^(start|stop|restart|halt|resume)$ || $carpeta != /* ]]; then
  echo "uso: $0 start CARPETA PUERTO | stop|restart|halt|resume CARPETA (CARPETA absoluta)" >&2
  exit 2
fi
como_postgres() { su postgres -s /bin/sh -c "$1"; }
pg_ctl_datos() { como_postgres "$pg_bin/pg_ctl -D '$carpeta/datos' -l '$carpeta/registro' -w $1" >/dev/null; }

case $accion in
  restart) pg_ctl_datos "-m fast restart"; exit ;;
  halt) pg_ctl_datos "-m fast stop"; exit ;;
  resume) pg_ctl_datos "-o \"$(cat "$carpeta/opciones")\" start"; exit ;;
esac

detener() {
  if [ -f "$carpeta/datos/postmaster.pid" ]; then
    como_postgres "$pg_bin/pg_ctl -D '$carpeta/datos' -m immediate -w stop" >/dev/null 2>&1 || true
  fi
  rm -rf "$carpeta"
}

detener
[ "$accion" = stop ] && exit 0

puerto=${3:?falta el puerto}
mkdir -m 700 "$carpeta"
chown postgres "$carpeta"
como_postgres "$pg_bin/initdb -D '$carpeta/datos' -A trust -U postgres -E UTF8 --locale=C.UTF-8" >/dev/null
# Durability is of no use to a cluster thrown away after the run.
opciones="-p $puerto -c listen_addresses='' -k '$carpeta' -c fsync=off -c synchronous_commit=off -c full_page_writes=off"
echo "$opciones" >"$carpeta/opciones"
if ! como_postgres "$pg_bin/pg_ctl -D '$carpeta/datos' -o \"$opciones\" -l '$carpeta/registro' -w start" >/dev/null; then
  echo "No se pudo arrancar el servidor PostgreSQL de las pruebas:" >&2
  cat "$carpeta/registro" >&2 || true
  exit 1
fi
echo "postgresql://postgres@${carpeta//\//%2F}:$puerto/postgres"
