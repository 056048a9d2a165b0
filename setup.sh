#!/usr/bin/env bash
# Installs what Quendra needs to build, run and test (Debian 12, as root), then
# configures and builds it in ./build (the dev preset). Quick when everything is already there.
set -euo pipefail
cd "$(dirname "$0")"

paquetes=(build-essential cmake ccache pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev qt6-translations-l10n libsqlite3-dev sqlite3
          libpq-dev postgresql-15 libxlsxwriter-dev liborcus-dev libfreexl-dev libzint-dev libgl1-mesa-dev fonts-liberation xvfb xauth poppler-utils python3-openpyxl zbar-tools
          dpkg-dev file desktop-file-utils appstream xdotool locales lintian python3-markdown)
faltan=()
for p in "${paquetes[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || faltan+=("$p")
done
if [ ${#faltan[@]} -gt 0 ]; then
  echo "Instalando: ${faltan[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${faltan[@]}"
fi

# The operators' desktops are set up in Spanish; the tests run there too.
if ! locale -a 2>/dev/null | grep -qx 'es_ES.utf8'; then
  sed -i 's/^# *\(es_ES.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  grep -qx 'es_ES.UTF-8 UTF-8' /etc/locale.gen || echo 'es_ES.UTF-8 UTF-8' >> /etc/locale.gen
  locale-gen >/dev/null
fi

cmake --preset dev >/dev/null
cmake --build --preset dev -j"$(nproc)"
