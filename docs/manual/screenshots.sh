#!/usr/bin/env bash
# Takes the manual's screenshots from the real program, so they show what it
# shows: a demonstration database in an empty home, the program started on a
# private virtual display under the operators' Spanish settings, each window
# reached with the keys an operator presses, the screen cut to the windows.
#   docs/manual/screenshots.sh [BUILD_FOLDER]        (build/ by default)
# Needs xvfb, xdotool and imagemagick; writes docs/manual/img/*.png.
set -euo pipefail
aqui=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$aqui/../../build}" && pwd)
for programa in Xvfb xdotool import; do
  command -v $programa >/dev/null || { echo "falta $programa (apt-get install xvfb xdotool imagemagick)" >&2; exit 1; }
done
tmp=$(mktemp -d)
xv=
terminar() { [ -n "$xv" ] && kill "$xv" 2>/dev/null; rm -rf "$tmp"; }
trap terminar EXIT

# TMPDIR: the one-copy lock of its own, whatever other copy runs on this machine.
export HOME=$tmp/home TMPDIR=$tmp LANG=es_ES.UTF-8 LC_ALL=es_ES.UTF-8 QT_QPA_PLATFORM=xcb
unset XDG_CONFIG_HOME XDG_DATA_HOME XDG_RUNTIME_DIR
mkdir -p "$HOME/.local/share/Quendra" "$tmp/bin"
"$build/tools/quendra-db" demo "$HOME/.local/share/Quendra/quendra.accdb" >/dev/null
# A copy of the program with no database beside it: it opens the one of the data folder, as installed.
cp "$build/src/app/quendra" "$tmp/bin/"

for n in $(seq 90 140); do [ -e /tmp/.X11-unix/X$n ] || [ -e /tmp/.X$n-lock ] || break; done
export DISPLAY=:$n
Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp >/dev/null 2>&1 &
xv=$!
for _ in $(seq 50); do [ -e /tmp/.X11-unix/X$n ] && break; sleep 0.1; done

# captura NAME KEYS...: starts the program, presses the keys, saves img/NAME.png.
captura() {
  local nombre=$1
  shift
  "$tmp/bin/quendra" >"$tmp/quendra.log" 2>&1 &
  local prog=$!
  for _ in $(seq 100); do
    xdotool search --onlyvisible --name "Control de depósito" >/dev/null 2>&1 && break
    kill -0 "$prog" 2>/dev/null || { cat "$tmp/quendra.log" >&2; exit 1; }
    sleep 0.1
  done
  sleep 1
  xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "Control de depósito" | head -1)"
  for tecla in "$@"; do
    xdotool key --clearmodifiers "$tecla"
    sleep 0.5
  done
  sleep 1
  import -window root -trim +repage "$aqui/img/$nombre.png"
  kill "$prog" 2>/dev/null || { cat "$tmp/quendra.log" >&2; echo "quendra terminó antes de la captura" >&2; exit 1; }
  wait "$prog" 2>/dev/null || true
  echo "img/$nombre.png"
}

captura ventana-principal
captura menu-ayuda alt+u
captura acerca-de alt+u a
captura movimientos alt+a Return
captura articulos alt+m Return
captura familias alt+m Down Return
captura depositos alt+m Down Down Return
captura informe-movimientos alt+i Return
captura stock-por-deposito alt+i Down Return
captura valorizacion alt+i Down Down Return
captura vista-previa alt+i Down Down Return Tab Tab Tab Tab Tab space
captura busqueda alt+m Return alt+b
