-- Physical counts of one storage place at the end of a day. A count covers the
-- articles of a number range and a family range (empty bounds: no limit), is
-- open while its lines are entered, then applied (its differences posted as
-- two adjustment vouchers) or discarded. estado: A open, P applied, D discarded.
CREATE TABLE recuento (
    numero        INTEGER PRIMARY KEY,
    deposito      TEXT NOT NULL,
    fecha         DATE NOT NULL CONSTRAINT "fecha debe ser una fecha válida" CHECK (fecha IS date(fecha, '+0 days')),
    desde_numero  TEXT NOT NULL DEFAULT '',
    hasta_numero  TEXT NOT NULL DEFAULT '',
    desde_familia TEXT NOT NULL DEFAULT '',
    hasta_familia TEXT NOT NULL DEFAULT '',
    estado        TEXT NOT NULL DEFAULT 'A' CHECK (estado IN ('A', 'P', 'D')),
    abierto_por   TEXT NOT NULL,
    abierto_el    TEXT NOT NULL,
    cerrado_por   TEXT,
    cerrado_el    TEXT,
    no_contados_cero INTEGER NOT NULL DEFAULT 0,
    comprobante_entrada TEXT,
    comprobante_salida  TEXT
);
-- One line per article counted, saved as it is typed. Once the count is
-- applied, libro and costo keep the figures its differences were posted with,
-- and an article covered but not counted, taken as 0, has a line without contado.
CREATE TABLE recuento_linea (
    id       INTEGER PRIMARY KEY,
    recuento INTEGER NOT NULL REFERENCES recuento(numero),
    numero   TEXT NOT NULL,
    contado  REAL CONSTRAINT "contado debe ser un número" CHECK (typeof(contado) IN ('integer', 'real', 'null')),
    libro    REAL CONSTRAINT "libro debe ser un número" CHECK (typeof(libro) IN ('integer', 'real', 'null')),
    costo    REAL CONSTRAINT "costo debe ser un número" CHECK (typeof(costo) IN ('integer', 'real', 'null'))
);
CREATE UNIQUE INDEX recuento_linea_articulo ON recuento_linea(recuento, numero);
