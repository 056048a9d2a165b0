#!/usr/bin/env bash
# The Debian package as a user gets it: built from the build folder, without
# an error or warning of lintian, unpacked into a temporary root, its desktop entry and metainfo validated, and the
# installed program started on a virtual display with an empty home, where it
# must offer to create its database, create it, open it and copy it for the day.
#   check_package.sh BUILD_FOLDER
set -euo pipefail
script=$(realpath "$0")

if [ "${1:-}" = --dentro ]; then
  # Runs inside xvfb-run: the installed program, answering its messages itself.
  tmp=$2
  export HOME=$tmp/home TMPDIR=$tmp QT_QPA_PLATFORM=xcb QUENDRA_MENSAJES_AUTOMATICOS=1
  unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_RUNTIME_DIR
  datos=$HOME/.local/share/Quendra
  "$tmp/root/usr/bin/quendra" 2>"$tmp/quendra.log" &
  prog=$!
  trap 'kill $prog 2>/dev/null || true' EXIT
  copia=$datos/backups/quendra-$(date +%F).accdb
  for _ in $(seq 100); do
    [ -f "$copia" ] && xdotool search --onlyvisible --name "Control de depósito" >/dev/null 2>&1 && break
    kill -0 $prog 2>/dev/null || { cat "$tmp/quendra.log"; echo "el programa terminó solo" >&2; exit 1; }
    sleep 0.2
  done
  fallo() { echo "$1" >&2; cat "$tmp/quendra.log" >&2; exit 1; }
  grep -q "¿Desea crear una base de datos vacía en «$datos/quendra.accdb»?" "$tmp/quendra.log" || fallo "sin la pregunta"
  ! grep -q "openBaseDatos" "$tmp/quendra.log" || fallo "la base no se abrió"
  xdotool search --onlyvisible --name "Control de depósito" >/dev/null || fallo "sin ventana principal"
  [ -f "$copia" ] || fallo "sin la copia del día $copia"
  "$tmp/root/usr/bin/quendra-db" check "$datos/quendra.accdb" >/dev/null || fallo "base creada no válida"
  exit 0
fi

build=$(cd "$1" && pwd)
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
cd "$build"
cpack -G DEB -B "$tmp/pkg" >"$tmp/cpack.log" 2>&1 || { cat "$tmp/cpack.log" >&2; exit 1; }
deb=$(ls "$tmp"/pkg/quendra_*_*.deb)
lintian --fail-on none "$deb" >"$tmp/lintian.log" 2>&1 || { cat "$tmp/lintian.log" >&2; echo "lintian no pudo revisar el paquete" >&2; exit 1; }
if grep -E '^[EW]: ' "$tmp/lintian.log" >&2; then
  echo "lintian encontró errores o advertencias en $(basename "$deb")" >&2
  exit 1
fi
depende=$(dpkg-deb -f "$deb" Depends)
for p in libqt6widgets6 libqt6printsupport6 libsqlite3-0 qt6-qpa-plugins qt6-translations-l10n fonts-liberation; do
  [[ ", $depende," == *", $p "* || ", $depende," == *", $p,"* ]] || { echo "el paquete no depende de $p: $depende" >&2; exit 1; }
done
dpkg -x "$deb" "$tmp/root"
raiz=$tmp/root/usr/share
desktop-file-validate "$raiz/applications/org.quendra.Quendra.desktop"
appstreamcli validate --no-net --no-color "$raiz/metainfo/org.quendra.Quendra.metainfo.xml" >/dev/null
for icono in scalable/apps/org.quendra.Quendra.svg 16x16/apps/org.quendra.Quendra.png \
             48x48/apps/org.quendra.Quendra.png 256x256/apps/org.quendra.Quendra.png; do
  [ -s "$raiz/icons/hicolor/$icono" ] || { echo "falta el icono $icono" >&2; exit 1; }
done
mkdir "$tmp/home"
xvfb-run -a -s "-screen 0 1280x900x24" "$script" --dentro "$tmp"
echo "paquete correcto: $(basename "$deb")"
