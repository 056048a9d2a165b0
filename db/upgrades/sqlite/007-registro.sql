-- The record of who changed what: one row per change, written in the same
-- transaction as the change. The day and time are the computer's; who is the
-- system user and the computer's name. Rows are only ever added.
CREATE TABLE registro_cambios (
    id          INTEGER PRIMARY KEY,
    fecha       DATE NOT NULL DEFAULT (date('now', 'localtime'))
                CONSTRAINT "fecha debe ser una fecha válida" CHECK (fecha IS date(fecha, '+0 days')),
    hora        TEXT NOT NULL DEFAULT (time('now', 'localtime')),
    rol         TEXT,
    usuario     TEXT,
    equipo      TEXT,
    tipo        TEXT NOT NULL,
    numero      TEXT,
    comprobante TEXT,
    objeto      TEXT,
    anterior    TEXT,
    nuevo       TEXT
);
CREATE INDEX registro_cambios_fecha ON registro_cambios(fecha, id);
-- One article's changes over a long period.
CREATE INDEX registro_cambios_numero ON registro_cambios(numero, fecha);
