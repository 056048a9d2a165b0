-- Quendra database: articles, families and stock movements.
-- Dates are ISO text yyyy-mm-dd; impossible days are refused. Amounts are numbers only.

CREATE TABLE articulo (
    numero  TEXT NOT NULL,
    codigo  TEXT,
    nombre  TEXT,
    detalle TEXT,
    alta    DATE CONSTRAINT "alta debe ser una fecha válida" CHECK (alta IS date(alta, '+0 days')),
    costo   REAL CONSTRAINT "costo debe ser un número" CHECK (typeof(costo) IN ('integer', 'real', 'null')),
    stock   REAL CONSTRAINT "stock debe ser un número" CHECK (typeof(stock) IN ('integer', 'real', 'null'))
);
CREATE UNIQUE INDEX articulo_numero ON articulo(numero);
CREATE INDEX articulo_nombre ON articulo(nombre);

CREATE TABLE familia (
    id      INTEGER PRIMARY KEY,
    codigo  TEXT NOT NULL,
    familia TEXT
);
CREATE UNIQUE INDEX familia_codigo ON familia(codigo);

CREATE TABLE movstk (
    id          INTEGER PRIMARY KEY,
    comprobante TEXT NOT NULL,
    tipomov     TEXT,
    fecha       DATE CONSTRAINT "fecha debe ser una fecha válida" CHECK (fecha IS date(fecha, '+0 days')),
    numero      TEXT NOT NULL,
    costo       REAL CONSTRAINT "costo debe ser un número" CHECK (typeof(costo) IN ('integer', 'real', 'null')),
    detalle     TEXT,
    impreso     TEXT,
    deposito    TEXT,
    Entrada     REAL CONSTRAINT "Entrada debe ser un número" CHECK (typeof(Entrada) IN ('integer', 'real', 'null')),
    Salida      REAL CONSTRAINT "Salida debe ser un número" CHECK (typeof(Salida) IN ('integer', 'real', 'null')),
    codigo      TEXT
);
CREATE UNIQUE INDEX movstk_comprobante_numero ON movstk(comprobante, numero);
-- Covers the stock sum of an article and the movement report's two statements per
-- article, whose movements then come by date and, within a day, by voucher.
CREATE INDEX movstk_numero_fecha ON movstk(numero, fecha, comprobante, deposito, Entrada, Salida, tipomov, costo);
