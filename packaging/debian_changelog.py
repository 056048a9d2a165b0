#!/usr/bin/env python3
"""Writes the package's changelog from the releases of the AppStream metainfo,
so both list the same versions: debian_changelog.py METAINFO MAINTAINER OUT.gz"""
import email.utils
import gzip
import sys
import textwrap
import xml.etree.ElementTree as ET
from datetime import datetime, timezone

metainfo, mantenedor, salida = sys.argv[1:4]
entradas = []
for release in ET.parse(metainfo).getroot().iter("release"):
    fecha = datetime.strptime(release.get("date"), "%Y-%m-%d").replace(tzinfo=timezone.utc)
    puntos = [" ".join("".join(e.itertext()).split()) for e in release.iter() if e.tag in ("p", "li")]
    lineas = [textwrap.fill(p, 78, initial_indent="  * ", subsequent_indent="    ") for p in puntos]
    entradas.append(f"quendra ({release.get('version')}) unstable; urgency=medium\n\n"
                    + "\n".join(lineas or ["  * Versión " + release.get("version")]) + "\n\n"
                    + f" -- {mantenedor}  {email.utils.format_datetime(fecha)}\n")
# mtime 0: the same changelog gives the same bytes, as lintian asks of a package's gzip files.
with open(salida, "wb") as f, gzip.GzipFile(filename="", mode="wb", fileobj=f, compresslevel=9, mtime=0) as z:
    z.write("\n".join(entradas).encode("utf-8"))
