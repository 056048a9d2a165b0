#!/usr/bin/env python3
"""Builds the user's manual: each Markdown page of this folder into an HTML page
with the manual's index beside it, and the screenshots copied along.
    build_manual.py SOURCE_FOLDER OUTPUT_FOLDER"""
import html
import pathlib
import re
import shutil
import sys

import markdown

origen, destino = map(pathlib.Path, sys.argv[1:3])
destino.mkdir(parents=True, exist_ok=True)
(destino / "img").mkdir(exist_ok=True)

# The index first, then the pages in the order the index links them.
enlazadas = re.findall(r"\]\(([\w-]+)\.md\)", (origen / "index.md").read_text(encoding="utf-8"))
orden = ["index"] + enlazadas
paginas = sorted(origen.glob("*.md"), key=lambda p: (orden.index(p.stem) if p.stem in orden else len(orden), p.stem))
titulos = {}
for p in paginas:
    primera = p.read_text(encoding="utf-8").lstrip().splitlines()[0]
    titulos[p.stem] = primera.lstrip("# ").strip()

ESTILO = """
body { font-family: "Liberation Sans", Arial, sans-serif; margin: 0; display: flex; color: #222; }
nav { background: #eef1f5; padding: 1em 1.5em; min-width: 14em; min-height: 100vh; }
nav a { display: block; margin: .4em 0; color: #1f4e8c; text-decoration: none; }
nav a.actual { font-weight: bold; }
main { padding: 1em 2.5em; max-width: 52em; line-height: 1.45; }
img { max-width: 100%; border: 1px solid #bbb; }
table { border-collapse: collapse; } td, th { border: 1px solid #bbb; padding: .2em .6em; }
kbd { border: 1px solid #999; border-radius: 3px; padding: 0 .3em; background: #f6f6f6; }
"""

for p in paginas:
    texto = p.read_text(encoding="utf-8")
    # Links between pages are written to the Markdown files, so they read in a repository too.
    texto = re.sub(r"\]\(([\w-]+)\.md(#[\w-]+)?\)", r"](\1.html\2)", texto)
    cuerpo = markdown.markdown(texto, extensions=["tables", "attr_list"])
    actual = ' class="actual"'
    indice = "\n".join(
        f'<a href="{q.stem}.html"{actual if q == p else ""}>{html.escape(titulos[q.stem])}</a>' for q in paginas)
    (destino / f"{p.stem}.html").write_text(
        f"""<!DOCTYPE html>
<html lang="es">
<head>
<meta charset="utf-8">
<title>{html.escape(titulos[p.stem])} — Manual de Quendra</title>
<style>{ESTILO}</style>
</head>
<body>
<nav>
{indice}
</nav>
<main>
{cuerpo}
</main>
</body>
</html>
""", encoding="utf-8")

for imagen in sorted((origen / "img").glob("*.png")):
    shutil.copyfile(imagen, destino / "img" / imagen.name)
